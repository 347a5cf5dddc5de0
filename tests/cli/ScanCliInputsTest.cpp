// What verdaxil-scan does with odd inputs: outputs onto what it reads, FIFOs for name
// lists, damaged and half-downloaded markets, options that contradict each other.
#include "cli/ScanCli.h"
#include "quotes/QuoteLayout.h"
#include "scan/NameListFiles.h"

#include "support/CliRun.h"
#include "support/QuoteDirFixture.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace verdaxil {
namespace {

using testing::CliRun;
using testing::localDayFile;
using testing::QuoteDirFixture;
using testing::runCli;
using testing::sampleRecord;

CliRun scan(QStringList arguments, ScanEnvironment environment = {})
{
    return runCli([&](auto&&... a) { return runScanCli(a..., environment); }, "verdaxil-scan", std::move(arguments));
}

// `count` weekdays from 2025-03-03 on, each a plain record.
std::vector<DayRecord> tradingDays(int count)
{
    std::vector<DayRecord> records;
    for (QDate day(2025, 3, 3); static_cast<int>(records.size()) < count; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        records.push_back(sampleRecord(static_cast<int>(records.size())));
        records.back().date = day.year() * 10000 + day.month() * 100 + day.day();
    }
    return records;
}

// The bytes of a file, or where a link points.
QByteArray stateOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "-> " + QFile::encodeName(info.symLinkTarget());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

struct TargetCase {
    const char* target; // day, table, names, link-KIND, inside-data, loop, self, dangling
    bool force;
};

class OutputOntoInputs : public ::testing::TestWithParam<TargetCase> {};

// Whatever the path, through links or not, with --force or not: status 4 and the
// target as it was.
TEST_P(OutputOntoInputs, IsRefusedAndLeavesTheTargetAsItWas)
{
    QuoteDirFixture dir;
    dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), tradingDays(80));
    dir.addFile(QuoteLayout::localTableFile(Market::Shanghai), "table");
    dir.addFile(QStringLiteral("names.txt"), "600000\t浦发银行\n");
    const std::map<QString, QString> inputs = {
        {QStringLiteral("day"), dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000")))},
        {QStringLiteral("table"), dir.localPath(QuoteLayout::localTableFile(Market::Shanghai))},
        {QStringLiteral("names"), dir.localPath(QStringLiteral("names.txt"))},
    };
    const QString kind = QString::fromLatin1(GetParam().target);
    QString output = dir.localPath(QStringLiteral("out"));
    if (inputs.contains(kind))
        output = inputs.at(kind);
    else if (kind.startsWith(u"link-"))
        ASSERT_TRUE(QFile::link(inputs.at(kind.mid(5)), output));
    else if (kind == u"loop")
        ASSERT_TRUE(QFile::link(dir.localPath(QStringLiteral("other")), output)
                    && QFile::link(output, dir.localPath(QStringLiteral("other"))));
    else if (kind == u"inside-data")
        output = dir.localPath(QStringLiteral("data/shase/list.csv"));
    else if (kind == u"self")
        ASSERT_TRUE(QFile::link(output, output));
    else
        ASSERT_TRUE(QFile::link(dir.localPath(QStringLiteral("nowhere")), output));
    const QByteArray before = stateOf(output);
    const QByteArray end = stateOf(QFileInfo(output).canonicalFilePath());

    QStringList arguments = {QStringLiteral("--dir"),    dir.quoteDir(), QStringLiteral("--names"), inputs.at(u"names"_qs),
                             QStringLiteral("--output"), output};
    if (GetParam().force)
        arguments.append(QStringLiteral("--force"));
    const CliRun run = scan(arguments);
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    EXPECT_EQ(stateOf(output), before);
    EXPECT_EQ(stateOf(QFileInfo(output).canonicalFilePath()), end);
    EXPECT_FALSE(QFile::exists(dir.localPath(QStringLiteral("nowhere"))));
}

INSTANTIATE_TEST_SUITE_P(Targets, OutputOntoInputs,
                         ::testing::Values(TargetCase{"day", true}, TargetCase{"table", true}, TargetCase{"names", true},
                                           TargetCase{"link-day", true}, TargetCase{"link-table", true},
                                           TargetCase{"link-names", true}, TargetCase{"inside-data", false},
                                           TargetCase{"loop", false}, TargetCase{"self", true}, TargetCase{"dangling", false}));

// A FIFO is no name list: given, it is refused at once; kept, it is passed over.
TEST(NameListFifo, AnswersWithinASecond)
{
    QuoteDirFixture dir;
    dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), tradingDays(80));
    const QString fifo = dir.localPath(QStringLiteral("names.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    const CliRun given = scan({QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("--names"), fifo});
    EXPECT_EQ(given.status, 2);
    EXPECT_TRUE(given.err.contains(QStringLiteral("不是名称表"))) << given.err.toStdString();

    QStandardPaths::setTestModeEnabled(true);
    const QString kept = keptNameListPath();
    QFile::remove(kept);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(kept).path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(kept).constData(), 0600), 0);
    const CliRun keptFifo = scan({QStringLiteral("--dir"), dir.quoteDir()});
    QFile::remove(kept);
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_EQ(keptFifo.status, 0) << keptFifo.err.toStdString();
    EXPECT_LT(clock.elapsed(), 1000);
}

