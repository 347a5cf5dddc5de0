#include "scan/DayFileListing.h"

#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace verdaxil {
namespace {

using testing::localDayFile;
using testing::QuoteDirFixture;

QStringList listed(const DayFileListing& listing)
{
    QStringList names;
    for (const DayFileEntry& entry : listing.files)
        names.append(QString::fromLatin1(entry.market == Market::Shanghai ? "SH " : "SZ ") + entry.code);
    return names;
}

TEST(ListDayFiles, DayFilesOnlyShanghaiFirstEachByCode)
{
    QuoteDirFixture dir;
    for (const char* code : {"600036", "000001", "600000", "60000", "6000001", "中国A"})
        dir.addDayFile(Market::Shanghai, QString::fromUtf8(code));
    for (const char* code : {"300750", "000001"})
        dir.addDayFile(Market::Shenzhen, QString::fromLatin1(code));
    // Not securities: wrong length, other endings, a folder and a FIFO named like day files.
    for (const char* name : {"6000.day", "60000012.day", "600002.day.bak", "600003", "60\\001.day"})
        dir.addFile(QuoteLayout::localDayDirectory(Market::Shanghai) + QString::fromLatin1(name));
    dir.addDirectory(localDayFile(Market::Shanghai, QStringLiteral("600004")));
    // Found ignoring case, as the query finds them; of two spellings the exact one.
    dir.addFile(QStringLiteral("data/shase/day/600001.DAY"));
    dir.addFile(QStringLiteral("data/shase/day/600000.DAY"));
    ASSERT_EQ(::mkfifo(dir.localPath(localDayFile(Market::Shenzhen, QStringLiteral("000002"))).toLocal8Bit().constData(), 0600),
              0);

    const DayFileListing listing = ListDayFiles(dir.quoteDir());
    EXPECT_TRUE(listing.foundDayDirectory());
    EXPECT_EQ(listed(listing),
              (QStringList{QStringLiteral("SH 000001"), QStringLiteral("SH 60000"), QStringLiteral("SH 600000"),
                           QStringLiteral("SH 6000001"), QStringLiteral("SH 600001"), QStringLiteral("SH 600036"),
                           QStringLiteral("SH 中国A"), QStringLiteral("SZ 000001"), QStringLiteral("SZ 300750")}));
    EXPECT_EQ(listing.files[0].securityClass, SecurityClass::Index);
    EXPECT_EQ(listing.files[2].localPath,
              QFile::encodeName(dir.localPath(localDayFile(Market::Shanghai, QStringLiteral("600000")))));
    EXPECT_EQ(listing.files[7].securityClass, SecurityClass::AShare);
    EXPECT_EQ(listing.files[8].localPath,
              QFile::encodeName(dir.localPath(localDayFile(Market::Shenzhen, QStringLiteral("300750")))));
}

TEST(ListDayFiles, OneExchangeOrNone)
{
    QuoteDirFixture dir;
    // Named as they are formed from the quote directory the user typed.
    const DayFileListing none = ListDayFiles(dir.quoteDir());
    EXPECT_FALSE(none.foundDayDirectory());
    EXPECT_EQ(
        none.noDirectoryMessage(),
        QStringLiteral("没有找到日线目录 %1\\data\\shase\\day\\；没有找到日线目录 %1\\data\\sznse\\day\\。").arg(dir.quoteDir()));

    dir.addDirectory(QuoteLayout::localDayDirectory(Market::Shenzhen));
    const DayFileListing empty = ListDayFiles(dir.quoteDir());
    EXPECT_TRUE(empty.foundDayDirectory());
    EXPECT_TRUE(empty.files.empty());
    EXPECT_TRUE(empty.unreadableDirectoryWarnings().isEmpty());
    // A day directory that is there but cannot be listed is told, not skipped in silence.
    dir.addFile(QuoteLayout::localDayDirectory(Market::Shanghai).chopped(1), "x");
    EXPECT_EQ(ListDayFiles(dir.quoteDir()).unreadableDirectoryWarnings(),
              QStringList{QStringLiteral("警告：无法读取日线目录 %1\\data\\shase\\day\\：不是目录，其中的证券不在列表中。")
                              .arg(dir.quoteDir())});
    // A NUL would cut the directory's name where the file system reads it.
    EXPECT_FALSE(ListDayFiles(dir.quoteDir() + QChar(u'\0') + QStringLiteral("x")).foundDayDirectory());
}

} // namespace
} // namespace verdaxil
