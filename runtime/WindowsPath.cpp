#include "runtime/WindowsPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace verdaxil {

namespace {

bool startsWithDriveLetter(const QString& path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].unicode() < 0x80 && path[0].isLetter();
}

QString winePrefix()
{
    const QString prefix = qEnvironmentVariable("WINEPREFIX");
    return prefix.isEmpty() ? QDir::homePath() + QStringLiteral("/.wine") : prefix;
}

bool equalIgnoringAsciiCase(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype k = 0; k < a.size(); ++k) {
        const char16_t x = a[k].unicode();
        const char16_t y = b[k].unicode();
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

// The entry of `directory` whose name matches `name` ignoring ASCII case; of several,
// the first by name, so that the choice is the same every time.
QString entryIgnoringCase(const QString& directory, const QString& name)
{
    const QStringList entries =
        QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (equalIgnoringAsciiCase(entry, name))
            return entry;
    }
    return {};
}

// Windows finds a file whatever the ASCII case of its name's letters, and so does
// Wine: "Data\SHASE\Day\600000.DAY" is found as "data\shase\day\600000.day". Each
// component of `rest` below `base` that does not exist as spelled is taken as the
// entry that matches it ignoring case; the first missing one ends the search and the
// rest stays as spelled. A path that exists as spelled costs no directory read.
QString resolveCase(const QString& base, const QString& rest)
{
    if (QFileInfo::exists(base + rest) || rest.contains(QChar(u'\0')))
        return base + rest;
    const QStringList parts = rest.split(u'/');
    QString resolved = base;
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const QString& part = parts[k];
        const QString directory = resolved;
        resolved += (k == 0 ? QString() : QStringLiteral("/")) + part;
        if (part.isEmpty() || QFileInfo::exists(resolved))
            continue;
        const QString match = entryIgnoringCase(directory.isEmpty() ? QStringLiteral(".") : directory, part);
        if (match.isEmpty())
            return directory + (k == 0 ? QString() : QStringLiteral("/")) + parts.mid(k).join(u'/');
        resolved = directory + (k == 0 ? QString() : QStringLiteral("/")) + match;
    }
    return resolved;
}

} // namespace

QString toLocalPath(const QString& windowsPath)
{
    // Read once: neither the kernel nor the configuration changes while the program runs.
    static const std::optional<QString> mountRoot = wslMountRoot();
    return toLocalPath(windowsPath, mountRoot);
}

QString toLocalPath(const QString& windowsPath, const std::optional<QString>& wslMountRoot)
{
    QString path = windowsPath;
    path.replace(u'\\', u'/');
    if (!startsWithDriveLetter(path))
        return path.startsWith(u'/') ? resolveCase(QStringLiteral("/"), path.mid(1)) : resolveCase({}, path);

    QString drive = winePrefix() + QStringLiteral("/dosdevices/") + path.left(2).toLower();
    if (wslMountRoot && !QFileInfo::exists(drive)) {
        const QString root = *wslMountRoot;
        drive = root + (root.endsWith(u'/') ? QString() : QStringLiteral("/")) + path.left(1).toLower();
    }
    const QString rest = path.mid(2);
    return resolveCase(drive + u'/', rest.startsWith(u'/') ? rest.mid(1) : rest);
}

std::optional<QString> wslMountRoot(const QByteArray& kernelRelease, bool distroNamed, const QByteArray& wslConf)
{
    if (!distroNamed && !kernelRelease.toLower().contains("microsoft"))
        return std::nullopt;
    // [automount] root = /windir/ ; quotes and comments as WSL allows them.
    QString root = QStringLiteral("/mnt/");
    bool automount = false;
    for (const QByteArray& raw : wslConf.split('\n')) {
        const QString line = QString::fromUtf8(raw).section(u'#', 0, 0).trimmed();
        if (line.startsWith(u'['))
            automount = line.compare(QStringLiteral("[automount]"), Qt::CaseInsensitive) == 0;
        else if (automount && line.section(u'=', 0, 0).trimmed().compare(QStringLiteral("root"), Qt::CaseInsensitive) == 0) {
            QString value = line.section(u'=', 1).trimmed();
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            if (!value.isEmpty())
                root = value;
        }
    }
    return root;
}

std::optional<QString> wslMountRoot()
{
    const auto contents = [](const char* path) {
        QFile file(QString::fromLatin1(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    return wslMountRoot(contents("/proc/sys/kernel/osrelease"), qEnvironmentVariableIsSet("WSL_DISTRO_NAME"),
                        contents("/etc/wsl.conf"));
}

std::optional<QByteArray> localFileName(const QString& windowsPath)
{
    if (windowsPath.contains(QChar(u'\0')))
        return std::nullopt;
    return QFile::encodeName(toLocalPath(windowsPath));
}

} // namespace verdaxil