// Ten files to the day, an empty one, one of 39 bytes, one whose history is followed by
// a zero-filled tail and one a day ahead of the others.
TEST(DamagedMarket, RowsCountsAndSentences)
{
    QuoteDirFixture dir;
    const std::vector<DayRecord> history = tradingDays(80);
    for (int k = 0; k < 10; ++k)
        dir.addDayFile(Market::Shanghai, QString::number(600000 + k), history);
    dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600100")));
    dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600101")), QByteArray(39, '\x05'));
    dir.addDayFile(Market::Shanghai, QStringLiteral("600102"), history);
    {
        QFile zeroTailed(dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600102"))));
        ASSERT_TRUE(zeroTailed.open(QIODevice::Append));
        zeroTailed.write(QByteArray(40 * 6000, '\0')); // more than a table holds
    }
    dir.addDayFile(Market::Shanghai, QStringLiteral("600103"), tradingDays(81));
    const std::int32_t listDay = tradingDays(81).back().date;
    const std::int32_t dayBefore = history.back().date;

    const auto run = [&](QStringList more) {
        const CliRun result = scan(QStringList{QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"),
                                               QStringLiteral("--dir"), dir.quoteDir()}
                                       + more,
                                   {false, 20261209, false});
        EXPECT_EQ(result.status, 0) << result.err.toStdString();
        return result;
    };
    const CliRun latest = run({});
    std::map<QString, QJsonObject> rows;
    for (const QJsonValue& row : latest.json().value(QStringLiteral("rows")).toArray())
        rows[row[QStringLiteral("code")].toString()] = row.toObject();
    for (const char* code : {"600100", "600101"})
        EXPECT_EQ(rows[QLatin1String(code)][QStringLiteral("error")], QStringLiteral("没有有效的日线")) << code;
    QJsonObject zeroTailed = rows[QStringLiteral("600102")];
    QJsonObject plain = rows[QStringLiteral("600001")];
    for (QJsonObject* row : {&zeroTailed, &plain})
        row->remove(QStringLiteral("code"));
    EXPECT_EQ(zeroTailed, plain);
    EXPECT_EQ(zeroTailed[QStringLiteral("date")].toInt(), dayBefore);
    EXPECT_TRUE(latest.err.contains(QStringLiteral("11 个停牌/未更新，2 个文件无法读取"))) << latest.err.toStdString();
    const QString unfinished = QStringLiteral("只有 1/12 个证券有 %1-%2-%3 的日线，数据可能未下载完")
                                   .arg(listDay / 10000)
                                   .arg(listDay / 100 % 100, 2, 10, QChar(u'0'))
                                   .arg(listDay % 100, 2, 10, QChar(u'0'));
    EXPECT_TRUE(latest.err.contains(unfinished)) << latest.err.toStdString();
    // Data a year old are old whatever day was asked for.
    for (const CliRun& result : {latest, run({QStringLiteral("--day"), QStringLiteral("20261209")})})
        EXPECT_TRUE(result.err.contains(QStringLiteral("早于最近交易日"))) << result.err.toStdString();
    // The day before's list: whole, nothing unfinished about it.
    const CliRun before = run({QStringLiteral("--day"), QString::number(dayBefore)});
    EXPECT_EQ(before.json().value(QStringLiteral("day")).toInt(), dayBefore);
    EXPECT_FALSE(before.err.contains(QStringLiteral("未下载完"))) << before.err.toStdString();
}

struct Contradiction {
    QStringList arguments;
    bool outputIsTerminal;
    int status;
    const char* message;
};

class ScanCliOptions : public ::testing::TestWithParam<Contradiction> {};

TEST_P(ScanCliOptions, AreUsageErrorsWithOneLine)
{
    QuoteDirFixture dir;
    dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), tradingDays(80));
    dir.addFile(QStringLiteral("nonames.txt"), "序号,证券代码,最新价\n1,600000,10.5\n");
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("QUOTES"), dir.quoteDir());
    const CliRun run = scan(arguments, {false, std::nullopt, GetParam().outputIsTerminal});
    EXPECT_EQ(run.status, GetParam().status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().message))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Options, ScanCliOptions,
    ::testing::Values(Contradiction{{"--dir", "QUOTES", "--report", "--from", "20250101", "--to", "20200101"},
                                    false,
                                    2,
                                    "--from 20250101 is after --to 20200101"},
                      Contradiction{{"--dir", "QUOTES", "--output", ""}, false, 2, "--output takes a file name"},
                      Contradiction{{"--dir", "QUOTES", "--format", "xlsx"}, true, 2, "--format xlsx"},
                      Contradiction{{"--dir", "QUOTES", "--format", "xlsx"}, false, 0, ""},
                      Contradiction{{"--dir", "QUOTES", "--fee", "0"}, false, 0, "手续费 0 按 6 计算"},
                      Contradiction{{"--dir", "QUOTES", "--fee", "-3"}, false, 0, "手续费 -3 按 6 计算"},
                      Contradiction{{"--dir", "QUOTES", "--names", "QUOTES/nonames.txt"}, false, 0, "找不到名称列"},
                      Contradiction{{"--dir", "QUOTES", "--names", "QUOTES/nonames.txt"}, false, 0, "读到 0 个名称，跳过 1 行"},
                      Contradiction{{"--dir", "QUOTES", "--names", "QUOTES/missing.txt"}, false, 2, "无法读取"}));

} // namespace
} // namespace verdaxil
