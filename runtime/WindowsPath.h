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
//
// Under Windows Subsystem for Linux a drive the Wine prefix does not have is Windows'
// own drive, mounted at the mount root's letter: "D:\YYY" is /mnt/d/YYY.
QString toLocalPath(const QString& windowsPath);

// As toLocalPath, with the root Windows' drives are mounted below ("/mnt/"), none
// outside WSL.
QString toLocalPath(const QString& windowsPath, const std::optional<QString>& wslMountRoot);

// Under WSL (its kernel's release names Microsoft, or WSL_DISTRO_NAME is set) the root
// of [automount] in /etc/wsl.conf, else "/mnt/"; none elsewhere.
std::optional<QString> wslMountRoot();
// The same from the kernel's release text, whether WSL_DISTRO_NAME is set and the
// text of wsl.conf.
std::optional<QString> wslMountRoot(const QByteArray& kernelRelease, bool distroNamed, const QByteArray& wslConf);

// The local path in the file system's own encoding; none for a path with a NUL
// character, which names no file (the file system would cut the path there).
std::optional<QByteArray> localFileName(const QString& windowsPath);

} // namespace verdaxil
