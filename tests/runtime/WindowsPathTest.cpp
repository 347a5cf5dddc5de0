#include "runtime/WindowsPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace verdaxil {
namespace {

class WindowsPathMapping : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = qgetenv("WINEPREFIX");
        hadPrefix_ = qEnvironmentVariableIsSet("WINEPREFIX");
        qputenv("WINEPREFIX", "/opt/prefix");
    }
    void TearDown() override
    {
        if (hadPrefix_)
            qputenv("WINEPREFIX", saved_);
        else
            qunsetenv("WINEPREFIX");
    }

private:
    QByteArray saved_;
    bool hadPrefix_ = false;
};

struct Case {
    const char* windowsPath;
    const char* localPath;
};

class MappedPaths : public WindowsPathMapping, public ::testing::WithParamInterface<Case> {};

TEST_P(MappedPaths, AsWineResolvesThem)
{
    EXPECT_EQ(toLocalPath(QString::fromUtf8(GetParam().windowsPath)), QString::fromUtf8(GetParam().localPath));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MappedPaths,
    ::testing::Values(Case{"D:\\YYY\\data\\shase\\day\\600000.day", "/opt/prefix/dosdevices/d:/YYY/data/shase/day/600000.day"},
                      Case{"d:\\YYY", "/opt/prefix/dosdevices/d:/YYY"}, Case{"C:\\", "/opt/prefix/dosdevices/c:/"},
                      Case{"E:YYY", "/opt/prefix/dosdevices/e:/YYY"},
                      Case{"D:\\YYY\\\\data\\x.day", "/opt/prefix/dosdevices/d:/YYY//data/x.day"}, // doubled, not normalised
                      Case{"D:\\YYY\\", "/opt/prefix/dosdevices/d:/YYY/"},
                      Case{"\\data\\shase\\day\\600000.day", "/data/shase/day/600000.day"}, // empty QuoteDir
                      Case{"/tmp/quotes\\data\\sznse\\day\\000001.day", "/tmp/quotes/data/sznse/day/000001.day"},
                      Case{"YYY\\data", "YYY/data"}, Case{"", ""}, Case{"股:\\x", "股:/x"}, Case{"1:\\x", "1:/x"}));

TEST_F(WindowsPathMapping, WithoutWinePrefixTheHomeWineFolderServes)
{
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY")), QDir::homePath() + QStringLiteral("/.wine/dosdevices/d:/YYY"));
}

// A prefix whose drive d: holds a terminal installed with other spellings.
class CaseOfNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(QStringLiteral("prefix/dosdevices"));
        QDir(root.path()).mkpath(QStringLiteral("drive/YYY/Data/SHASE/Day"));
        QDir(root.path()).mkpath(QStringLiteral("drive/YYY/DATA"));
        QDir(root.path()).mkpath(QStringLiteral("drive/YYY/data2"));
        QFile(root.filePath(QStringLiteral("drive/YYY/Data/SHASE/Day/600000.DAY"))).open(QIODevice::WriteOnly);
        QFile(root.filePath(QStringLiteral("drive/YYY/Data/SHASE/Day/600036.day"))).open(QIODevice::WriteOnly);
        QFile::link(QStringLiteral("../../drive"), root.filePath(QStringLiteral("prefix/dosdevices/d:")));
        qputenv("WINEPREFIX", root.filePath(QStringLiteral("prefix")).toLocal8Bit());
    }
    void TearDown() override { qunsetenv("WINEPREFIX"); }

    QString drive(const char* rest) const
    {
        return root.filePath(QStringLiteral("prefix/dosdevices/d:/")) + QString::fromUtf8(rest);
    }

    QTemporaryDir root;
};

