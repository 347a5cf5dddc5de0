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

// A day directory as the listing met it.
struct DayDirectory {
    QString shownPath; // as formed from the quote directory the user typed
    QString localPath; // where the path mapping looked for it
    bool listed = false;
    QString problem; // why it is there but could not be listed; empty when listed or missing
};

struct DayFileListing {
    // Shanghai first, then Shenzhen, each by the code's code page 936 bytes.
    std::vector<DayFileEntry> files;
    std::vector<DayDirectory> directories; // Shanghai's, then Shenzhen's

    bool foundDayDirectory() const;
    // Why no day directory could be listed, one sentence for each: not found, or
    // there but not readable (with the reason).
    QString noDirectoryMessage() const;
    // One warning for each day directory that is there but could not be listed while
    // the other could: its securities are missing from the list.
    QStringList unreadableDirectoryWarnings() const;
};

// The day files of both exchanges' day directories below the quote directory, mapped
// as the query maps its paths. Only regular files named code + ".day" whose code the
// query could be given (5 to 7 bytes, no path separator) count; anything else is not
// a security.
DayFileListing ListDayFiles(const QString& quoteDir);

} // namespace verdaxil
