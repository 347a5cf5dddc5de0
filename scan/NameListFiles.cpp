#include "scan/NameListFiles.h"

#include "quotes/NameList.h"
#include "runtime/FileSystem.h"
#include "runtime/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace verdaxil {

namespace {

NameListRead unreadable(QString problem)
{
    NameListRead read;
    read.unreadable = true;
    read.problem = std::move(problem);
    return read;
}

// The file's bytes; none, with the reason, when it is no regular file of a name list's
// size. Looked at before it is opened: opening a FIFO or device may wait or act.
std::optional<QByteArray> nameListBytes(const QString& localPath, QString& problem)
{
    const QByteArray name = QFile::encodeName(localPath);
    const QString notAList = QStringLiteral("%1 不是名称表").arg(localPath);
    struct stat status {};
    if (localPath.contains(QChar(u'\0')) || ::stat(name.constData(), &status) != 0) {
        problem = QStringLiteral("无法读取 %1：%2").arg(localPath, QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = notAList + QStringLiteral("：它不是普通文件。");
        return std::nullopt;
    }
    OpenError error{};
    const auto file = ReadOnlyFile::openLocal(name.constData(), error);
    if (!file) {
        problem = error == OpenError::NotRegular ? notAList + QStringLiteral("：它不是普通文件。")
                                                 : QStringLiteral("无法读取 %1").arg(localPath);
        return std::nullopt;
    }
    // One byte more than the largest tells a file that grew past it.
    QByteArray bytes(static_cast<qsizetype>(std::min<std::int64_t>(file->size(), kLargestNameList + 1)), Qt::Uninitialized);
    bytes.truncate(static_cast<qsizetype>(file->readAt(0, bytes.data(), static_cast<std::size_t>(bytes.size()))));
    if (file->size() > kLargestNameList || bytes.size() > kLargestNameList) {
        problem = notAList + QStringLiteral("：大于 4 MiB。");
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QString keptNameListPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/names.txt");
}

NameListRead readNameList(const QString& localPath, const std::vector<DayFileEntry>& files)
{
    QString problem;
    const auto bytes = nameListBytes(localPath, problem);
    if (!bytes)
        return unreadable(problem);
    const NameList list = ParseNameList(*bytes);
    NameListRead read;
    read.skippedLines = list.skippedLines + list.undecodableLines;
    if (list.entries.empty() && list.noNames == NoNames::NotText)
        return unreadable(QStringLiteral("%1 不是名称表：%2。").arg(localPath, noNamesText(list.noNames)));
    SecurityNames names(list, files);
    read.repeatedCodes = names.repeatedCodes();
    if (names.size() == 0) {
        const QString why = list.entries.empty() ? noNamesText(list.noNames) : QStringLiteral("代码都没有日线文件");
        read.problem = QStringLiteral("%1 中没有读到任何证券的名称：%2。").arg(localPath, why);
        return read;
    }
    if (list.undecodableLines > 0)
        read.problem = QStringLiteral("%1 行既不是 UTF-8 也不是 GBK 文本，已跳过。").arg(list.undecodableLines);
    read.names = std::move(names);
    return read;
}

QString nameListSummary(const NameListRead& read)
{
    QString text = QStringLiteral("名称表：读到 %1 个名称，跳过 %2 行")
                       .arg(read.names ? static_cast<qsizetype>(read.names->size()) : 0)
                       .arg(read.skippedLines);
    if (read.repeatedCodes > 0)
        text += QStringLiteral("；%1 个代码重复，以后出现的为准").arg(read.repeatedCodes);
    return text;
}

NameListRead importNameList(const QString& localPath, const std::vector<DayFileEntry>& files, ImportMode mode)
{
    NameListRead read = readNameList(localPath, files);
    if (!read.names)
        return read;
    if (mode == ImportMode::Merge) {
        SecurityNames kept = keptNames(files);
        kept.mergeNewer(*read.names);
        read.names = std::move(kept);
    }
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

bool hasKeptNames()
{
    return keptNames({}).size() > 0;
}

void AssignNames(std::span<ScanRow> rows, const SecurityNames& names)
{
    for (ScanRow& row : rows)
        row.name = names.name(row.market, row.code).value_or(QString());
}

} // namespace verdaxil
