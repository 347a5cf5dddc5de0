// The folders build on one another in one direction: runtime, quotes, analysis, scan,
// then the two front ends app and cli; tools and the benchmarks use anything below
// the front ends. A file that includes a header of a folder it may not use is a
// layering fault, whether or not the build happens to find the header.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>

namespace {

const std::map<QString, QStringList> kMayInclude = {
    {QStringLiteral("runtime"), {}},
    {QStringLiteral("quotes"), {QStringLiteral("runtime")}},
    {QStringLiteral("analysis"), {QStringLiteral("runtime"), QStringLiteral("quotes")}},
    {QStringLiteral("scan"), {QStringLiteral("runtime"), QStringLiteral("quotes"), QStringLiteral("analysis")}},
    {QStringLiteral("app"),
     {QStringLiteral("runtime"), QStringLiteral("quotes"), QStringLiteral("analysis"), QStringLiteral("scan")}},
    {QStringLiteral("cli"),
     {QStringLiteral("runtime"), QStringLiteral("quotes"), QStringLiteral("analysis"), QStringLiteral("scan")}},
    {QStringLiteral("tools"),
     {QStringLiteral("runtime"), QStringLiteral("quotes"), QStringLiteral("analysis"), QStringLiteral("scan")}},
    {QStringLiteral("benchmarks"),
     {QStringLiteral("runtime"), QStringLiteral("quotes"), QStringLiteral("analysis"), QStringLiteral("scan"),
      QStringLiteral("tools")}},
};

// The quoted includes of a file of `folder` that name a folder it may not use.
QStringList forbiddenIncludes(const QString& folder, const QString& text)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([^/"]+)/[^"]*")"),
                                            QRegularExpression::MultilineOption);
    const QStringList& allowed = kMayInclude.at(folder);
    QStringList forbidden;
    for (auto match = include.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const QString target = found.captured(1);
        if (target != folder && kMayInclude.contains(target) && !allowed.contains(target))
            forbidden.append(found.captured(0).trimmed());
    }
    return forbidden;
}

struct IncludeCase {
    const char* folder;
    const char* text;
    bool forbidden;
};

class Layering : public ::testing::TestWithParam<IncludeCase> {};

TEST_P(Layering, FindsIncludesOfHigherOrSiblingFolders)
{
    const IncludeCase& c = GetParam();
    EXPECT_EQ(!forbiddenIncludes(QString::fromLatin1(c.folder), QString::fromUtf8(c.text)).isEmpty(), c.forbidden) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Includes, Layering,
                         ::testing::Values(IncludeCase{"quotes", "#include \"scan/MarketScan.h\"\n", true},
                                           IncludeCase{"runtime", "int x;\n  #  include \"quotes/Market.h\"\n", true},
                                           IncludeCase{"cli", "#include \"app/UnitMain.h\"\n", true},
                                           IncludeCase{"app", "#include \"cli/ScanCli.h\"\n", true},
                                           IncludeCase{"tools", "#include \"app/Application.h\"\n", true},
                                           IncludeCase{"scan", "#include \"tools/DemoQuotes.h\"\n", true},
                                           IncludeCase{"analysis", "#include \"analysis/Fee.h\"\n#include \"quotes/Market.h\"\n",
                                                       false},
                                           IncludeCase{"app", "#include \"ui_UnitMain.h\"\n#include <QWidget>\n", false},
                                           IncludeCase{"benchmarks", "#include \"tools/DemoQuotes.h\"\n", false},
                                           IncludeCase{"scan", "// #include \"app/UnitMain.h\" is not an include\n", false}));

TEST(Layering, NoSourceFileIncludesAboveItsFolder)
{
    for (const auto& [folder, allowed] : kMayInclude) {
        QDirIterator files(QStringLiteral(VERDAXIL_SOURCE_DIR "/") + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
            const QStringList forbidden = forbiddenIncludes(folder, QString::fromUtf8(file.readAll()));
            EXPECT_TRUE(forbidden.isEmpty()) << file.fileName().toStdString() << ": " << forbidden.join(u' ').toStdString();
        }
    }
}

} // namespace
