#include "runtime/FileSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace verdaxil {
namespace {

// A folder of entries of every kind, in the Windows form the program's paths take.
class Entries {
public:
    Entries()
    {
        addFile("file.day", "0123456789");
        EXPECT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder.day")));
        EXPECT_EQ(::mkfifo(local("fifo.day").constData(), 0600), 0);
        EXPECT_EQ(::symlink("file.day", local("link.day").constData()), 0);
    }

    QString windowsPath(const char* name) const { return dir_.path() + QStringLiteral("\\") + QString::fromLatin1(name); }

private:
    QByteArray local(const char* name) const { return QFile::encodeName(dir_.filePath(QString::fromLatin1(name))); }
    void addFile(const char* name, const QByteArray& content)
    {
        QFile file(dir_.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    QTemporaryDir dir_;
};

TEST(FileExists, OnlyRegularFilesCount)
{
    const Entries dir;
    EXPECT_TRUE(fileExists(dir.windowsPath("file.day")));
    EXPECT_TRUE(fileExists(dir.windowsPath("link.day")));
    EXPECT_FALSE(fileExists(dir.windowsPath("folder.day")));
    EXPECT_FALSE(fileExists(dir.windowsPath("fifo.day")));
    EXPECT_FALSE(fileExists(dir.windowsPath("missing.day")));
    EXPECT_FALSE(fileExists(dir.windowsPath("*.day"))); // no wildcards
    EXPECT_FALSE(fileExists(QStringLiteral("/dev/null")));
}

TEST(ReadOnlyFile, ReadsRegularFilesOnly)
{
    const Entries dir;
    const auto file = ReadOnlyFile::open(dir.windowsPath("file.day"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->size(), 10);
    char buffer[8] = {};
    EXPECT_EQ(file->readAt(6, buffer, sizeof buffer), 4u);
    EXPECT_EQ(QByteArray(buffer, 4), QByteArray("6789"));

    EXPECT_FALSE(ReadOnlyFile::open(dir.windowsPath("folder.day")));
    EXPECT_FALSE(ReadOnlyFile::open(dir.windowsPath("fifo.day"))); // must not block
    EXPECT_FALSE(ReadOnlyFile::open(dir.windowsPath("missing.day")));
}

} // namespace
} // namespace verdaxil
