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

TEST_P(ClassOfCode, ByTheExchangesRanges)
{
    EXPECT_EQ(ClassOf(GetParam().market, QString::fromUtf8(GetParam().code)), GetParam().expected);
    EXPECT_EQ(BoardOf(GetParam().market, QString::fromUtf8(GetParam().code)), GetParam().board);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ClassOfCode,
    ::testing::Values(
        ClassCase{Market::Shanghai, "600000", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shanghai, "601318", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shanghai, "603993", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shanghai, "605499", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shanghai, "688981", SecurityClass::AShare, Board::Star},
        ClassCase{Market::Shanghai, "900901", SecurityClass::BShare}, ClassCase{Market::Shanghai, "000001", SecurityClass::Index},
        ClassCase{Market::Shanghai, "510300", SecurityClass::Fund}, ClassCase{Market::Shanghai, "588000", SecurityClass::Fund},
        ClassCase{Market::Shanghai, "113050", SecurityClass::Bond}, ClassCase{Market::Shanghai, "019666", SecurityClass::Bond},
        ClassCase{Market::Shanghai, "204001", SecurityClass::Bond}, ClassCase{Market::Shanghai, "300750", SecurityClass::Other},
        ClassCase{Market::Shanghai, "880001", SecurityClass::Other},
        ClassCase{Market::Shenzhen, "000001", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shenzhen, "001979", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shenzhen, "002594", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shenzhen, "003816", SecurityClass::AShare, Board::Main},
        ClassCase{Market::Shenzhen, "300750", SecurityClass::AShare, Board::ChiNext},
        ClassCase{Market::Shenzhen, "301236", SecurityClass::AShare, Board::ChiNext},
        ClassCase{Market::Shenzhen, "302132", SecurityClass::AShare, Board::ChiNext},
        ClassCase{Market::Shenzhen, "200002", SecurityClass::BShare}, ClassCase{Market::Shenzhen, "399001", SecurityClass::Index},
        ClassCase{Market::Shenzhen, "159919", SecurityClass::Fund}, ClassCase{Market::Shenzhen, "123001", SecurityClass::Bond},
        ClassCase{Market::Shenzhen, "600000", SecurityClass::Other}, ClassCase{Market::Shanghai, "60000", SecurityClass::Other},
        ClassCase{Market::Shanghai, "6000001", SecurityClass::Other}, ClassCase{Market::Shanghai, "60000A", SecurityClass::Other},
        ClassCase{Market::Shenzhen, "中国A", SecurityClass::Other}));

} // namespace
} // namespace verdaxil
