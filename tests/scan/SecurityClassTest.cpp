#include "scan/SecurityClass.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

struct ClassCase {
    Market market;
    const char* code;
    SecurityClass expected;
    Board board = Board::None;
};

class ClassOfCode : public ::testing::TestWithParam<ClassCase> {};

// Securities a user looks up, by the code typed and the exchange the file lies in.
TEST_P(ClassOfCode, OfSecuritiesUsersType)
{
    EXPECT_EQ(ClassOf(GetParam().market, QString::fromUtf8(GetParam().code)), GetParam().expected);
    EXPECT_EQ(BoardOf(GetParam().market, QString::fromUtf8(GetParam().code)), GetParam().board);
}

constexpr Market kSh = Market::Shanghai;
constexpr Market kSz = Market::Shenzhen;

INSTANTIATE_TEST_SUITE_P(Codes, ClassOfCode,
                         ::testing::Values(ClassCase{kSh, "600519", SecurityClass::AShare, Board::Main},    // 贵州茅台
                                           ClassCase{kSh, "601318", SecurityClass::AShare, Board::Main},    // 中国平安
                                           ClassCase{kSh, "688981", SecurityClass::AShare, Board::Star},    // 中芯国际
                                           ClassCase{kSz, "000001", SecurityClass::AShare, Board::Main},    // 平安银行
                                           ClassCase{kSz, "002594", SecurityClass::AShare, Board::Main},    // 比亚迪
                                           ClassCase{kSz, "300750", SecurityClass::AShare, Board::ChiNext}, // 宁德时代
                                           ClassCase{kSh, "900901", SecurityClass::BShare},                 // 云赛B股
                                           ClassCase{kSz, "200002", SecurityClass::BShare},                 // 万科B
                                           ClassCase{kSh, "000001", SecurityClass::Index},                  // 上证指数
                                           ClassCase{kSh, "000300", SecurityClass::Index},                  // 沪深300
                                           ClassCase{kSz, "399006", SecurityClass::Index},                  // 创业板指
                                           ClassCase{kSh, "510300", SecurityClass::Fund},                   // 沪深300ETF
                                           ClassCase{kSz, "159915", SecurityClass::Fund},                   // 创业板ETF
                                           ClassCase{kSh, "113050", SecurityClass::Bond},                   // a convertible bond
                                           ClassCase{kSh, "019547", SecurityClass::Bond},                   // a treasury bond
                                           ClassCase{kSh, "204001", SecurityClass::Bond},                   // GC001, a repurchase
                                           ClassCase{kSz, "128136", SecurityClass::Bond},                   // a convertible bond
                                           ClassCase{kSh, "300750", SecurityClass::Other}, // a Shenzhen code in Shanghai
                                           ClassCase{kSz, "600519", SecurityClass::Other},
                                           ClassCase{kSh, "60051", SecurityClass::Other}, // mistyped
                                           ClassCase{kSh, "6005190", SecurityClass::Other},
                                           ClassCase{kSh, "60051A", SecurityClass::Other},
                                           ClassCase{kSz, "中国A", SecurityClass::Other}));

// Only an A share trades on a board: over every code's first three digits.
TEST(SecurityBoard, OnlyAnAShareHasOne)
{
    for (const Market market : {kSh, kSz}) {
        for (int prefix = 0; prefix < 1000; ++prefix) {
            const QString code = QStringLiteral("%1123").arg(prefix, 3, 10, QChar(u'0'));
            EXPECT_EQ(BoardOf(market, code) != Board::None, ClassOf(market, code) == SecurityClass::AShare) << code.toStdString();
        }
    }
}

} // namespace
} // namespace verdaxil
