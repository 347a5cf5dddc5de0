#include "runtime/WindowsPath.h"

#include <QDir>
#include <QFile>

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

} // namespace

QString toLocalPath(const QString& windowsPath)
{
    QString path = windowsPath;
    path.replace(u'\\', u'/');
    if (!startsWithDriveLetter(path))
        return path;

    const QString drive = winePrefix() + QStringLiteral("/dosdevices/") + path.left(2).toLower();
    const QString rest = path.mid(2);
    return rest.startsWith(u'/') ? drive + rest : drive + u'/' + rest;
}

std::optional<QByteArray> localFileName(const QString& windowsPath)
{
    if (windowsPath.contains(QChar(u'\0')))
        return std::nullopt;
    return QFile::encodeName(toLocalPath(windowsPath));
}

} // namespace verdaxil
