#include "runtime/FileSystem.h"

#include "support/QuoteDirFixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace verdaxil {
namespace {

using testing::QuoteDirFixture;

TEST(FileExists, OnlyRegularFilesCount)
{
    QuoteDirFixture dir;
    dir.addFile(QStringLiteral("file.day"), "x");
    dir.addDirectory(QStringLiteral("folder.day"));
    ASSERT_EQ(::mkfifo(dir.localPath(QStringLiteral("fifo.day")).toLocal8Bit().constData(), 0600), 0);
    ASSERT_EQ(::symlink("file.day", dir.localPath(QStringLiteral("link.day")).toLocal8Bit().constData()), 0);

    const QString base = dir.quoteDir() + QStringLiteral("\\");
    EXPECT_TRUE(fileExists(base + QStringLiteral("file.day")));
    EXPECT_TRUE(fileExists(base + QStringLiteral("link.day")));
    EXPECT_FALSE(fileExists(base + QStringLiteral("folder.day")));
    EXPECT_FALSE(fileExists(base + QStringLiteral("fifo.day")));
    EXPECT_FALSE(fileExists(base + QStringLiteral("missing.day")));
    EXPECT_FALSE(fileExists(base + QStringLiteral("*.day"))); // no wildcards
    EXPECT_FALSE(fileExists(QStringLiteral("/dev/null")));
}

TEST(ReadOnlyFile, ReadsRegularFilesOnly)
{
    QuoteDirFixture dir;
    dir.addFile(QStringLiteral("file.day"), "0123456789");
    dir.addDirectory(QStringLiteral("folder.day"));
    ASSERT_EQ(::mkfifo(dir.localPath(QStringLiteral("fifo.day")).toLocal8Bit().constData(), 0600), 0);
    const QString base = dir.quoteDir() + QStringLiteral("\\");

    const auto file = ReadOnlyFile::open(base + QStringLiteral("file.day"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 10);
    char buffer[8] = {};
    EXPECT_EQ(file->readAt(6, buffer, sizeof buffer), 4u);
    EXPECT_EQ(QByteArray(buffer, 4), QByteArray("6789"));

    EXPECT_FALSE(ReadOnlyFile::open(base + QStringLiteral("folder.day")));
    EXPECT_FALSE(ReadOnlyFile::open(base + QStringLiteral("fifo.day"))); // must not block
    EXPECT_FALSE(ReadOnlyFile::open(base + QStringLiteral("missing.day")));
}

} // namespace
} // namespace verdaxil
