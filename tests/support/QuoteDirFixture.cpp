#include "support/QuoteDirFixture.h"

#include "tools/DayFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace verdaxil::testing {

QuoteDirFixture::QuoteDirFixture()
{
    EXPECT_TRUE(dir_.isValid());
}

QString QuoteDirFixture::quoteDir() const
{
    return dir_.path();
}

QString QuoteDirFixture::localPath(const QString& relative) const
{
    return dir_.filePath(relative);
}

void QuoteDirFixture::addDayFile(Market market, const QString& code, const std::vector<DayRecord>& records)
{
    writeDayFile(localPath(localDayFile(market, code)), records);
}

QString localDayFile(Market market, const QString& code)
{
    return QuoteLayout::localDayDirectory(market) + code + QuoteLayout::kDayFileSuffix;
}

void QuoteDirFixture::addDirectory(const QString& relative)
{
    ASSERT_TRUE(QDir().mkpath(localPath(relative)));
}

void QuoteDirFixture::addFile(const QString& relative, const QByteArray& content)
{
    const QString path = localPath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

DayRecord sampleRecord(int day)
{
    return {20200101 + day, 10000 + day, 10500 + day, 9800 + day, 10200 + day, 123450 + day, 1234 + day};
}

} // namespace verdaxil::testing
