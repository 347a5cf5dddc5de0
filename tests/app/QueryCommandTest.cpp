#include "app/QueryDisplay.h"

#include "runtime/IntegerText.h"
#include "support/QuoteDirFixture.h"
#include "support/TextWindow.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace verdaxil {
namespace {

using testing::localDayFile;
using testing::QuoteDirFixture;
using testing::sampleRecord;

const QString kNotACode = QStringLiteral("注意：您输入的不是股票代码请重新输入！！");
const QString kFileMissing = QStringLiteral("注意：对应文件不存在，请检查系统状况是否稳定，然后重新再试！");
const QString kInfo = QStringLiteral("说明性信息！");

class QueryCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.addDayFile(Market::Shanghai, QStringLiteral("600000"), {sampleRecord(0)});
        window.setText(Control::EdtYYY, dir.quoteDir());
    }

    void query(const QString& code)
    {
        window.setText(Control::stockcode, code);
        runQueryCommand(window);
    }

    // Marks every result field so that a test sees which ones a query wrote.
    void markResults()
    {
        for (Control control :
             {Control::stockprice, Control::EdtHHigh, Control::EdtLowest, Control::LblCDate, Control::EdtSNum, Control::Edt5P})
            window.setText(control, QStringLiteral("earlier"));
        window.setRadio(Control::RBtnYes, {true, true});
    }

    QuoteDirFixture dir;
    TextWindow window;
};

TEST_F(QueryCommand, NotACodeClearsAndWarns)
{
    markResults();
    query(QStringLiteral("600036"));
    EXPECT_EQ(window.text(Control::MemMsg), kNotACode);
    EXPECT_EQ(window.text(Control::stockprice), placeholderText(QueryField::Price));
    EXPECT_EQ(window.text(Control::EdtSNum), placeholderText(QueryField::Points));
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("当前荐股日期"));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
    EXPECT_EQ(window.text(Control::stockcode), QStringLiteral("600036")); // inputs untouched
    EXPECT_EQ(window.text(Control::EdtFee), QStringLiteral("6"));
}

TEST_F(QueryCommand, AValidCodeResetsTheMessageLine)
{
    window.setText(Control::MemMsg, kNotACode);
    query(QStringLiteral("600000"));
    EXPECT_EQ(window.text(Control::MemMsg), kInfo);
}

TEST_F(QueryCommand, UnreadableDayFileWarnsAndKeepsResults)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their mode";
    ::chmod(dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000"))).toLocal8Bit().constData(), 0);
    markResults();
    query(QStringLiteral("600000"));
    EXPECT_EQ(window.text(Control::MemMsg), kFileMissing);
    EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("earlier"));
}

TEST_F(QueryCommand, AFifoNamedLikeADayFileIsNoCodeAndNoHang)
{
    const QByteArray path = dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000"))).toLocal8Bit();
    ASSERT_EQ(::unlink(path.constData()), 0);
    ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);
    query(QStringLiteral("600000"));
    EXPECT_EQ(window.text(Control::MemMsg), kNotACode);
}

// Days whose 10-day average dips below the 60-day one, then crosses it once, a few
// days after the price jumps at row 70, and ends above it with the gap shrinking.
std::vector<DayRecord> crossingHistory()
{
    std::vector<DayRecord> records;
    for (int day = 0; day < 100; ++day) {
        const std::int32_t price = day < 60 ? 10000 : day < 70 ? 9000 : 11000;
        // amount * 10000 / volume is the day's average price.
        records.push_back({20200101 + day, price, price + 100, price - 100, price, price, 10000});
    }
    return records;
}

TEST_F(QueryCommand, FillsEveryResultField)
{
    dir.addDayFile(Market::Shanghai, QStringLiteral("600036"), crossingHistory());
    query(QStringLiteral("600036"));
    EXPECT_EQ(window.text(Control::MemMsg), kInfo);
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("20200200"));
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("1100"));
    EXPECT_EQ(window.text(Control::EdtHHigh), QStringLiteral("1110"));
    EXPECT_EQ(window.text(Control::EdtLowest), QStringLiteral("890"));
    EXPECT_EQ(window.radio(Control::RBtnNo), (RadioState{true, true}));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
    EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("1"));
    EXPECT_EQ(window.text(Control::EdtRiseRateinDate), QStringLiteral("100"));
}

