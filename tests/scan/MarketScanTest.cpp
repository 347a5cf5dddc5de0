#include "scan/MarketScan.h"

#include "quotes/TradingDate.h"
#include "runtime/FileSystem.h"
#include "scan/ListExport.h"
#include "support/QuoteDirFixture.h"
#include "tools/DemoQuotes.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace verdaxil {
namespace {

using testing::localDayFile;
using testing::QuoteDirFixture;

std::vector<DayRecord> history(unsigned seed, int days)
{
    const DemoSecurity security{"600000", true, 5000 + static_cast<int>(seed % 7) * 1000, 100'000, seed};
    return demoHistory(security, days);
}

// A small market with every kind of file the scan must live with.
class ScannedMarket : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (unsigned k = 0; k < 12; ++k)
            dir.addDayFile(k % 3 ? Market::Shanghai : Market::Shenzhen, QStringLiteral("6%1").arg(k, 5, 10, QChar(u'0')),
                           history(k, 300 + 37 * static_cast<int>(k)));
        dir.addDayFile(Market::Shanghai, QStringLiteral("600100"), history(99, DayTable::kRows + 321));
        dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600101")));
        dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600102")), QByteArray(39, '\x07'));
        // A sparse file of four terabytes: its last days are all zero and are removed.
        QFile sparse(dir.localPath(localDayFile(Market::Shenzhen, QStringLiteral("000103"))));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(std::int64_t{4} << 40));
    }

    std::vector<DayFileEntry> files() const { return ListDayFiles(dir.quoteDir()).files; }

    static QByteArray json(const ScanResult& result)
    {
        std::vector<const ScanRow*> rows;
        for (const ScanRow& row : result.rows)
            rows.push_back(&row);
        return listJson(rows, {result.listDay, {}, result.previousDay, 30, 6, rows.size()});
    }

    QuoteDirFixture dir;
};

TEST_F(ScannedMarket, EveryThreadCountGivesWhatEachFileGivesAlone)
{
    const auto listed = files();
    ASSERT_EQ(listed.size(), 16u);
    const ScanResult one = ScanDayFiles(listed, {.horizon = 30, .fee = 6, .jobs = 1}, {}, [](ScanProgress) {});
    ASSERT_EQ(one.rows.size(), listed.size());
    EXPECT_FALSE(one.stopped);
    for (std::size_t k = 0; k < listed.size(); ++k) {
        SecurityEvaluator alone;
        OpenError error{};
        const auto file = ReadOnlyFile::openLocal(listed[k].localPath.constData(), error);
        ASSERT_TRUE(file);
        EXPECT_EQ(one.rows[k].code, listed[k].code);
        const SecurityEvaluation evaluation = alone.evaluate(*file, 30, 6);
        // A file without a usable day is an error row: empty, 39 bytes, all zeros.
        if (!evaluation.indicators.latest)
            EXPECT_EQ(one.rows[k].error, QStringLiteral("没有有效的日线")) << listed[k].code.toStdString();
        else
            EXPECT_EQ(one.rows[k].evaluation, evaluation) << listed[k].code.toStdString();
    }
    for (int jobs : {2, 3, 64})
        EXPECT_EQ(json(ScanDayFiles(listed, {.horizon = 30, .fee = 6, .jobs = jobs}, {}, [](ScanProgress) {})), json(one))
            << jobs << " jobs";
}

TEST_F(ScannedMarket, FilesThatGoAwayGiveRowsWithErrors)
{
    const auto listed = files();
    const auto localPath = [&](std::size_t k) { return QFile::decodeName(listed[k].localPath); };
    ASSERT_TRUE(QFile::remove(localPath(0)));
    ASSERT_TRUE(QFile::remove(localPath(1)));
    ASSERT_EQ(::mkfifo(listed[1].localPath.constData(), 0600), 0);
    ASSERT_TRUE(QFile::remove(localPath(2)));
    ASSERT_EQ(::mkdir(listed[2].localPath.constData(), 0700), 0);

    const ScanResult result = ScanDayFiles(listed, {.horizon = 30, .fee = 6, .jobs = 2}, {}, [](ScanProgress) {});
    ASSERT_EQ(result.rows.size(), listed.size());
    const QString expected[] = {QStringLiteral("文件不存在"), QStringLiteral("不是普通文件"), QStringLiteral("不是普通文件")};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_FALSE(result.rows[k].evaluation);
        EXPECT_EQ(result.rows[k].error, expected[k]);
    }
    for (std::size_t k = 3; k < listed.size(); ++k)
        EXPECT_TRUE(result.rows[k].evaluation || result.rows[k].error == QStringLiteral("没有有效的日线")) << k;
}

