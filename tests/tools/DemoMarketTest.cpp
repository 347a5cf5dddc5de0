#include "tools/DemoMarket.h"
#include "tools/DemoNames.h"

#include "tools/DayFileWriter.h"
#include "tools/DemoQuotes.h"

#include "quotes/NameList.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

namespace verdaxil {
namespace {

struct MarketCase {
    int securities;
    int days;
    int shanghai; // day files per exchange
    int shenzhen;
    int suspended;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

// The bytes of an exchange's day files by code.
std::map<QString, QByteArray> readDayFiles(const QString& quoteDir, const QString& exchange)
{
    std::map<QString, QByteArray> files;
    const QDir dayDir(QStringLiteral("%1/data/%2/day").arg(quoteDir, exchange));
    for (const QString& name : dayDir.entryList(QDir::Files))
        files[name.chopped(4)] = readAll(dayDir.filePath(name));
    return files;
}

std::int32_t field(const QByteArray& file, qsizetype record, int index)
{
    return qFromLittleEndian<qint32>(file.constData() + record * kDayRecordSize + index * 4);
}

class DemoMarketTest : public ::testing::TestWithParam<MarketCase> {};

TEST_P(DemoMarketTest, ListsBothExchangesWithSuspendedAndDefectiveFiles)
{
    const MarketCase market = GetParam();
    QTemporaryDir dir;
    QTemporaryDir again;
    writeDemoMarket(dir.path(), market.securities, market.days);
    writeDemoMarket(again.path(), market.securities, market.days);

    const std::int32_t lastDay = demoHistory(demoSecurities().front(), market.days).back().date;
    int empty = 0, partRecord = 0, zeroVolume = 0, suspended = 0;
    for (const auto& [exchange, table, count] : {std::tuple{QStringLiteral("shase"), "shacdp.dat", market.shanghai},
                                                 std::tuple{QStringLiteral("sznse"), "szncdp.dat", market.shenzhen}}) {
        const auto files = readDayFiles(dir.path(), exchange);
        EXPECT_TRUE(readDayFiles(again.path(), exchange) == files) << exchange.toStdString();
        EXPECT_EQ(static_cast<int>(files.size()), count) << exchange.toStdString();
        // Shanghai's composite index shares its code with a Shenzhen share.
        EXPECT_TRUE(files.contains(QStringLiteral("000001"))) << exchange.toStdString();
        for (const DemoSecurity& security : demoSecurities()) {
            if (security.shanghai == (exchange == QStringLiteral("shase"))) {
                EXPECT_TRUE(files.at(QLatin1String(security.code)) == encodeDayFile(demoHistory(security, market.days)))
                    << security.code;
            }
        }

        QStringList codes;
        for (const auto& [code, bytes] : files) {
            codes << code;
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{6}$")).match(code).hasMatch()) << code.toStdString();
            empty += bytes.isEmpty();
            partRecord += bytes.size() == kDayRecordSize - 1;
            const qsizetype records = bytes.size() / kDayRecordSize;
            if (records == 0)
                continue;
            EXPECT_EQ(bytes.size() % kDayRecordSize, 0) << code.toStdString();
            bool traded = false;
            for (qsizetype record = 0; record < records; ++record)
                traded = traded || field(bytes, record, 6) != 0;
            zeroVolume += !traded;
            // A suspended security stopped early: fewer records, an older last day.
            const bool older = field(bytes, records - 1, 0) < lastDay;
            suspended += older;
            EXPECT_EQ(records < market.days, older) << code.toStdString();
        }
        // The table file lists the exchange's codes, each once, in order.
        const QByteArray listed = readAll(QStringLiteral("%1/data/%2/%3").arg(dir.path(), exchange, QLatin1String(table)));
        EXPECT_EQ(QString::fromLatin1(listed).split(u'\n', Qt::SkipEmptyParts), codes) << exchange.toStdString();
    }
    EXPECT_EQ(empty, 1);
    EXPECT_EQ(partRecord, 1);
    EXPECT_EQ(zeroVolume, 1);
    EXPECT_EQ(suspended, market.suspended);

    // The name list reads back as an export would: a name for every listing, in order,
    // the title and trailer skipped.
    const NameList names = ParseNameList(readAll(QDir(dir.path()).filePath(QString::fromUtf8(kDemoNameListFile))));
    const auto listings = demoListings(market.securities);
    ASSERT_EQ(names.entries.size(), listings.size());
    for (std::size_t i = 0; i < listings.size(); ++i) {
        EXPECT_EQ(names.entries[i].code, QLatin1String(listings[i].code));
        EXPECT_FALSE(names.entries[i].name.isEmpty());
    }
    EXPECT_EQ(names.skippedLines, 2);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DemoMarketTest,
                         ::testing::Values(MarketCase{100, 100, 48, 52, 2}, MarketCase{300, 120, 141, 159, 6}));

} // namespace
} // namespace verdaxil
