#include "app/CodeStepping.h"

#include "runtime/CodePage936.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

struct StepCase {
    const char* code;
    const char* previous;
    const char* next;
};

class CodeStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(CodeStep, BothWays)
{
    const QByteArray code = toCodePage936(QString::fromUtf8(GetParam().code));
    EXPECT_EQ(fromCodePage936(previousCode(code)), QString::fromUtf8(GetParam().previous));
    EXPECT_EQ(fromCodePage936(nextCode(code)), QString::fromUtf8(GetParam().next));
}

INSTANTIATE_TEST_SUITE_P(Codes, CodeStep,
                         ::testing::Values(StepCase{"600001", "600000", "600002"}, StepCase{"600000", "599999", "600001"},
                                           StepCase{"600009", "600008", "600010"}, StepCase{"000000", "999999", "000001"},
                                           StepCase{"999999", "999998", "000000"}, StepCase{"100000", "099999", "100001"},
                                           StepCase{"6000001", "5999991", "6000011"}, // the seventh byte is carried over
                                           StepCase{"60000099", "59999999", "60000199"},
                                           StepCase{"12345B", "12345A", "12345C"}, // a letter moves and ends the step
                                           StepCase{"1234A0", "1234@9", "1234A1"},
                                           StepCase{"请输入股票代码", "请输汝股票代码",
                                                    "请输褥股票代码"},       // the third character's second byte
                                           StepCase{"6000", "5999", "6001"}, // shorter: the last byte is the rightmost place
                                           StepCase{"0", "9", "1"}, StepCase{"", "", ""}));

TEST(CodeStep, BytesWrapWithinTheirValue)
{
    EXPECT_EQ(nextCode(QByteArray("12345\xFF")), QByteArray("12345\x00", 6));
    EXPECT_EQ(previousCode(QByteArray("12345\x00", 6)), QByteArray("12345\xFF"));
}

TEST(CodeStep, StepsBackAndForthToTheSameText)
{
    for (const char* code : {"000000", "123456", "999999", "请输入股票代码", "6000001"}) {
        const QByteArray bytes = toCodePage936(QString::fromUtf8(code));
        EXPECT_EQ(nextCode(previousCode(bytes)), bytes) << code;
        EXPECT_EQ(previousCode(nextCode(bytes)), bytes) << code;
    }
}

} // namespace
} // namespace verdaxil
