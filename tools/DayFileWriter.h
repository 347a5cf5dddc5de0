#pragma once

#include "quotes/DayRecord.h"

#include <QByteArray>
#include <QString>

#include <span>

namespace verdaxil {

// The bytes of a day file holding `records`.
QByteArray encodeDayFile(std::span<const DayRecord> records);

// Writes `bytes` as the file at a local path in one write, creating missing
// directories. Throws std::runtime_error when the file cannot be written.
void writeLocalFile(const QString& localPath, const QByteArray& bytes);

// Writes records as a day file at a local path, as writeLocalFile does.
void writeDayFile(const QString& localPath, std::span<const DayRecord> records);

} // namespace verdaxil
