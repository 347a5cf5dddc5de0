#include "cli/QueryCli.h"

#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "support/CliRun.h"
#include "support/QuoteDirFixture.h"

#include <QCoreApplication>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

using testing::CliRun;
using testing::localDayFile;
using testing::QuoteDirFixture;
using testing::runCli;
using testing::sampleRecord;

CliRun query(QStringList arguments)
{
    return runCli([](auto&&... a) { return runQueryCli(a...); }, "verdaxil-query", std::move(arguments));
}

class QueryCli : public ::testing::Test {
protected:
    void SetUp() override { dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), {sampleRecord(0)}); }

    QuoteDirFixture dir;
};

TEST_F(QueryCli, JsonHoldsExactlyTheResultFields)
{
    const CliRun run = query({QStringLiteral("--json"), QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("600000")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject json = run.json();
    const QStringList expectedKeys = {QStringLiteral("Edt100P"),
                                      QStringLiteral("Edt10P"),
                                      QStringLiteral("Edt50P"),
                                      QStringLiteral("Edt5P"),
                                      QStringLiteral("EdtHHigh"),
                                      QStringLiteral("EdtLowest"),
                                      QStringLiteral("EdtRiseRateinDate"),
                                      QStringLiteral("EdtRiseRateinHistory"),
                                      QStringLiteral("EdtSNum"),
                                      QStringLiteral("HighestPriceinDate"),
                                      QStringLiteral("LblCDate"),
                                      QStringLiteral("MemMsg"),
                                      QStringLiteral("RBtnNo"),
                                      QStringLiteral("RBtnYes"),
                                      QStringLiteral("stockprice")};
    EXPECT_EQ(json.keys(), expectedKeys);
    EXPECT_EQ(json[QStringLiteral("MemMsg")].toString(), QStringLiteral("说明性信息！"));
}

TEST_F(QueryCli, NotACodeStartsFromClearsState)
{
    const CliRun run = query({QStringLiteral("--json"), QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("nonsense")});
    ASSERT_EQ(run.status, kNoDayFile);
    const QJsonObject json = run.json();
    EXPECT_EQ(json[QStringLiteral("MemMsg")].toString(), QStringLiteral("注意：您输入的不是股票代码请重新输入！！"));
    EXPECT_EQ(json[QStringLiteral("LblCDate")].toString(), QStringLiteral("当前荐股日期"));
    EXPECT_EQ(json[QStringLiteral("EdtSNum")].toString(), QStringLiteral("选股点数"));
    EXPECT_EQ(json[QStringLiteral("RBtnYes")].toString(), QStringLiteral("disabled,unchecked"));
    EXPECT_EQ(json[QStringLiteral("RBtnNo")].toString(), QStringLiteral("disabled,unchecked"));
}

TEST_F(QueryCli, BadFeeIsAConversionErrorWithTheErrorBoxText)
{
    const CliRun run = query({QStringLiteral("--json"), QStringLiteral("--fee"), QStringLiteral("abc"), QStringLiteral("--dir"),
                              dir.quoteDir(), QStringLiteral("600000")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.json()[QStringLiteral("error")].toString(), errorBoxText(ConversionError(QStringLiteral("abc")).message()));
    EXPECT_EQ(run.json()[QStringLiteral("MemMsg")].toString(), QStringLiteral("说明性信息！")); // nothing written yet
}

TEST_F(QueryCli, PlainOutputUsesTheWindowsCaptions)
{
    const CliRun run = query(
        {QStringLiteral("--dir"), dir.quoteDir(), QStringLiteral("--horizon"), QStringLiteral("45"), QStringLiteral("600000")});
    ASSERT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("提示信息：")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("说明性信息！")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("45日内最大涨幅：")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("是否推荐：")));
}

class UsageError : public ::testing::TestWithParam<QStringList> {};

TEST_P(UsageError, ExitsWithTwoAndSaysWhereHelpIs)
{
    const CliRun run = query(GetParam());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("verdaxil-query: "))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Try 'verdaxil-query --help'."))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

TEST(QueryCliConventions, HelpAndVersionOnStandardOutput)
{
    QCoreApplication::setApplicationVersion(QStringLiteral("9.9"));
    for (const char* option : {"--help", "-h"}) {
        const CliRun help = query({QString::fromLatin1(option)});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.contains(QStringLiteral("--horizon <TEXT>"))) << help.out.toStdString();
        EXPECT_TRUE(help.err.isEmpty());
    }
    const CliRun version = query({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("verdaxil-query 9.9\n"));
}

INSTANTIATE_TEST_SUITE_P(Arguments, UsageError,
                         ::testing::Values(QStringList{}, QStringList{QStringLiteral("600000"), QStringLiteral("600036")},
                                           QStringList{QStringLiteral("--color"), QStringLiteral("600000")},
                                           QStringList{QStringLiteral("600000"), QStringLiteral("--fee")}));

} // namespace
} // namespace verdaxil
