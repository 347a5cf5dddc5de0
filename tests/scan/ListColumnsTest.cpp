#include "scan/ListColumns.h"
#include "scan/ListExport.h"

#include "quotes/TradingDate.h"
#include "runtime/IntegerText.h"

#include <gtest/gtest.h>

#include <random>

namespace verdaxil {
namespace {

ScanRow rowWithPrice(Market market, const char* code, std::int32_t close)
{
    ScanRow row;
    row.market = market;
    row.code = QString::fromLatin1(code);
    row.securityClass = ClassOf(market, row.code);
    row.evaluation = SecurityEvaluation{{close, close, LatestDay{20250701, close}, true}, {}};
    return row;
}

struct PriceCase {
    Market market;
    const char* code;
    std::int32_t close; // the file's own value
    const char* shown;
};

class PriceText : public ::testing::TestWithParam<PriceCase> {};

TEST_P(PriceText, InYuanOfTheMainWindowsFenOrToThreeDecimals)
{
    const PriceCase& c = GetParam();
    const ListCell cell = listCell(rowWithPrice(c.market, c.code, c.close), ListColumn::Price);
    EXPECT_EQ(cell.text, QString::fromLatin1(c.shown));
    EXPECT_DOUBLE_EQ(cell.value.toDouble(), cell.text.toDouble());
}

INSTANTIATE_TEST_SUITE_P(Classes, PriceText,
                         ::testing::Values(PriceCase{Market::Shanghai, "600000", 8119, "8.11"}, // the window's 811 分
                                           PriceCase{Market::Shenzhen, "300750", 7, "0.00"},
                                           PriceCase{Market::Shenzhen, "000002", -57, "-0.05"},
                                           PriceCase{Market::Shanghai, "000001", 3878590, "3878.59"}, // an index, in 点
                                           PriceCase{Market::Shenzhen, "200002", 2071, "2.07"},
                                           PriceCase{Market::Shanghai, "900901", 2071, "2.071"},
                                           PriceCase{Market::Shanghai, "510300", 1336, "1.336"}, // an ETF's 厘 count
                                           PriceCase{Market::Shenzhen, "123001", -1005, "-1.005"}));

// Two decimals are the main window's 分 shown as 元, whatever the value.
TEST(PriceText, TwoDecimalsAreTheMainWindowsFen)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    for (int k = 0; k < 2000; ++k) {
        const ScanRow row = rowWithPrice(Market::Shanghai, "600000", any(random));
        const QString fen = intToText(*displayed(row.evaluation->indicators).price);
        ASSERT_EQ(listCell(row, ListColumn::Price).text.remove(u'.').toLongLong(), fen.toLongLong()) << fen.toStdString();
    }
}

struct DataCheckCase {
    std::int32_t listDay;
    std::int32_t today;
    bool warned;
};

class OldData : public ::testing::TestWithParam<DataCheckCase> {};

TEST_P(OldData, IsToldWhenTheListsDayIsBeforeTheLastWeekdayBeforeToday)
{
    const DataCheckCase& c = GetParam();
    EXPECT_EQ(oldDataWarning(c.listDay, c.today).has_value(), c.warned);
}

INSTANTIATE_TEST_SUITE_P(Days, OldData,
                         ::testing::Values(DataCheckCase{20261208, 20261209, false}, // Tuesday's data on Wednesday
                                           DataCheckCase{20261207, 20261209, true}, DataCheckCase{20261209, 20261209, false},
                                           DataCheckCase{20261204, 20261207, false}, // Friday's on Monday
                                           DataCheckCase{20261203, 20261207, true},
                                           DataCheckCase{20261204, 20261206, false})); // on Sunday

TEST(OldData, NamesTheListsDay)
{
    EXPECT_EQ(oldDataWarning(20250701, 20250710),
              QStringLiteral("行情数据最新日期为 2025-07-01，早于最近交易日：请先在行情软件中下载盘后数据。"));
    EXPECT_FALSE(oldDataWarning(std::nullopt, 20250710));
}

// A cell the workbook library refuses (past its 32,767 characters) fails the save: a
// blank cell must not pass for the name.
TEST(Workbook, ACellTheLibraryRefusesFailsTheWorkbook)
{
    ScanRow row;
    row.code = QStringLiteral("600000");
    row.name = QString(40000, u'长');
    const ScanRow* rows[] = {&row};
    EXPECT_THROW(listXlsx(rows, {}), std::runtime_error);
    row.name.truncate(32);
    EXPECT_FALSE(listXlsx(rows, {}).isEmpty());
}

} // namespace
} // namespace verdaxil
