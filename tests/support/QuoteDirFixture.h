#pragma once

#include "quotes/DayRecord.h"
#include "quotes/Market.h"
#include "quotes/QuoteLayout.h"

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

    void addDayFile(Market market, const QString& code, const std::vector<DayRecord>& records = {});
    void addDirectory(const QString& relative);
    void addFile(const QString& relative, const QByteArray& content = {});

private:
    QTemporaryDir dir_;
};

// The day file of a code below the quote directory, relative to it.
QString localDayFile(Market market, const QString& code);

// A plain record with every field set; `day` varies date and prices a little.
DayRecord sampleRecord(int day);

} // namespace verdaxil::testing
