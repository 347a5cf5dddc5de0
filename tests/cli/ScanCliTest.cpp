#include "cli/ScanCli.h"
#include "analysis/QueryCommand.h"
#include "cli/QueryCli.h"
#include "quotes/TableFiles.h"
#include "runtime/CodePage936.h"
#include "scan/MarketScan.h"

#include "support/CliRun.h"
#include "support/FileSizeLimit.h"
#include "support/QuoteDirFixture.h"
#include "tools/DemoMarket.h"
#include "tools/DemoNames.h"
#include "tools/DemoQuotes.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <random>
#include <thread>

namespace verdaxil {
namespace {

using testing::CliRun;
using testing::FileSizeLimit;
using testing::localDayFile;
using testing::QuoteDirFixture;
using testing::runCli;
using testing::sampleRecord;

CliRun scan(QStringList arguments)
{
    return runCli([](auto&&... a) { return runScanCli(a...); }, "verdaxil-scan", std::move(arguments));
}

CliRun query(QStringList arguments)
{
    return runCli([](auto&&... a) { return runQueryCli(a...); }, "verdaxil-query", std::move(arguments));
}

std::vector<DayRecord> days(int count, std::int32_t volume = 1234)
{
    std::vector<DayRecord> records;
    for (int day = 0; day < count; ++day) {
        records.push_back(sampleRecord(day));
        records.back().volume = volume;
    }
    return records;
}

// The demo securities with files that test every corner of the figures, and a
// Shanghai index whose code is also the Shenzhen security 000001's.
class ScanCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeDemoQuoteDir(dir.quoteDir());
        dir.addDayFile(Market::Shanghai, QStringLiteral("000001"), demoHistory(demoSecurities()[1], 900));
        dir.addDayFile(Market::Shanghai, QStringLiteral("600601"), days(1));
        dir.addDayFile(Market::Shanghai, QStringLiteral("600602"), days(59));
        dir.addDayFile(Market::Shenzhen, QStringLiteral("000603"), days(5, 0));
        dir.addDayFile(Market::Shenzhen, QStringLiteral("300604"), demoHistory(demoSecurities()[2], 5432));
        dir.addFile(localDayFile(Market::Shenzhen, QStringLiteral("300605")));
        dir.addFile(localDayFile(Market::Shenzhen, QStringLiteral("300606")), QByteArray(39, '\x01'));
    }

    QuoteDirFixture dir;
};

// What a row holds is what the window's boxes show after a query of that file alone.
QJsonObject asScanRow(const QJsonObject& query)
{
    const auto number = [&](const char* control) {
        bool isNumber = false;
        const qint64 value = query.value(QLatin1String(control)).toString().toLongLong(&isNumber);
        return isNumber ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
    };
    const QString yes = query.value(QStringLiteral("RBtnYes")).toString();
    const QString no = query.value(QStringLiteral("RBtnNo")).toString();
    const QJsonValue recommended = yes.endsWith(u",checked") ? QJsonValue(true)
        : no.endsWith(u",checked")                           ? QJsonValue(false)
                                                             : QJsonValue(QJsonValue::Null);
    return {
        {QStringLiteral("date"), number("LblCDate")},
        {QStringLiteral("price"), number("stockprice")},
        {QStringLiteral("high"), number("EdtHHigh")},
        {QStringLiteral("low"), number("EdtLowest")},
        {QStringLiteral("recommended"), recommended},
        {QStringLiteral("points"), number("EdtSNum")},
        {QStringLiteral("max_gain"), number("HighestPriceinDate")},
        {QStringLiteral("max_gain_percent"), number("EdtRiseRateinHistory")},
        {QStringLiteral("profit_share"), number("EdtRiseRateinDate")},
        {QStringLiteral("share5"), number("Edt5P")},
        {QStringLiteral("share10"), number("Edt10P")},
        {QStringLiteral("share50"), number("Edt50P")},
        {QStringLiteral("share100"), number("Edt100P")},
    };
}

