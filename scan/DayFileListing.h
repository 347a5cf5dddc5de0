#pragma once

#include "quotes/Market.h"
#include "scan/SecurityClass.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace verdaxil {

struct DayFileEntry {
    Market market = Market::None;
    QString code;
    SecurityClass securityClass = SecurityClass::Other;
    QByteArray localPath; // in the file system's own form, made once for the workers
};

struct DayFileListing {
    // Shanghai first, then Shenzhen, each by the code's code page 936 bytes.
    std::vector<DayFileEntry> files;
    // False when neither day directory could be opened.
    bool foundDayDirectory = false;
    // The two day directories as the file system was asked for them.
    QStringList directoriesLookedAt;
};

// The day files of both exchanges' day directories below the quote directory, mapped
// as the query maps its paths. Only regular files named code + ".day" whose code the
// query could be given (5 to 7 bytes, no path separator) count; anything else is not
// a security.
DayFileListing ListDayFiles(const QString& quoteDir);

} // namespace verdaxil
