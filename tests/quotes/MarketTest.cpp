#include "quotes/Market.h"

#include "runtime/FileSystem.h"
#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

using testing::localDayFile;
using testing::QuoteDirFixture;

constexpr Market kShanghai = Market::Shanghai;
constexpr Market kShenzhen = Market::Shenzhen;

TEST(ResolveMarket, ByWhereTheDayFileLies)
{
    QuoteDirFixture dir;
    dir.addDayFile(kShanghai, QStringLiteral("600000"));
    dir.addDayFile(kShenzhen, QStringLiteral("000001"));
    dir.addDayFile(kShanghai, QStringLiteral("100000"));
    dir.addDayFile(kShenzhen, QStringLiteral("100000"));
    const QString quoteDir = dir.quoteDir();

    EXPECT_EQ(ResolveMarket(QStringLiteral("600000"), quoteDir), Market::Shanghai);
    EXPECT_EQ(ResolveMarket(QStringLiteral("000001"), quoteDir), Market::Shenzhen);
    EXPECT_EQ(ResolveMarket(QStringLiteral("100000"), quoteDir), Market::Shanghai); // both: Shanghai wins
    EXPECT_EQ(ResolveMarket(QStringLiteral("600036"), quoteDir), Market::None);
}

TEST(ResolveMarket, ADirectoryNamedLikeADayFileIsNoDayFile)
{
    QuoteDirFixture dir;
    dir.addDirectory(localDayFile(Market::Shanghai, QStringLiteral("600000")));
    EXPECT_EQ(ResolveMarket(QStringLiteral("600000"), dir.quoteDir()), Market::None);
    dir.addDayFile(kShenzhen, QStringLiteral("600000"));
    EXPECT_EQ(ResolveMarket(QStringLiteral("600000"), dir.quoteDir()), Market::Shenzhen);
}

// The file system would stop reading a path at a NUL: "secret" + NUL + ".day" must
// not name the file "secret".
TEST(ResolveMarket, ATextWithANulNamesNoFile)
{
    QuoteDirFixture dir;
    dir.addFile(QStringLiteral("data/shase/day/secret"), "x");
    dir.addFile(QStringLiteral("data/sznse/day/secret"), "x");
    const QString code = QStringLiteral("secret") + QChar(u'\0');
    EXPECT_EQ(ResolveMarket(code, dir.quoteDir()), Market::None);
    EXPECT_FALSE(ReadOnlyFile::open(dayFilePath(dir.quoteDir(), Market::Shanghai, code)));
}

struct LengthCase {
    const char* code;
    Market market;
};

class CodeLength : public ::testing::TestWithParam<LengthCase> {};

// Every code below has a day file; only lengths of 5 to 7 bytes are looked up.
TEST_P(CodeLength, DecidesWhetherTheFileIsLookedUp)
{
    QuoteDirFixture dir;
    const QString code = QString::fromUtf8(GetParam().code);
    dir.addDayFile(kShanghai, code);
    EXPECT_EQ(ResolveMarket(code, dir.quoteDir()), GetParam().market);
}

INSTANTIATE_TEST_SUITE_P(Bytes, CodeLength,
                         ::testing::Values(LengthCase{"6000", Market::None}, LengthCase{"60000", Market::Shanghai},
                                           LengthCase{"600000", Market::Shanghai}, LengthCase{"6000001", Market::Shanghai},
                                           LengthCase{"60000012", Market::None}, LengthCase{"abcdef", Market::Shanghai},
                                           LengthCase{"股票代", Market::Shanghai},       // three Chinese characters: 6 bytes
                                           LengthCase{"股票代码", Market::None},         // 8 bytes
                                           LengthCase{"请输入股票代码", Market::None})); // the start-up prompt: 14 bytes

TEST(ResolveMarket, EmptyCodeIsNoCode)
{
    QuoteDirFixture dir;
    dir.addFile(QStringLiteral("data/shase/day/.day"));
    EXPECT_EQ(ResolveMarket(QString(), dir.quoteDir()), Market::None);
}

TEST(ResolveMarket, QuoteDirIsConcatenatedAsItStands)
{
    QuoteDirFixture dir;
    dir.addDayFile(kShenzhen, QStringLiteral("000002"));
    // A trailing backslash doubles the separator, which the file system tolerates.
    EXPECT_EQ(ResolveMarket(QStringLiteral("000002"), dir.quoteDir() + QStringLiteral("\\")), Market::Shenzhen);
    EXPECT_EQ(ResolveMarket(QStringLiteral("000002"), dir.quoteDir() + QStringLiteral(" ")), Market::None);
}

TEST(DayFilePath, PlainConcatenation)
{
    EXPECT_EQ(dayFilePath(QStringLiteral("D:\\YYY"), Market::Shanghai, QStringLiteral("600000")),
              QStringLiteral("D:\\YYY\\data\\shase\\day\\600000.day"));
    EXPECT_EQ(dayFilePath(QStringLiteral("D:\\YYY\\"), Market::Shenzhen, QStringLiteral("000001")),
              QStringLiteral("D:\\YYY\\\\data\\sznse\\day\\000001.day"));
    EXPECT_EQ(dayFilePath(QString(), Market::Shanghai, QStringLiteral("600000")),
              QStringLiteral("\\data\\shase\\day\\600000.day"));
}

} // namespace
} // namespace verdaxil