TEST_F(ScanCli, EveryRowAgreesWithAQueryOfItsFile)
{
    const QStringList settings = {QStringLiteral("--fee"), QStringLiteral("0"), QStringLiteral("--horizon"),
                                  QStringLiteral("45")};
    const CliRun scanned = scan(QStringList{QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"),
                                            QStringLiteral("--dir"), dir.quoteDir()}
                                + settings);
    ASSERT_EQ(scanned.status, 0) << scanned.err.toStdString();
    const QJsonObject list = scanned.json();
    EXPECT_EQ(list.value(QStringLiteral("fee")).toInt(), 6);
    EXPECT_EQ(list.value(QStringLiteral("horizon")).toInt(), 45);
    const QJsonArray rows = list.value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(rows.size(), 11);
    EXPECT_EQ(list.value(QStringLiteral("scanned")).toInt(), 11);

    for (const QJsonValue& value : rows) {
        const QJsonObject row = value.toObject();
        const QString code = row.value(QStringLiteral("code")).toString();
        const bool shanghai = row.value(QStringLiteral("market")).toString() == u"SH";
        // A Shenzhen code that Shanghai also has is queried in a directory of its own.
        QuoteDirFixture alone;
        QString quoteDir = dir.quoteDir();
        if (!shanghai && QFile::exists(dir.localPath(localDayFile(Market::Shanghai, code)))) {
            alone.addDirectory(QuoteLayout::localDayDirectory(Market::Shenzhen));
            const QString name = localDayFile(Market::Shenzhen, code);
            ASSERT_TRUE(QFile::copy(dir.localPath(name), alone.localPath(name)));
            quoteDir = alone.quoteDir();
        }
        const CliRun queried =
            query(QStringList{QStringLiteral("--json"), QStringLiteral("--dir"), quoteDir} + settings + QStringList{code});
        ASSERT_EQ(queried.status, 0) << queried.err.toStdString();
        // A file without a usable day is an error of the scan; the query shows it empty.
        if (asScanRow(queried.json()).value(QStringLiteral("date")).isNull()) {
            EXPECT_EQ(row.value(QStringLiteral("error")).toString(), QStringLiteral("没有有效的日线")) << code.toStdString();
            continue;
        }
        QJsonObject figures = row;
        for (const char* key :
             {"market", "code", "name", "new", "class", "board", "since_bp", "stale", "ex_rights_day", "since_ex_rights"})
            figures.remove(QLatin1String(key));
        EXPECT_EQ(figures, asScanRow(queried.json())) << (shanghai ? "SH " : "SZ ") << code.toStdString();
    }
}

