#pragma once

#include "quotes/DayRecord.h"

#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace verdaxil::testing {

// A quote directory in a temporary folder. quoteDir() is the text to put in the
// directory box: a plain local path, which the path mapping leaves alone.
class QuoteDirFixture {
public:
    QuoteDirFixture();

    QString quoteDir() const;
    // Local path of a file below the quote directory, given with forward slashes.
    QString localPath(const QString& relative) const;

    void addDayFile(const QString& exchange, const QString& code, const std::vector<DayRecord>& records = {});
    void addDirectory(const QString& relative);
    void addFile(const QString& relative, const QByteArray& content = {});

private:
    QTemporaryDir dir_;
};

// A plain record with every field set; `day` varies date and prices a little.
DayRecord sampleRecord(int day);

} // namespace verdaxil::testing
