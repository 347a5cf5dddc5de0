#include "quotes/TableFiles.h"

#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

namespace verdaxil {
namespace {

using testing::QuoteDirFixture;

const QString kShanghai = QuoteLayout::localTableFile(Market::Shanghai);
const QString kShenzhen = QuoteLayout::localTableFile(Market::Shenzhen);

TEST(TableFilesOpen, BothFilesPresent)
{
    QuoteDirFixture dir;
    dir.addFile(kShanghai, "600000\n");
    dir.addFile(kShenzhen, "000001\n");
    EXPECT_TRUE(TableFilesOpen(dir.quoteDir()));
    EXPECT_TRUE(TableFilesOpen(dir.quoteDir() + QStringLiteral("\\"))); // doubled backslash
    EXPECT_FALSE(TableFilesOpen(dir.quoteDir() + QStringLiteral("\\data")));
}

TEST(TableFilesOpen, EitherMissing)
{
    QuoteDirFixture shanghaiOnly;
    shanghaiOnly.addFile(kShanghai);
    EXPECT_FALSE(TableFilesOpen(shanghaiOnly.quoteDir()));

    QuoteDirFixture shenzhenOnly;
    shenzhenOnly.addFile(kShenzhen);
    EXPECT_FALSE(TableFilesOpen(shenzhenOnly.quoteDir()));

    QuoteDirFixture neither;
    EXPECT_FALSE(TableFilesOpen(neither.quoteDir()));
}

TEST(TableFilesOpen, ADirectoryIsNoTableFile)
{
    QuoteDirFixture dir;
    dir.addDirectory(kShanghai);
    dir.addFile(kShenzhen);
    EXPECT_FALSE(TableFilesOpen(dir.quoteDir()));
}

} // namespace
} // namespace verdaxil
