#include "runtime/ErrorText.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

struct Case {
    const char* message;
    const char* shown;
};

class ErrorBoxText : public ::testing::TestWithParam<Case> {};

TEST_P(ErrorBoxText, FullStopRule)
{
    EXPECT_EQ(errorBoxText(QString::fromUtf8(GetParam().message)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(LastCharacter, ErrorBoxText,
                         ::testing::Values(Case{"ends in a letter", "ends in a letter."},
                                           Case{"ends in a digit 7", "ends in a digit 7."},
                                           Case{"ends in a slash/", "ends in a slash/."}, // "/" is the code just above "."
                                           Case{"Already.", "Already."}, Case{"Bang!", "Bang!"}, Case{"(paren)", "(paren)"},
                                           Case{"quoted'", "quoted'"}, Case{"dash-", "dash-"}, Case{"blank ", "blank "},
                                           Case{"文件丢失", "文件丢失."}, Case{"请重新输入！", "请重新输入！."}, Case{"", ""}));

} // namespace
} // namespace verdaxil