TEST_F(ScanCli, TheDaysListIsTheRecommendedRowsOfTheLatestDay)
{
    const CliRun all = scan(
        {QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--dir"), dir.quoteDir()});
    const CliRun list = scan({QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--dir"), dir.quoteDir()});
    const QJsonValue day = all.json().value(QStringLiteral("day"));
    EXPECT_EQ(list.json().value(QStringLiteral("day")), day);
    QJsonArray expected;
    for (const QJsonValue& row : all.json().value(QStringLiteral("rows")).toArray()) {
        if (row.toObject().value(QStringLiteral("date")) == day && row.toObject().value(QStringLiteral("recommended")) == true)
            expected.append(row);
    }
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(list.json().value(QStringLiteral("rows")).toArray(), expected);
}

TEST_F(ScanCli, CsvHasAByteOrderMarkAndChineseTitles)
{
    const CliRun csv = scan({QStringLiteral("--all"), QStringLiteral("--dir"), dir.quoteDir()});
    ASSERT_EQ(csv.status, 0);
    EXPECT_TRUE(csv.bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = csv.out.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines[0].startsWith(
        QStringLiteral("市场,代码,名称,新,类别,板块,最新日期,状态,现价(元),至今涨幅%,是否推荐,选股点,30日内上涨几率%")));
    EXPECT_EQ(lines.size(), 1 + 11 + 1);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("上海,000001,,,指数,,")));
}

// What only a damaged or hostile market holds changes nothing of the list: a file of
// a date far ahead, a file of random bytes, nor a thread count nobody has; and a code
// that a spreadsheet would run as a formula is written as text.
TEST_F(ScanCli, DamagedFilesAndAbsurdThreadCountsLeaveTheList)
{
    const QStringList json = {QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--dir"), dir.quoteDir()};
    const CliRun before = scan(json);
    std::vector<DayRecord> ahead = days(70);
    ahead.back().date = 29991231;
    dir.addDayFile(Market::Shanghai, QStringLiteral("600999"), ahead);
    std::mt19937 random(12);
    QByteArray noise(40 * 300, Qt::Uninitialized);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    dir.addFile(localDayFile(Market::Shenzhen, QStringLiteral("000999")), noise);
    const CliRun after = scan(json + QStringList{QStringLiteral("--jobs"), QStringLiteral("100000")});
    ASSERT_EQ(after.status, 0) << after.err.toStdString();
    EXPECT_EQ(after.json().value(QStringLiteral("day")), before.json().value(QStringLiteral("day")));
    EXPECT_EQ(after.json().value(QStringLiteral("rows")), before.json().value(QStringLiteral("rows")));

    dir.addDayFile(Market::Shanghai, QStringLiteral("=1+23"), days(3));
    const CliRun csv = scan({QStringLiteral("--all"), QStringLiteral("--dir"), dir.quoteDir()});
    EXPECT_TRUE(csv.out.contains(QStringLiteral("\n上海,'=1+23,"))) << csv.out.toStdString();
    EXPECT_TRUE(csv.out.contains(QStringLiteral("\n上海,600999,,,A股,主板,2999-12-31,日期异常,")));
}

// A name list exported as the terminal does (code page 936, tab-separated) names the
// rows; a list day a week old is told on standard error.
TEST_F(ScanCli, NamesBoardsStaleRowsAndOldData)
{
    dir.addFile(QStringLiteral("names.txt"),
                toCodePage936(QStringLiteral("代码\t名称\r\n600000\t浦发银行\r\nSZ300604\t某某科技\r\n")));
    const CliRun run = runCli(
        [](auto&&... a) {
            return runScanCli(a..., ScanEnvironment{false, 20261209});
        },
        "verdaxil-scan",
        {QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--dir"), dir.quoteDir(),
         QStringLiteral("--names"), dir.localPath(QStringLiteral("names.txt"))});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("早于最近交易日"))) << run.err.toStdString();
    std::map<QString, QJsonObject> rows;
    for (const QJsonValue& row : run.json().value(QStringLiteral("rows")).toArray())
        rows[row[QStringLiteral("market")].toString() + row[QStringLiteral("code")].toString()] = row.toObject();
    EXPECT_EQ(rows[QStringLiteral("SH600000")][QStringLiteral("name")], QStringLiteral("浦发银行"));
    EXPECT_EQ(rows[QStringLiteral("SH600000")][QStringLiteral("board")], QStringLiteral("main"));
    EXPECT_EQ(rows[QStringLiteral("SZ300604")][QStringLiteral("name")], QStringLiteral("某某科技"));
    EXPECT_EQ(rows[QStringLiteral("SZ300604")][QStringLiteral("board")], QStringLiteral("chinext"));
    EXPECT_TRUE(rows[QStringLiteral("SH000001")][QStringLiteral("name")].isNull());
    EXPECT_TRUE(rows[QStringLiteral("SH000001")][QStringLiteral("board")].isNull());
    EXPECT_EQ(rows[QStringLiteral("SH600601")][QStringLiteral("stale")], true); // one day, long ago
    EXPECT_EQ(rows[QStringLiteral("SH600000")][QStringLiteral("stale")], false);
}

// A past day's list and the check, end to end on a market of a few hundred securities:
// the list of two weeks before its last day says what was new and how it did since;
// the check gives the years in order with the totals last, a sample size beside every
// share.
TEST(ScanCliHistory, APastDaysListAndTheSignalsRecord)
{
    QuoteDirFixture dir;
    writeDemoMarket(dir.quoteDir(), 300, 400);
    const auto json = [&](QStringList arguments) {
        const CliRun run = scan(
            arguments + QStringList{QStringLiteral("--format"), QStringLiteral("json"), QStringLiteral("--dir"), dir.quoteDir()});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return run.json();
    };
    const QJsonObject latest = json({});
    const int lastDay = latest[QStringLiteral("day")].toInt();
    const int twoWeeksBefore = QDate::fromString(QString::number(lastDay), QStringLiteral("yyyyMMdd"))
                                   .addDays(-14)
                                   .toString(QStringLiteral("yyyyMMdd"))
                                   .toInt();
    const QJsonObject past = json({QStringLiteral("--day"), QString::number(twoWeeksBefore)});
    EXPECT_EQ(past[QStringLiteral("as_of")].toInt(), twoWeeksBefore);
    EXPECT_LE(past[QStringLiteral("day")].toInt(), twoWeeksBefore);
    EXPECT_LT(past[QStringLiteral("previous_day")].toInt(), past[QStringLiteral("day")].toInt());
    const QJsonArray rows = past[QStringLiteral("rows")].toArray();
    ASSERT_FALSE(rows.isEmpty());
    for (const QJsonValue& row : rows) {
        EXPECT_TRUE(row[QStringLiteral("new")].isBool());
        EXPECT_TRUE(row[QStringLiteral("since_bp")].isDouble());
    }
    EXPECT_TRUE(latest[QStringLiteral("rows")].toArray().first()[QStringLiteral("since_bp")].isNull());

    const QJsonObject report = json({QStringLiteral("--report")});
    EXPECT_EQ(report[QStringLiteral("class")], QStringLiteral("a-share"));
    const QJsonArray years = report[QStringLiteral("years")].toArray();
    ASSERT_GE(years.size(), 2);
    EXPECT_TRUE(years.last()[QStringLiteral("year")].isNull());
    qint64 events = 0;
    for (qsizetype k = 0; k + 1 < years.size(); ++k) {
        EXPECT_LT(years[k][QStringLiteral("year")].toInt(),
                  k + 2 < years.size() ? years[k + 1][QStringLiteral("year")].toInt() : 9999);
        events += years[k][QStringLiteral("all")][QStringLiteral("events")].toInteger();
    }
    EXPECT_EQ(years.last()[QStringLiteral("all")][QStringLiteral("events")].toInteger(), events);
    const CliRun csv = scan({QStringLiteral("--report"), QStringLiteral("--dir"), dir.quoteDir()});
    EXPECT_TRUE(csv.out.contains(QStringLiteral("年份,类型,样本数,胜率%,涨5%以上%,涨10%以上%,平均收益%")));
    EXPECT_TRUE(csv.out.contains(QStringLiteral("\r\n合计,推荐日,")));
}

// A 10-for-10 bonus issue planted in one security 20 days before the end: its row says
// so, every window across it is left out, and the trades listed give the report's
// counts, means and medians back.
TEST(ScanCliHistory, TradesGiveTheReportBackAndABonusIssueIsLeftOut)
{
    QuoteDirFixture dir;
    writeDemoMarket(dir.quoteDir(), 300, 400);
    const QString path = dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000")));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const qsizetype records = bytes.size() / kDayRecordSize;
    const qsizetype split = records - 20;
    std::vector<DayRecord> halved;
    for (qsizetype k = 0; k < records; ++k) {
        const char* at = bytes.constData() + k * kDayRecordSize;
        DayRecord r{dayRecordField(at, 0), dayRecordField(at, 1), dayRecordField(at, 2), dayRecordField(at, 3),
                    dayRecordField(at, 4), dayRecordField(at, 5), dayRecordField(at, 6)};
        if (k >= split)
            r = {r.date, r.open / 2, r.high / 2, r.low / 2, r.close / 2, r.amount, r.volume * 2};
        halved.push_back(r);
    }
    file.close();
    dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), halved);
    const std::int32_t splitDay = halved[static_cast<std::size_t>(split)].date;

    const QString trades = dir.localPath(QStringLiteral("trades.json"));
    const CliRun run = scan({"--report", "--format", "json", "--trades", trades, "--horizons", "5,30", "--dir", dir.quoteDir()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject report = run.json();
    QFile listed(trades);
    ASSERT_TRUE(listed.open(QIODevice::ReadOnly));
    const QJsonArray lines = QJsonDocument::fromJson(listed.readAll())[QStringLiteral("trades")].toArray();
    const QJsonObject total = report[QStringLiteral("years")].toArray().last().toObject();
    // The days whose 30 days of holding reach past the split: 20.
    EXPECT_EQ(total[QStringLiteral("all")][QStringLiteral("excluded")].toInteger(), 20);
    EXPECT_EQ(report[QStringLiteral("horizons")].toArray().size(), 2);
    for (const char* kind : {"selection", "recommended"}) {
        SCOPED_TRACE(kind);
        std::vector<qint64> returns;
        qint64 excluded = 0;
        for (const QJsonValue& line : lines) {
            if (line[QStringLiteral("kind")] != QLatin1String(kind))
                continue;
            if (line[QStringLiteral("excluded")].toBool())
                ++excluded;
            else
                returns.push_back(line[QStringLiteral("return_bp")].toInteger());
            EXPECT_EQ(line[QStringLiteral("excluded")].toBool(),
                      line[QStringLiteral("code")] == QLatin1String("600000")
                          && line[QStringLiteral("entry_day")].toInt() < splitDay
                          && line[QStringLiteral("exit_day")].toInt() >= splitDay);
        }
        const QJsonObject counts = total[QLatin1String(kind)].toObject();
        ASSERT_EQ(qint64(returns.size()), counts[QStringLiteral("events")].toInteger());
        EXPECT_EQ(excluded, counts[QStringLiteral("excluded")].toInteger());
        ASSERT_FALSE(returns.empty());
        EXPECT_EQ(std::accumulate(returns.begin(), returns.end(), qint64{0}) / qint64(returns.size()),
                  counts[QStringLiteral("mean_bp")].toInteger());
        std::nth_element(returns.begin(), returns.begin() + (returns.size() - 1) / 2, returns.end());
        EXPECT_EQ(returns[(returns.size() - 1) / 2], counts[QStringLiteral("median_bp")].toInteger());
    }

    const CliRun list = scan({"--all", "--dir", dir.quoteDir()});
    const QStringList rows = list.out.split(QStringLiteral("\r\n"));
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [](const QString& line) { return line.startsWith(QStringLiteral("上海,600000,")); });
    ASSERT_NE(row, rows.end());
    EXPECT_TRUE(row->contains(QStringLiteral(",近期除权,"))) << row->toStdString();
}

