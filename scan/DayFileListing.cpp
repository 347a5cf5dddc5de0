#include "scan/DayFileListing.h"

#include "quotes/QuoteLayout.h"
#include "runtime/CodePage936.h"
#include "runtime/WindowsPath.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
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

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The code a day file's name stands for, or an empty text when the name is no code
// the query could be given: the query forms the same path back from the code.
QString codeOfFileName(const QByteArray& name)
{
    // ".DAY" too: the query's path finds it as Windows would, ignoring case.
    const QByteArray suffix = QuoteLayout::kDayFileSuffix.toLatin1();
    if (isAscii(name)) {
        // Almost every name: ASCII is its own code page 936 form, so no converter is needed.
        if (!name.toLower().endsWith(suffix))
            return {};
        const QByteArray code = name.chopped(suffix.size());
        return code.size() >= 5 && code.size() <= 7 && !code.contains('\\') ? QString::fromLatin1(code) : QString();
    }
    const QString decoded = QFile::decodeName(name);
    if (!decoded.endsWith(QuoteLayout::kDayFileSuffix, Qt::CaseInsensitive) || QFile::encodeName(decoded) != name)
        return {};
    const QString code = decoded.chopped(QuoteLayout::kDayFileSuffix.size());
    if (code.contains(u'\\'))
        return {};
    const qsizetype length = codePage936Length(code);
    return length >= 5 && length <= 7 ? code : QString();
}

// The code's code page 936 bytes, which order the list.
QByteArray codePage936Key(const QString& code, const QByteArray& name)
{
    return isAscii(name) ? name.chopped(QuoteLayout::kDayFileSuffix.size()) : toCodePage936(code);
}

// readdir's type is trusted where it is given; links and file systems that give no
// type cost a stat.
bool isRegularFile(DIR* directory, const dirent& item)
{
    if (item.d_type == DT_REG)
        return true;
    if (item.d_type != DT_LNK && item.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return ::fstatat(::dirfd(directory), item.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
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

QString openProblem(int error)
{
    switch (error) {
    case ENOENT: return {};
    case EACCES:
    case EPERM: return QStringLiteral("没有读取权限");
    case ENOTDIR: return QStringLiteral("不是目录");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Lists one day directory; says why when it cannot.
void listDirectory(const QByteArray& localDir, Market market, DayDirectory& seen, std::vector<Listed>& listed)
{
    const std::unique_ptr<DIR, DirectoryCloser> directory(::opendir(localDir.constData()));
    if (!directory) {
        seen.problem = openProblem(errno);
        return;
    }
    seen.listed = true;
    while (const dirent* item = ::readdir(directory.get())) {
        const QByteArray name(item->d_name);
        const QString code = codeOfFileName(name);
        if (code.isEmpty() || !isRegularFile(directory.get(), *item))
            continue;
        listed.push_back({codePage936Key(code, name), name, {market, code, ClassOf(market, code), localDir + name}});
    }
}

QString directorySentence(const DayDirectory& directory)
{
    return directory.problem.isEmpty() ? QStringLiteral("没有找到日线目录 %1").arg(directory.shownPath)
                                       : QStringLiteral("无法读取日线目录 %1：%2").arg(directory.shownPath, directory.problem);
}

} // namespace

DayFileListing ListDayFiles(const QString& quoteDir)
{
    DayFileListing listing;
    for (Market market : {Market::Shanghai, Market::Shenzhen}) {
        const QString windowsDir = quoteDir + QuoteLayout::dayDirectory(market);
        DayDirectory& seen = listing.directories.emplace_back(DayDirectory{windowsDir, toLocalPath(windowsDir), false, {}});
        std::vector<Listed> listed;
        if (const auto localDir = localFileName(windowsDir))
            listDirectory(*localDir, market, seen, listed);
        std::sort(listed.begin(), listed.end());
        // Code page 936 cannot hold every character: equal keys need not be equal codes.
        const auto sameCode = [](const Listed& a, const Listed& b) { return a.entry.code == b.entry.code; };
        listed.erase(std::unique(listed.begin(), listed.end(), sameCode), listed.end());
        for (Listed& item : listed)
            listing.files.push_back(std::move(item.entry));
    }
    return listing;
}

bool DayFileListing::foundDayDirectory() const
{
    return std::any_of(directories.begin(), directories.end(), [](const DayDirectory& d) { return d.listed; });
}

QString DayFileListing::noDirectoryMessage() const
{
    QStringList sentences;
    for (const DayDirectory& directory : directories)
        sentences.append(directorySentence(directory));
    return sentences.join(QStringLiteral("；")) + QStringLiteral("。");
}

QStringList DayFileListing::unreadableDirectoryWarnings() const
{
    QStringList warnings;
    for (const DayDirectory& directory : directories) {
        if (!directory.listed && !directory.problem.isEmpty() && foundDayDirectory())
            warnings.append(QStringLiteral("警告：%1，其中的证券不在列表中。").arg(directorySentence(directory)));
    }
    return warnings;
}

} // namespace verdaxil
