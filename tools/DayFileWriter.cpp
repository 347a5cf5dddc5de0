#include "tools/DayFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <stdexcept>

namespace verdaxil {

QByteArray encodeDayFile(std::span<const DayRecord> records)
{
    QByteArray bytes(static_cast<qsizetype>(records.size()) * kDayRecordSize, Qt::Uninitialized);
    char* out = bytes.data();
    for (const DayRecord& record : records)
        out = std::ranges::copy(encodeDayRecord(record), out).out;
    return bytes;
}

void writeLocalFile(const QString& localPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(localPath).absolutePath());
    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("Cannot write " + localPath.toStdString() + ": " + file.errorString().toStdString());
}

void writeDayFile(const QString& localPath, std::span<const DayRecord> records)
{
    writeLocalFile(localPath, encodeDayFile(records));
}

} // namespace verdaxil