struct StatusCase {
    QStringList arguments;
    int status;
    const char* message;
};

class ScanCliStatus : public ScanCli, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ScanCliStatus, ExitsWithItsStatus)
{
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("QUOTES"), dir.quoteDir());
    const CliRun result = scan(arguments);
    EXPECT_EQ(result.status, GetParam().status) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(GetParam().message))) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ScanCliStatus,
    ::testing::Values(StatusCase{{"--dir", "QUOTES", "--fee", "six"}, 1, "verdaxil-scan: 'six'"},
                      StatusCase{{"--dir", "QUOTES", "--horizon", "3 "}, 1, "'3 '"},
                      StatusCase{{"--dir", "QUOTES", "--jobs", "0"}, 2, "--jobs"},
                      StatusCase{{"--dir", "QUOTES", "--jobs", "two"}, 2, "--jobs"},
                      StatusCase{{"--dir", "QUOTES", "--format", "xml"}, 2, "--format"},
                      StatusCase{{"--dir", "QUOTES", "--force"}, 2, "--force"},
                      StatusCase{{"--dir", "QUOTES", "600000"}, 2, "600000"}, StatusCase{{"--bogus"}, 2, "bogus"},
                      StatusCase{{"--dir", "QUOTES/nothing"}, 3, "没有找到日线目录 "},
                      StatusCase{{"--dir", "QUOTES", "--jobs", "99"}, 0, ""},
                      StatusCase{{"--dir", "QUOTES", "--day", "20250230"}, 2, "20250230"},
                      StatusCase{{"--dir", "QUOTES", "--day", "2025-06-17"}, 2, "--day"},
                      StatusCase{{"--dir", "QUOTES", "--from", "20250101"}, 2, "--report"},
                      StatusCase{{"--dir", "QUOTES", "--report", "--class", "warrant"}, 2, "--class"},
                      StatusCase{{"--dir", "QUOTES", "--report", "--day", "20250101"}, 2, "--report"},
                      StatusCase{{"--dir", "QUOTES", "--cost-bp", "-1"}, 2, "--cost-bp"},
                      StatusCase{{"--dir", "QUOTES", "--report", "--horizons", "5,0"}, 2, "--horizons"},
                      StatusCase{{"--dir", "QUOTES", "--trades", "t.csv"}, 2, "--report"},
                      StatusCase{{"--dir", "QUOTES", "--report", "--trades", "t.csv", "--output", "t.csv"}, 2, "same file"},
                      StatusCase{{"--dir", "QUOTES", "--board", "gem"}, 2, "--board"},
                      StatusCase{{"--dir", "QUOTES", "--sort", "价格"}, 2, "--sort"},
                      StatusCase{{"--dir", "QUOTES", "--all", "--recommended-only"}, 2, "--all"},
                      StatusCase{{"--dir", "QUOTES", "--report", "--exclude-st"}, 2, "--report"}));

