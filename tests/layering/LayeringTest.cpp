// The folders build on one another in one direction: runtime, quotes, analysis, scan,
// then the two front ends app and cli; tools and the benchmarks use anything below
// the front ends. A file that includes a header of a folder it may not use is a
// layering fault, whether or not the build happens to find the header; so is a library
// that links one, or that hands on (links PUBLIC) other than what its headers include.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

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

// The folder of each of the project's libraries.
const std::map<QString, QString> kFolderOfLibrary = {
    {QStringLiteral("verdaxil_runtime"), QStringLiteral("runtime")},
    {QStringLiteral("verdaxil_quotes"), QStringLiteral("quotes")},
    {QStringLiteral("verdaxil_analysis"), QStringLiteral("analysis")},
    {QStringLiteral("verdaxil_scan"), QStringLiteral("scan")},
    {QStringLiteral("verdaxil_app"), QStringLiteral("app")},
    {QStringLiteral("verdaxil_cli"), QStringLiteral("cli")},
    {QStringLiteral("verdaxil_demo"), QStringLiteral("tools")},
    {QStringLiteral("verdaxil_day_file_writer"), QStringLiteral("tools")},
};

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The other folders whose libraries a folder's CMakeLists.txt links: PUBLIC from its
// libraries, and every one from any of its targets.
struct FolderLinks {
    std::set<QString> handedOn;
    std::set<QString> linked;
};

FolderLinks linksOf(const QString& folder)
{
    static const QRegularExpression call(QStringLiteral(R"(target_link_libraries\(\s*(\S+)([^)]*)\))"));
    FolderLinks links;
    const QString text = readAll(QStringLiteral(VERDAXIL_SOURCE_DIR "/") + folder + QStringLiteral("/CMakeLists.txt"));
    for (auto match = call.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const bool library = kFolderOfLibrary.contains(found.captured(1));
        bool isPublic = false;
        for (const QString& word : found.captured(2).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            if (word == u"PUBLIC" || word == u"PRIVATE" || word == u"INTERFACE") {
                isPublic = word != u"PRIVATE";
                continue;
            }
            const auto linked = kFolderOfLibrary.find(word);
            if (linked == kFolderOfLibrary.end() || linked->second == folder)
                continue;
            links.linked.insert(linked->second);
            if (library && isPublic)
                links.handedOn.insert(linked->second);
        }
    }
    return links;
}

// The other folders the headers of a folder include.
std::set<QString> includedByHeaders(const QString& folder)
{
    static const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*"([^/"]+)/[^"]*")"),
                                            QRegularExpression::MultilineOption);
    std::set<QString> folders;
    QDirIterator headers(QStringLiteral(VERDAXIL_SOURCE_DIR "/") + folder, {QStringLiteral("*.h")}, QDir::Files);
    while (headers.hasNext()) {
        for (auto match = include.globalMatch(readAll(headers.next())); match.hasNext();) {
            const QString target = match.next().captured(1);
            if (target != folder && kMayInclude.contains(target))
                folders.insert(target);
        }
    }
    return folders;
}

std::string joined(const std::set<QString>& folders)
{
    return QStringList(folders.begin(), folders.end()).join(u' ').toStdString();
}

TEST(Layering, LibrariesLinkBelowThemAndHandOnWhatTheirHeadersInclude)
{
    for (const auto& [folder, allowed] : kMayInclude) {
        if (folder == u"benchmarks")
            continue;
        const FolderLinks links = linksOf(folder);
        for (const QString& linked : links.linked)
            EXPECT_TRUE(allowed.contains(linked)) << folder.toStdString() << " links " << linked.toStdString();
        EXPECT_EQ(joined(links.handedOn), joined(includedByHeaders(folder))) << folder.toStdString();
    }
}

// A test of a folder links that folder's library and those below it, never one above.
TEST(Layering, TestsLinkNothingAboveTheirFolder)
{
    static const QRegularExpression tests(QStringLiteral(R"(verdaxil_add_tests\((\w+)_tests[^)]*LIBRARIES([^)]*)\))"));
    const QString text = readAll(QStringLiteral(VERDAXIL_SOURCE_DIR "/tests/CMakeLists.txt"));
    int checked = 0;
    for (auto match = tests.globalMatch(text); match.hasNext(); ++checked) {
        const QRegularExpressionMatch found = match.next();
        const QString folder = found.captured(1);
        if (!kMayInclude.contains(folder))
            continue;
        for (const QString& word : found.captured(2).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            // The test support's quote directories are files in the quote terminal's layout.
            const auto linked = kFolderOfLibrary.find(word);
            const QString level = word == u"verdaxil_test_support" ? QStringLiteral("quotes")
                : linked == kFolderOfLibrary.end()                 ? QString()
                                                                   : linked->second;
            if (level.isEmpty() || level == folder)
                continue;
            const QStringList& allowed = kMayInclude.at(folder);
            // The front ends' tests hold one against the other.
            const bool sibling = (folder == u"app" || folder == u"cli") && (level == u"app" || level == u"cli");
            // The demo market builds on the scan: the scan's tests and those above run on it.
            const bool demo = word == u"verdaxil_demo" && (folder == u"scan" || allowed.contains(QStringLiteral("scan")));
            EXPECT_TRUE(allowed.contains(level) || sibling || demo)
                << found.captured(1).toStdString() << "_tests links " << word.toStdString();
        }
    }
    EXPECT_GE(checked, 7);
}

} // namespace
