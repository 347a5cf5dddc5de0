#include "scan/DayFileListing.h"

#include "quotes/QuoteLayout.h"
#include "runtime/CodePage936.h"
#include "runtime/WindowsPath.h"

#include <QFile>

#include <algorithm>
#include <memory>
#include <tuple>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace verdaxil {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const noexcept { ::closedir(directory); }
};

// The code a day file's name stands for, or an empty text when the name is no code
// the query could be given: the query forms the same path back from the code.
QString codeOfFileName(const QByteArray& name)
{
    const QString decoded = QFile::decodeName(name);
    // ".DAY" too: the query's path finds it as Windows would, ignoring case.
    if (!decoded.endsWith(QuoteLayout::kDayFileSuffix, Qt::CaseInsensitive) || QFile::encodeName(decoded) != name)
        return {};
    const QString code = decoded.chopped(QuoteLayout::kDayFileSuffix.size());
    if (code.contains(u'\\'))
        return {};
    const qsizetype length = codePage936Length(code);
    return length >= 5 && length <= 7 ? code : QString();
}

bool isRegularFile(DIR* directory, const char* name)
{
    struct stat info {};
    return ::fstatat(::dirfd(directory), name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

struct Listed {
    QByteArray sortKey;
    QByteArray name;
    DayFileEntry entry;

    // By code; of one code's files ("600000.day", "600000.DAY") first the one the
    // query's path names as spelled, then by name, as the path mapping chooses.
    bool operator<(const Listed& other) const
    {
        const bool exact = name.endsWith(".day");
        const bool otherExact = other.name.endsWith(".day");
        return std::tie(sortKey, entry.code, otherExact, name) < std::tie(other.sortKey, other.entry.code, exact, other.name);
    }
};

// False when the directory cannot be opened.
bool listDirectory(const QByteArray& localDir, Market market, std::vector<Listed>& listed)
{
    const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(localDir.constData()));
    if (!directory)
        return false;
    while (const dirent* item = ::readdir(directory.get())) {
        const QByteArray name(item->d_name);
        const QString code = codeOfFileName(name);
        if (code.isEmpty() || !isRegularFile(directory.get(), item->d_name))
            continue;
        listed.push_back({toCodePage936(code), name, {market, code, ClassOf(market, code), localDir + name}});
    }
    return true;
}

} // namespace

DayFileListing ListDayFiles(const QString& quoteDir)
{
    DayFileListing listing;
    for (Market market : {Market::Shanghai, Market::Shenzhen}) {
        const QString windowsDir = quoteDir + QuoteLayout::dayDirectory(market);
        listing.directoriesLookedAt.append(toLocalPath(windowsDir));
        std::vector<Listed> listed;
        if (const auto localDir = localFileName(windowsDir))
            listing.foundDayDirectory |= listDirectory(*localDir, market, listed);
        std::sort(listed.begin(), listed.end());
        // Code page 936 cannot hold every character: equal keys need not be equal codes.
        const auto sameCode = [](const Listed& a, const Listed& b) { return a.entry.code == b.entry.code; };
        listed.erase(std::unique(listed.begin(), listed.end(), sameCode), listed.end());
        for (Listed& item : listed)
            listing.files.push_back(std::move(item.entry));
    }
    return listing;
}

} // namespace verdaxil
