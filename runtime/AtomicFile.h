#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace verdaxil {

// Writes the whole file or nothing: the bytes go to a temporary file beside it that
// replaces the file only once everything is written. Returns why it failed, if it did;
// the old file is then untouched and no temporary file is left.
std::optional<QString> writeFileAtomically(const QString& localPath, const QByteArray& bytes);

} // namespace verdaxil
