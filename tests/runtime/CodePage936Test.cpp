#include "runtime/CodePage936.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

TEST(CodePage936, LengthCountsChineseCharactersAsTwoBytes)
{
    EXPECT_EQ(codePage936Length(QString()), 0);
    EXPECT_EQ(codePage936Length(QStringLiteral("600000")), 6);
    EXPECT_EQ(codePage936Length(QStringLiteral("请输入股票代码")), 14);
    EXPECT_EQ(codePage936Length(QStringLiteral("股A1")), 4);
}

TEST(CodePage936, RoundTrip)
{
    const QString text = QStringLiteral("注意：对应文件丢失 600000");
    const QByteArray bytes = toCodePage936(text);
    EXPECT_EQ(bytes.left(2), QByteArray("\xD7\xA2")); // 注
    EXPECT_EQ(fromCodePage936(bytes), text);
}

} // namespace
} // namespace verdaxil
