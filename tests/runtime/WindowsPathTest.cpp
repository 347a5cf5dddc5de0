#include "runtime/WindowsPath.h"

#include <QDir>

#include <gtest/gtest.h>

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

INSTANTIATE_TEST_SUITE_P(Forms, MappedPaths,
    ::testing::Values(
        Case{"D:\\YYY\\data\\shase\\day\\600000.day", "/opt/prefix/dosdevices/d:/YYY/data/shase/day/600000.day"},
        Case{"d:\\YYY", "/opt/prefix/dosdevices/d:/YYY"},
        Case{"C:\\", "/opt/prefix/dosdevices/c:/"},
        Case{"E:YYY", "/opt/prefix/dosdevices/e:/YYY"},
        Case{"D:\\YYY\\\\data\\x.day", "/opt/prefix/dosdevices/d:/YYY//data/x.day"},  // doubled, not normalised
        Case{"D:\\YYY\\", "/opt/prefix/dosdevices/d:/YYY/"},
        Case{"\\data\\shase\\day\\600000.day", "/data/shase/day/600000.day"},  // empty QuoteDir
        Case{"/tmp/quotes\\data\\sznse\\day\\000001.day", "/tmp/quotes/data/sznse/day/000001.day"},
        Case{"YYY\\data", "YYY/data"}, Case{"", ""},
        Case{"股:\\x", "股:/x"}, Case{"1:\\x", "1:/x"}));

TEST_F(WindowsPathMapping, WithoutWinePrefixTheHomeWineFolderServes)
{
    qunsetenv("WINEPREFIX");
    EXPECT_EQ(toLocalPath(QStringLiteral("D:\\YYY")), QDir::homePath() + QStringLiteral("/.wine/dosdevices/d:/YYY"));
}

} // namespace
} // namespace verdaxil