TEST_F(ScanCli, OutputIsReplacedOnlyWithForce)
{
    const QString path = dir.localPath(QStringLiteral("list.csv"));
    dir.addFile(QStringLiteral("list.csv"), "old");
    const QStringList arguments = {QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("--output"), path};
    const CliRun refused = scan(arguments);
    EXPECT_EQ(refused.status, 4);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
    file.close();

    const CliRun forced = scan(arguments + QStringList{QStringLiteral("--force")});
    EXPECT_EQ(forced.status, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.out.isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\xEF\xBB\xBF"));

    const CliRun impossible =
        scan({QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("--output"), path + QStringLiteral("/x.csv")});
    EXPECT_EQ(impossible.status, 4);
    EXPECT_TRUE(impossible.err.contains(QStringLiteral("verdaxil-scan: Cannot write"))) << impossible.err.toStdString();
}

TEST_F(ScanCli, OutputThatFailsHalfWayLeavesTheOldFileAndNoOther)
{
    dir.addFile(QStringLiteral("list.csv"), "old");
    const QString path = dir.localPath(QStringLiteral("list.csv"));
    CliRun run;
    {
        const FileSizeLimit limit(600);
        run = scan({QStringLiteral("--all"), QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("--output"), path,
                    QStringLiteral("--force")});
    }
    EXPECT_EQ(run.status, 4);
    EXPECT_TRUE(run.err.contains(QStringLiteral("verdaxil-scan: Cannot write"))) << run.err.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old"));
    QStringList files = QDir(dir.quoteDir()).entryList(QDir::Files);
    files.removeOne(QString::fromUtf8(kDemoNameListFile));
    EXPECT_EQ(files, QStringList{QStringLiteral("list.csv")});
}

// A terminal installed under Wine with its folders and files spelled in other cases
// gives what the same files give spelled as the program spells them.
TEST_F(ScanCli, AWinePrefixWithOtherSpellingsGivesTheSameResults)
{
    QuoteDirFixture prefix;
    prefix.addDirectory(QStringLiteral("dosdevices"));
    prefix.addDirectory(QStringLiteral("drive/YYY/Data"));
    ASSERT_TRUE(
        QDir().rename(dir.localPath(QStringLiteral("data/shase")), prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE"))));
    ASSERT_TRUE(
        QDir().rename(dir.localPath(QStringLiteral("data/sznse")), prefix.localPath(QStringLiteral("drive/YYY/Data/SzNsE"))));
    ASSERT_TRUE(QDir().rename(prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/day")),
                              prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/Day"))));
    ASSERT_TRUE(QFile::rename(prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/Day/600000.day")),
                              prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/Day/600000.DAY"))));
    ASSERT_TRUE(QFile::rename(prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/shacdp.dat")),
                              prefix.localPath(QStringLiteral("drive/YYY/Data/SHASE/SHACDP.DAT"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../drive"), prefix.localPath(QStringLiteral("dosdevices/d:"))));

    // The same files spelled as the program spells them, for comparison.
    QuoteDirFixture spelled;
    ASSERT_EQ(
        std::system(QStringLiteral("cp -r '%1/drive/YYY/Data' '%2/data' && cd '%2/data' && mv SHASE shase && mv SzNsE sznse "
                                   "&& mv shase/Day shase/day && mv shase/day/600000.DAY shase/day/600000.day")
                        .arg(prefix.quoteDir(), spelled.quoteDir())
                        .toLocal8Bit()
                        .constData()),
        0);

    qputenv("WINEPREFIX", prefix.quoteDir().toLocal8Bit());
    const QStringList json = {QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"),
                              QStringLiteral("--dir")};
    const CliRun underWine = scan(json + QStringList{QStringLiteral("d:\\YYY")});
    const CliRun asSpelled = scan(json + QStringList{spelled.quoteDir()});
    const CliRun queried =
        query({QStringLiteral("--json"), QStringLiteral("--dir"), QStringLiteral("D:\\yyy"), QStringLiteral("600000")});
    const CliRun queriedAsSpelled =
        query({QStringLiteral("--json"), QStringLiteral("--dir"), spelled.quoteDir(), QStringLiteral("600000")});
    const bool tableFilesOpen = TableFilesOpen(QStringLiteral("D:\\YYY"));
    qunsetenv("WINEPREFIX");
    EXPECT_TRUE(tableFilesOpen);

    ASSERT_EQ(underWine.status, 0) << underWine.err.toStdString();
    EXPECT_EQ(underWine.json().value(QStringLiteral("rows")).toArray().size(), 11);
    EXPECT_EQ(underWine.json(), asSpelled.json());
    EXPECT_EQ(queried.json(), queriedAsSpelled.json());
    EXPECT_EQ(queried.json().value(QStringLiteral("MemMsg")).toString(), QStringLiteral("说明性信息！"));
}

int entriesOf(const char* procDirectory)
{
    return static_cast<int>(QDir(QString::fromLatin1(procDirectory)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

TEST_F(ScanCli, NoDescriptorOrThreadOutlivesManyQueriesAndScans)
{
    const int descriptors = entriesOf("/proc/self/fd");
    const int threads = entriesOf("/proc/self/task");

    const QueryInputs inputs{QStringLiteral("600602"), dir.quoteDir(), QStringLiteral("6"), QStringLiteral("30")};
    for (int query = 0; query < 10'000; ++query)
        ASSERT_TRUE(runQuery(inputs).evaluated());

    const auto files = ListDayFiles(dir.quoteDir()).files;
    std::mt19937 random(100);
    std::uniform_int_distribution<int> microseconds(0, 3000);
    for (int round = 0; round < 100; ++round) {
        std::stop_source stop;
        // Every other scan is stopped at a random moment.
        std::jthread canceller;
        if (round % 2)
            canceller = std::jthread([&, wait = microseconds(random)] {
                std::this_thread::sleep_for(std::chrono::microseconds(wait));
                stop.request_stop();
            });
        ScanDayFiles(files, {.horizon = 30, .fee = 6, .jobs = 3}, stop.get_token(), [](ScanProgress) {});
    }
    EXPECT_EQ(entriesOf("/proc/self/fd"), descriptors);
    EXPECT_EQ(entriesOf("/proc/self/task"), threads);
}

} // namespace
} // namespace verdaxil
