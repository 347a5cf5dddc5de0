#include "runtime/IntegerText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace verdaxil {
namespace {

struct Accepted {
    const char* text;
    std::int32_t value;
};

class TextToIntAccepts : public ::testing::TestWithParam<Accepted> {};

TEST_P(TextToIntAccepts, Value)
{
    EXPECT_EQ(textToInt(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Forms, TextToIntAccepts,
                         ::testing::Values(Accepted{"0", 0}, Accepted{"6", 6}, Accepted{"12", 12}, Accepted{"-5", -5},
                                           Accepted{"+7", 7}, Accepted{"007", 7}, Accepted{"   30", 30}, Accepted{" -0", 0},
                                           Accepted{"2147483647", INT32_MAX}, Accepted{"-2147483648", INT32_MIN},
                                           Accepted{"00000000000000000000042", 42}, Accepted{"$1F", 31}, Accepted{"x1f", 31},
                                           Accepted{"X10", 16}, Accepted{"0x10", 16}, Accepted{"0XaB", 171},
                                           Accepted{"$FFFFFFFF", -1}, Accepted{"$80000000", INT32_MIN},
                                           Accepted{"$7FFFFFFF", INT32_MAX}, Accepted{"  $0", 0}, Accepted{"0x00000001", 1}));

class TextToIntRefuses : public ::testing::TestWithParam<const char*> {};

TEST_P(TextToIntRefuses, WithTheWholeTextInTheMessage)
{
    const QString text = QString::fromUtf8(GetParam());
    try {
        textToInt(text);
        FAIL() << "accepted " << GetParam();
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

TEST(TextToIntRefuses, ATextWithANulCharacterWhole)
{
    const QString text = QStringLiteral("12") + QChar(u'\0') + QStringLiteral("abc");
    try {
        textToInt(text);
        FAIL() << "accepted";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.message(), u'\'' + text + QStringLiteral("' is not a valid integer value"));
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, TextToIntRefuses,
                         ::testing::Values("", " ", "abc", "6 ", "1.5", "1e3", "+", "-", "--1", "+-1", "\t5", "5\n", "2147483648",
                                           "-2147483649", "99999999999", "$", "0x", "x", "$123456789", "-$1", "+0x1", "$G",
                                           "0x-1", "1,000", "１２", "股票"));

TEST(IntToText, PlainDecimal)
{
    EXPECT_EQ(intToText(0), QStringLiteral("0"));
    EXPECT_EQ(intToText(-129496720), QStringLiteral("-129496720"));
    EXPECT_EQ(intToText(INT32_MAX), QStringLiteral("2147483647"));
}

} // namespace
} // namespace verdaxil
