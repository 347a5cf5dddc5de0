#pragma once

#include "quotes/DayRecord.h"

#include <QString>

#include <span>

namespace verdaxil {

// Writes records as a day file at a local path, creating missing directories.
// Throws std::runtime_error when the file cannot be written.
void writeDayFile(const QString& localPath, std::span<const DayRecord> records);

} // namespace verdaxil
