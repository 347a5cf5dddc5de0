#pragma once

#include <QString>

namespace verdaxil {

// The program forms Windows-style paths ("D:\YYY\data\..."), as the quote terminal
// lays them out. This maps one onto the local file system the way Wine does for
// Windows programs: every backslash separates, and a leading drive letter "X:" is
// the prefix's dosdevices/x: ($WINEPREFIX, else ~/.wine). Nothing else changes.
QString toLocalPath(const QString& windowsPath);

} // namespace verdaxil
