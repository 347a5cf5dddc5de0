// verdaxil-scan on odd inputs: outputs onto what it reads, FIFOs for name lists, a
// damaged and half-downloaded market, options that contradict each other.
#include "cli/ScanCli.h"
#include "quotes/QuoteLayout.h"
#include "scan/NameListFiles.h"

#include "support/CliRun.h"
#include "support/QuoteDirFixture.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace verdaxil {
namespace {

using testing::CliRun;
using testing::localDayFile;

CliRun scan(QStringList arguments, ScanEnvironment environment = {})
{
    return testing::runCli([&](auto&&... a) { return runScanCli(a..., environment); }, "verdaxil-scan", std::move(arguments));
}

// `count` weekdays from 2025-03-03 on, each a plain record.
std::vector<DayRecord> tradingDays(int count)
{
    std::vector<DayRecord> records;
    for (QDate day(2025, 3, 3); static_cast<int>(records.size()) < count; day = day.addDays(1)) {
        if (day.dayOfWeek() > 5)
            continue;
        records.push_back(testing::sampleRecord(static_cast<int>(records.size())));
        records.back().date = day.year() * 10000 + day.month() * 100 + day.day();
    }
    return records;
}

// The bytes of a file, or where a link points.
QByteArray stateOf(const QString& path)
{
    if (QFileInfo(path).isSymLink())
        return "-> " + QFile::encodeName(QFileInfo(path).symLinkTarget());
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("missing");
}

// A security's day file, a table file and a name list.
struct SmallMarket : testing::QuoteDirFixture {
    SmallMarket()
    {
        addDayFile(Market::Shanghai, QStringLiteral("600000"), tradingDays(80));
        addFile(QuoteLayout::localTableFile(Market::Shanghai), "table");
        addFile(QStringLiteral("names.txt"), "序号,证券代码,最新价\n1,600000,10.5\n");
    }
    std::map<QString, QString> inputs() const
    {
        return {{QStringLiteral("day"), localPath(localDayFile(Market::Shanghai, QStringLiteral("600000")))},
                {QStringLiteral("table"), localPath(QuoteLayout::localTableFile(Market::Shanghai))},
                {QStringLiteral("names"), localPath(QStringLiteral("names.txt"))}};
    }
};

class OutputOntoInputs : public ::testing::TestWithParam<const char*> {};

// Whatever the path, through links or not: status 4, the target and every input as they
// were. Only the dangling link is tried without --force: a link there counts as a file.
TEST_P(OutputOntoInputs, IsRefusedAndLeavesEverythingAsItWas)
{
    const SmallMarket dir;
    const auto inputs = dir.inputs();
    const QString kind = QString::fromLatin1(GetParam());
    QString output = dir.localPath(QStringLiteral("out"));
    const QString other = dir.localPath(QStringLiteral("other"));
    if (inputs.contains(kind))
        output = inputs.at(kind);
    else if (kind.startsWith(u"link-"))
        ASSERT_TRUE(QFile::link(inputs.at(kind.mid(5)), output));
    else if (kind == u"inside-data")
        output = dir.localPath(QStringLiteral("data/shase/list.csv"));
    else if (kind == u"dangling-into-data") // to a file not there yet
        ASSERT_TRUE(QFile::link(dir.localPath(QStringLiteral("data/shase/list.csv")), output));
    else if (kind == u"loop")
        ASSERT_TRUE(QFile::link(other, output) && QFile::link(output, other));
    else
        ASSERT_TRUE(QFile::link(kind == u"self" ? output : other, output));
    const auto snapshot = [&] {
        QList<QByteArray> states{stateOf(output), stateOf(other)};
        for (const auto& [name, path] : inputs)
            states.append(stateOf(path));
        return states;
    };
    const QList<QByteArray> before = snapshot();
    QStringList arguments = {QStringLiteral("--dir"),    dir.quoteDir(), QStringLiteral("--names"), inputs.at(u"names"_qs),
                             QStringLiteral("--output"), output};
    if (kind != u"dangling")
        arguments.append(QStringLiteral("--force"));
    const CliRun run = scan(arguments);
    EXPECT_EQ(run.status, 4) << run.err.toStdString();
    EXPECT_EQ(snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(Targets, OutputOntoInputs,
                         ::testing::Values("day", "table", "names", "link-day", "link-table", "link-names", "inside-data",
                                           "dangling-into-data", "loop", "self", "dangling"));

// A FIFO is no name list: given, it is refused at once; kept, it is passed over.
TEST(NameListFifo, AnswersWithinASecond)
{
    const SmallMarket dir;
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
// a zero-filled tail longer than a table and one a day ahead of the others.
TEST(DamagedMarket, RowsCountsAndSentences)
{
    testing::QuoteDirFixture dir;
    const std::vector<DayRecord> history = tradingDays(80);
    for (int k = 0; k < 10; ++k)
        dir.addDayFile(Market::Shanghai, QString::number(600000 + k), history);
    dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600100")));
    dir.addFile(localDayFile(Market::Shanghai, QStringLiteral("600101")), QByteArray(39, '\x05'));
    dir.addDayFile(Market::Shanghai, QStringLiteral("600102"), history);
    QFile zeroTailed(dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600102"))));
    ASSERT_TRUE(zeroTailed.open(QIODevice::Append) && zeroTailed.write(QByteArray(40 * 6000, '\0')) > 0);
    zeroTailed.close();
    dir.addDayFile(Market::Shanghai, QStringLiteral("600103"), tradingDays(81));
    const QDate listDay = QDate::fromString(QString::number(tradingDays(81).back().date), QStringLiteral("yyyyMMdd"));

    const auto run = [&](QStringList more) {
        return scan(QStringList{QStringLiteral("--all"), QStringLiteral("--format"), QStringLiteral("json"),
                                QStringLiteral("--dir"), dir.quoteDir()}
                        + more,
                    {false, 20261209, false});
    };
    const CliRun latest = run({});
    ASSERT_EQ(latest.status, 0) << latest.err.toStdString();
    std::map<QString, QJsonObject> rows;
    for (const QJsonValue& row : latest.json().value(QStringLiteral("rows")).toArray())
        rows[row[QStringLiteral("code")].toString()] = row.toObject();
    for (const char* code : {"600100", "600101"})
        EXPECT_EQ(rows[QLatin1String(code)][QStringLiteral("error")], QStringLiteral("没有有效的日线")) << code;
    for (const char* code : {"600001", "600102"})
        rows[QLatin1String(code)].remove(QStringLiteral("code"));
    EXPECT_EQ(rows[QStringLiteral("600102")], rows[QStringLiteral("600001")]); // the history before the zeros
    EXPECT_TRUE(latest.err.contains(QStringLiteral("11 个停牌/未更新，2 个文件无法读取"))) << latest.err.toStdString();
    EXPECT_TRUE(latest.err.contains(
        QStringLiteral("只有 1/12 个证券有 %1 的日线，数据可能未下载完").arg(listDay.toString(QStringLiteral("yyyy-MM-dd")))))
        << latest.err.toStdString();
    // Data a year old are old whatever day was asked for; the day before's list is whole.
    const CliRun future = run({QStringLiteral("--day"), QStringLiteral("20261209")});
    const CliRun before = run({QStringLiteral("--day"), QString::number(history.back().date)});
    for (const CliRun* result : {&latest, &future, &before})
        EXPECT_TRUE(result->err.contains(QStringLiteral("早于最近交易日"))) << result->err.toStdString();
    EXPECT_EQ(before.json().value(QStringLiteral("day")).toInt(), history.back().date);
    EXPECT_FALSE(before.err.contains(QStringLiteral("未下载完"))) << before.err.toStdString();
}

struct OptionCase {
    QStringList arguments;
    bool outputIsTerminal;
    int status;
    const char* message;
};

class ScanCliOptions : public ::testing::TestWithParam<OptionCase> {};

// Contradictions are usage errors of one line; a fee below 1 and a name list that names
// nothing are said and go on.
TEST_P(ScanCliOptions, AnswerWithTheirStatusAndLine)
{
    const SmallMarket dir;
    QStringList arguments = QStringList{QStringLiteral("--dir"), dir.quoteDir()} + GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("QUOTES"), dir.quoteDir());
    const CliRun run = scan(arguments, {false, std::nullopt, GetParam().outputIsTerminal});
    EXPECT_EQ(run.status, GetParam().status) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().message))) << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Options, ScanCliOptions,
    ::testing::Values(OptionCase{{"--report", "--from", "20250101", "--to", "20200101"}, false, 2, "--from 20250101 is after"},
                      OptionCase{{"--output", ""}, false, 2, "--output takes a file name"},
                      OptionCase{{"--format", "xlsx"}, true, 2, "--format xlsx"}, OptionCase{{"--format", "xlsx"}, false, 0, ""},
                      OptionCase{{"--fee", "-3"}, false, 0, "手续费 -3 按 6 计算"},
                      OptionCase{{"--names", "QUOTES/names.txt"}, false, 0, "名称表：读到 0 个名称，跳过 1 行"},
                      OptionCase{{"--names", "QUOTES/names.txt"}, false, 0, "找不到名称列"},
                      OptionCase{{"--names", "QUOTES/missing.txt"}, false, 2, "无法读取"}));

} // namespace
} // namespace verdaxil
