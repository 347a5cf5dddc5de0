#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace verdaxil {

// The program forms Windows-style paths ("D:\YYY\data\..."), as the quote terminal
// lays them out. This maps one onto the local file system the way Wine does for
// Windows programs: every backslash separates, a leading drive letter "X:" is the
// prefix's dosdevices/x: ($WINEPREFIX, else ~/.wine), and a component that does not
// exist as spelled is the directory's entry that matches it ignoring ASCII case (the
// first by name), which takes a directory read. Nothing else changes.
QString toLocalPath(const QString& windowsPath);

// The local path in the file system's own encoding; none for a path with a NUL
// character, which names no file (the file system would cut the path there).
std::optional<QByteArray> localFileName(const QString& windowsPath);

} // namespace verdaxil