// Many names for one long file make a scan that outlasts the first progress report.
std::vector<DayFileEntry> manyEntries(const QuoteDirFixture& dir, int count)
{
    const QString path = dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600100")));
    std::vector<DayFileEntry> entries;
    for (int k = 0; k < count; ++k)
        entries.push_back({Market::Shanghai, QString::number(600000 + k), SecurityClass::AShare, QFile::encodeName(path)});
    return entries;
}

TEST_F(ScannedMarket, ProgressRisesToTheTotal)
{
    const auto entries = manyEntries(dir, 200);
    std::vector<ScanProgress> seen;
    ScanDayFiles(entries, {.horizon = 5000, .fee = 6, .jobs = 2}, {}, [&](ScanProgress progress) { seen.push_back(progress); });
    ASSERT_GE(seen.size(), 2u);
    for (std::size_t k = 1; k < seen.size(); ++k) {
        EXPECT_LE(seen[k - 1].done, seen[k].done);
        EXPECT_EQ(seen[k].total, entries.size());
    }
    EXPECT_EQ(seen.back().done, entries.size());
}

TEST_F(ScannedMarket, StoppingKeepsTheRowsDoneInOrder)
{
    const auto entries = manyEntries(dir, 20000);
    std::stop_source stop;
    const ScanResult result =
        ScanDayFiles(entries, {.horizon = 30, .fee = 6, .jobs = 2}, stop.get_token(), [&](ScanProgress) { stop.request_stop(); });
    EXPECT_TRUE(result.stopped);
    ASSERT_LT(result.rows.size(), entries.size());
    for (std::size_t k = 1; k < result.rows.size(); ++k)
        ASSERT_LT(result.rows[k - 1].code.toInt(), result.rows[k].code.toInt());

    std::stop_source before;
    before.request_stop();
    const ScanResult none = ScanDayFiles(entries, {.horizon = 30, .fee = 6, .jobs = 2}, before.get_token(), [](ScanProgress) {});
    EXPECT_TRUE(none.stopped);
    EXPECT_TRUE(none.rows.empty());
}

// Files deleted, truncated, replaced by FIFOs or folders while two threads scan them:
// no crash, no hang, and every untouched file's row as if nothing had happened.
TEST(ScanWhileTheMarketChanges, UntouchedRowsStayRight)
{
    QuoteDirFixture dir;
    for (int k = 0; k < 120; ++k)
        dir.addDayFile(Market::Shanghai, QString::number(600000 + k), history(static_cast<unsigned>(k), 1500));
    const std::vector<DayFileEntry> listed = ListDayFiles(dir.quoteDir()).files;
    std::vector<QByteArray> bytes;
    std::vector<SecurityEvaluation> before;
    for (const DayFileEntry& entry : listed) {
        QFile file(QFile::decodeName(entry.localPath));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes.push_back(file.readAll());
        SecurityEvaluator alone;
        OpenError error{};
        before.push_back(alone.evaluate(*ReadOnlyFile::openLocal(entry.localPath.constData(), error), 30, 6));
    }

    // Every third file is changed, in turn, while the scan runs.
    const auto touched = [](std::size_t k) { return k % 3 == 0; };
    std::jthread mutator([&](std::stop_token stop) {
        for (std::size_t round = 0; !stop.stop_requested(); ++round) {
            for (std::size_t k = 0; k < listed.size() && !stop.stop_requested(); k += 3) {
                const char* path = listed[k].localPath.constData();
                ::rmdir(path);
                ::unlink(path);
                switch ((round + k) % 4) {
                case 0: { // a shorter copy, cut inside a record
                    const int descriptor = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
                    const auto length = static_cast<std::size_t>(round * 397 % static_cast<std::size_t>(bytes[k].size()));
                    [[maybe_unused]] const auto written = ::write(descriptor, bytes[k].constData(), length);
                    ::close(descriptor);
                    break;
                }
                case 1: ::mkfifo(path, 0600); break;
                case 2: ::mkdir(path, 0700); break;
                default: break; // gone
                }
            }
        }
    });
    for (int scan = 0; scan < 20; ++scan) {
        const ScanResult result = ScanDayFiles(listed, {.horizon = 30, .fee = 6, .jobs = 2}, {}, [](ScanProgress) {});
        ASSERT_EQ(result.rows.size(), listed.size());
        for (std::size_t k = 0; k < listed.size(); ++k) {
            if (!touched(k)) {
                ASSERT_EQ(result.rows[k].evaluation, before[k]) << listed[k].code.toStdString();
            }
        }
    }
}

} // namespace
} // namespace verdaxil
