#include "tools/DayFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace verdaxil {

void writeDayFile(const QString& localPath, std::span<const DayRecord> records)
{
    QDir().mkpath(QFileInfo(localPath).absolutePath());
    QFile file(localPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("Cannot write " + localPath.toStdString() + ": " + file.errorString().toStdString());
    for (const DayRecord& record : records) {
        const auto bytes = encodeDayRecord(record);
        file.write(bytes.data(), bytes.size());
    }
    if (!file.flush())
        throw std::runtime_error("Cannot write " + localPath.toStdString() + ": " + file.errorString().toStdString());
}

} // namespace verdaxil