TEST_F(QueryCommand, ASecurityWithoutSelectionPointsShowsNoneOfThePreviousFigures)
{
    dir.addDayFile(Market::Shanghai, QStringLiteral("600036"), crossingHistory());
    query(QStringLiteral("600036"));
    ASSERT_EQ(window.text(Control::EdtSNum), QStringLiteral("1"));

    query(QStringLiteral("600000")); // one day only
    EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::HighestPriceinDate), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::EdtRiseRateinHistory), QStringLiteral("0"));
    for (QueryField share :
         {QueryField::Share5, QueryField::Share10, QueryField::Share50, QueryField::Share100, QueryField::ProfitShare})
        EXPECT_EQ(window.text(controlOf(share)), placeholderText(share)) << controlName(controlOf(share));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{}); // no previous day, no signal
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("20200101"));
}

TEST_F(QueryCommand, EmptyDayFileShowsZeroExtremesAndNoLatestDay)
{
    dir.addDayFile(Market::Shenzhen, QStringLiteral("000001"), {});
    markResults();
    query(QStringLiteral("000001"));
    EXPECT_EQ(window.text(Control::MemMsg), kInfo);
    EXPECT_EQ(window.text(Control::EdtHHigh), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::EdtLowest), QStringLiteral("0"));
    EXPECT_EQ(window.text(Control::LblCDate), QStringLiteral("当前荐股日期"));
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("当前股价"));
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
    EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("0"));
}

TEST_F(QueryCommand, BadHorizonEndsTheQueryAfterTheIndicators)
{
    dir.addDayFile(Market::Shanghai, QStringLiteral("600036"), crossingHistory());
    markResults();
    window.setText(Control::EdtDate, QStringLiteral("3O"));
    window.setText(Control::stockcode, QStringLiteral("600036"));
    EXPECT_THROW(runQueryCommand(window), ConversionError);
    EXPECT_EQ(window.text(Control::stockprice), QStringLiteral("1100")); // shown before the horizon is read
    EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("earlier")); // never reached
}

// The signal checks exactly one of the two buttons, and a query without one leaves
// neither checked.
TEST_F(QueryCommand, RecommendationChecksExactlyOneButton)
{
    QueryFindings found;
    found.indicators = IndicatorSummary{};
    for (const bool recommended : {false, true}) {
        found.indicators->recommended = recommended;
        ShowFindings(window, found);
        EXPECT_EQ(window.radio(recommended ? Control::RBtnYes : Control::RBtnNo), (RadioState{true, true}));
        EXPECT_EQ(window.radio(recommended ? Control::RBtnNo : Control::RBtnYes), RadioState{});
    }
    found.indicators->recommended.reset();
    ShowFindings(window, found);
    EXPECT_EQ(window.radio(Control::RBtnYes), RadioState{});
    EXPECT_EQ(window.radio(Control::RBtnNo), RadioState{});
}

struct FeeCase {
    const char* fee;
    bool accepted;
};

class FeeText : public QueryCommand, public ::testing::WithParamInterface<FeeCase> {};

TEST_P(FeeText, IsConvertedBeforeAnythingIsWritten)
{
    markResults();
    window.setText(Control::MemMsg, QStringLiteral("before"));
    window.setText(Control::EdtFee, QString::fromUtf8(GetParam().fee));
    window.setText(Control::stockcode, QStringLiteral("not a code"));
    if (GetParam().accepted) {
        runQueryCommand(window);
        EXPECT_EQ(window.text(Control::MemMsg), kNotACode);
    } else {
        EXPECT_THROW(runQueryCommand(window), ConversionError);
        EXPECT_EQ(window.text(Control::MemMsg), QStringLiteral("before"));
        EXPECT_EQ(window.text(Control::EdtSNum), QStringLiteral("earlier"));
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, FeeText,
                         ::testing::Values(FeeCase{"6", true}, FeeCase{"0", true}, FeeCase{"-5", true}, FeeCase{"12", true},
                                           FeeCase{"$A", true}, FeeCase{"abc", false}, FeeCase{"", false}, FeeCase{"6 ", false}));

} // namespace
} // namespace verdaxil