TEST_F(CaseOfNames, AComponentMissingAsSpelledIsFoundIgnoringCase)
{
    // Data and DATA both match data; the first by name is taken, every time.
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY\\data\\shase\\day\\600000.day")), drive("YYY/DATA/shase/day/600000.day"));
    EXPECT_EQ(toLocalPath(QStringLiteral("d:\\yyy\\Data\\shase\\DAY\\600000.day")), drive("YYY/Data/SHASE/Day/600000.DAY"));
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY\\Data\\SHASE\\Day\\600036.day")), drive("YYY/Data/SHASE/Day/600036.day"));
    // The first missing component ends the search; the rest stays as spelled.
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY\\Data\\Nothing\\Day\\x.day")), drive("YYY/Data/Nothing/Day/x.day"));
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\yyy\\")), drive("YYY/"));
    // Only ASCII letters fold: data2 is no spelling of data.
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY\\DATA2")), drive("YYY/data2"));
}

// Under WSL a drive the prefix lacks is Windows' own, below the mount root ("ROOT" is
// the temporary directory; "WINE" the prefix's drive d:).
struct WslCase {
    const char* windowsPath;
    std::optional<const char*> mountRoot;
    const char* localPath;
};

class WslDrives : public CaseOfNames, public ::testing::WithParamInterface<WslCase> {};

TEST_P(WslDrives, MapToTheMountRootWhereWineHasNoDrive)
{
    QDir(root.path()).mkpath(QStringLiteral("mnt/e/YYY/Data"));
    const auto expand = [&](const char* text) {
        return QString::fromUtf8(text)
            .replace(QStringLiteral("WINE"), root.filePath(QStringLiteral("prefix/dosdevices/d:")))
            .replace(QStringLiteral("ROOT"), root.path());
    };
    const auto mountRoot = GetParam().mountRoot ? std::optional(expand(*GetParam().mountRoot)) : std::nullopt;
    EXPECT_EQ(toLocalPath(QString::fromUtf8(GetParam().windowsPath), mountRoot), expand(GetParam().localPath));
}

INSTANTIATE_TEST_SUITE_P(
    Drives, WslDrives,
    ::testing::Values(WslCase{"D:\\YYY\\data", "ROOT/mnt/", "WINE/YYY/DATA"},                    // the prefix's drive wins
                      WslCase{"E:\\yyy\\DATA\\x.day", "ROOT/mnt/", "ROOT/mnt/e/YYY/Data/x.day"}, // case as under Wine
                      WslCase{"e:\\YYY", "ROOT/mnt", "ROOT/mnt/e/YYY"},                          // root without its slash
                      WslCase{"F:\\", "ROOT/mnt/", "ROOT/mnt/f/"},                               // a drive not mounted
                      WslCase{"E:\\YYY", std::nullopt, "ROOT/prefix/dosdevices/e:/YYY"},         // outside WSL, as today
                      WslCase{"\\data\\x.day", "ROOT/mnt/", "/data/x.day"}));                    // no drive: no mapping

struct MountRootCase {
    const char* kernelRelease;
    bool distroNamed;
    const char* wslConf;
    std::optional<const char*> root;
};

class MountRoots : public ::testing::TestWithParam<MountRootCase> {};

TEST_P(MountRoots, AsWslMountsTheDrives)
{
    const MountRootCase& c = GetParam();
    const auto root = wslMountRoot(c.kernelRelease, c.distroNamed, c.wslConf);
    EXPECT_EQ(root, c.root ? std::optional(QString::fromUtf8(*c.root)) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Systems, MountRoots,
    ::testing::Values(MountRootCase{"6.1.0-18-amd64\n", false, "", std::nullopt},
                      MountRootCase{"5.15.153.1-microsoft-standard-WSL2\n", false, "", "/mnt/"},
                      MountRootCase{"4.4.0-19041-Microsoft\n", false, "", "/mnt/"},
                      MountRootCase{"6.1.0", true, "[automount]\nroot = /windir/\n", "/windir/"},
                      MountRootCase{"microsoft", false, "[automount]\nenabled=true\nroot=\"/win\" # drives\n", "/win"},
                      MountRootCase{"microsoft", false, "[network]\nroot = /elsewhere\n[automount]\n", "/mnt/"},
                      MountRootCase{"microsoft", false, "[automount]\n# root = /commented/\n", "/mnt/"},
                      MountRootCase{"6.1.0", false, "[automount]\nroot = /windir/\n", std::nullopt}));

} // namespace
} // namespace verdaxil
