#include "scan/NameListFiles.h"

#include "quotes/NameList.h"
#include "runtime/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace verdaxil {

namespace {

// A name list of every listed security is well below a megabyte; a file far larger
// is not one, and is not read into memory.
constexpr qint64 kLargestNameList = 32 * 1024 * 1024;

} // namespace

QString keptNameListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/names.txt");
}

NameListRead readNameList(const QString& localPath, const std::vector<DayFileEntry>& files)
{
    QFile file(localPath);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, 0, QStringLiteral("无法读取 %1：%2").arg(localPath, file.errorString())};
    if (!QFileInfo(file).isFile() || file.size() > kLargestNameList)
        return {std::nullopt, 0, QStringLiteral("%1 不是名称表。").arg(localPath)};
    const NameList list = ParseNameList(file.readAll());
    SecurityNames names(list, files);
    if (names.size() == 0)
        return {std::nullopt, list.skippedLines, QStringLiteral("%1 中没有读到任何证券的名称。").arg(localPath)};
    return {std::move(names), list.skippedLines, {}};
}

NameListRead importNameList(const QString& localPath, const std::vector<DayFileEntry>& files)
{
    NameListRead read = readNameList(localPath, files);
    if (!read.names)
        return read;
    const QString kept = keptNameListPath();
    const std::vector<NameListEntry> entries = read.names->entries();
    if (!QDir().mkpath(QFileInfo(kept).path())) {
        read.problem = QStringLiteral("无法建立目录 %1").arg(QFileInfo(kept).path());
        read.names.reset();
    } else if (const auto error = writeOutput(inspectOutput(kept), serializeNameList(entries), false)) {
        read.problem = QStringLiteral("无法保存名称表 %1：%2").arg(kept, *error);
        read.names.reset();
    }
    return read;
}

SecurityNames keptNames(const std::vector<DayFileEntry>& files)
{
    NameListRead read = readNameList(keptNameListPath(), files);
    return read.names ? std::move(*read.names) : SecurityNames();
}

void AssignNames(std::span<ScanRow> rows, const SecurityNames& names)
{
    for (ScanRow& row : rows)
        row.name = names.name(row.market, row.code).value_or(QString());
}

} // namespace verdaxil
