// The scan's listing over day directories holding entries named by the input: regular
// files, directories, FIFOs and links to a file. The first byte says which of the two
// day directories exist; then each entry is a kind byte (bit 0 the exchange, bits 1-2
// the type, bit 3 appends ".day"), a length byte and the name's bytes.
#include "FuzzChecks.h"

#include "runtime/CodePage936.h"
#include "scan/DayFileListing.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verdaxil::fuzz {

namespace fs = std::filesystem;

namespace {

// Enough to mix kinds and clashes of names; each entry costs a few system calls.
constexpr int kMaxEntries = 8;
constexpr std::size_t kMaxNameLength = 15;

enum class Kind { File, Directory, Fifo, LinkToFile };

class QuoteTree {
public:
    QuoteTree()
    {
        std::string name = fs::temp_directory_path() / "verdaxil-fuzz-listing-XXXXXX";
        require(::mkdtemp(name.data()) != nullptr, "a temporary directory");
        root_ = name;
        std::ofstream(root_ / "target.day", std::ios::binary) << std::string(40, '\1');
    }
    ~QuoteTree() { fs::remove_all(root_); }

    fs::path quoteDir() const { return root_ / "q"; }
    fs::path linkTarget() const { return root_ / "target.day"; }

private:
    fs::path root_;
};

struct Created {
    Market market;
    QByteArray name;
};

// Makes the entry; false when the name cannot be one or is taken.
bool create(const fs::path& path, Kind kind, const fs::path& linkTarget)
{
    std::error_code error;
    switch (kind) {
    case Kind::File: {
        // Never through a name already taken: it may be a FIFO, or a link to the target.
        const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        return descriptor >= 0 && ::close(descriptor) == 0;
    }
    case Kind::Directory: return fs::create_directory(path, error);
    case Kind::Fifo: return ::mkfifo(path.c_str(), 0600) == 0;
    case Kind::LinkToFile: fs::create_symlink(linkTarget, path, error); return !error;
    }
    return false;
}

// What the listing must hold of an entry: a regular file, links followed, named
// code + ".day" (in any case, as the query finds it) where the code names the file
// back and has 5 to 7 code page 936 bytes without a backslash.
bool namesSecurity(const QByteArray& name, Kind kind)
{
    if (kind != Kind::File && kind != Kind::LinkToFile)
        return false;
    const QString decoded = QFile::decodeName(name);
    QString suffix = decoded.right(4);
    for (QChar& c : suffix) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    if (suffix != QStringLiteral(".day") || QFile::encodeName(decoded) != name)
        return false;
    const QString code = decoded.chopped(4);
    const qsizetype length = toCodePage936(code).size();
    return !code.contains(u'\\') && length >= 5 && length <= 7;
}

using Key = std::tuple<int, QString, QByteArray>;

} // namespace

void checkDayFileListingInput(Input input)
{
    static const QuoteTree tree;
    const fs::path dayDirs[] = {tree.quoteDir() / "data/shase/day", tree.quoteDir() / "data/sznse/day"};
    const std::uint8_t present = input.empty() ? 0 : input[0];
    for (int market = 0; market < 2; ++market)
        if (present & 1 << market)
            fs::create_directories(dayDirs[market]);

    std::vector<Key> expected;
    std::size_t at = 1;
    for (int entry = 0; entry < kMaxEntries && at + 2 <= input.size(); ++entry) {
        const std::uint8_t kindByte = input[at];
        const std::size_t length = std::min<std::size_t>(input[at + 1] % (kMaxNameLength + 1), input.size() - at - 2);
        QByteArray name(reinterpret_cast<const char*>(input.data() + at + 2), static_cast<qsizetype>(length));
        at += 2 + length;
        if (kindByte & 8)
            name += ".day";
        const int market = kindByte & 1;
        const auto kind = static_cast<Kind>(kindByte >> 1 & 3);
        if (!(present & 1 << market) || name.isEmpty() || name == "." || name == ".." || name.contains('/') || name.contains('\0')
            || !create(dayDirs[market] / name.toStdString(), kind, tree.linkTarget()))
            continue;
        if (namesSecurity(name, kind))
            expected.emplace_back(market, QFile::decodeName(name).chopped(4),
                                  QFile::encodeName(QString::fromStdString(dayDirs[market].string() + '/')) + name);
    }

    const QString quoteDir = QString::fromStdString(tree.quoteDir().string());
    const DayFileListing listing = ListDayFiles(quoteDir);
    // The exchange folders stay: creating them each run would cost more than the run.
    for (const fs::path& dayDir : dayDirs)
        fs::remove_all(dayDir);

    require(listing.foundDayDirectory() == ((present & 3) != 0), "found when either day directory exists");
    const QStringList looked = {quoteDir + QStringLiteral("/data/shase/day/"), quoteDir + QStringLiteral("/data/sznse/day/")};
    require(listing.directories.size() == 2 && listing.directories[0].localPath == looked[0]
                && listing.directories[1].localPath == looked[1],
            "both day directories are looked at");
    std::vector<Key> listed;
    for (std::size_t k = 0; k < listing.files.size(); ++k) {
        const DayFileEntry& file = listing.files[k];
        const int market = file.market == Market::Shanghai ? 0 : 1;
        if (k > 0) {
            const DayFileEntry& before = listing.files[k - 1];
            require(before.market == file.market ? toCodePage936(before.code) <= toCodePage936(file.code)
                                                 : before.market == Market::Shanghai,
                    "Shanghai first, then Shenzhen, each by the code's bytes");
        }
        listed.emplace_back(market, file.code, file.localPath);
    }
    // Of one code's files ("600000.day", "600000.DAY") the one spelled ".day", else
    // the first by name.
    std::sort(expected.begin(), expected.end(), [](const Key& a, const Key& b) {
        const auto rank = [](const Key& key) {
            return std::tuple(std::get<0>(key), std::get<1>(key), !std::get<2>(key).endsWith(".day"), std::get<2>(key));
        };
        return rank(a) < rank(b);
    });
    expected.erase(std::unique(expected.begin(), expected.end(),
                               [](const Key& a, const Key& b) {
                                   return std::get<0>(a) == std::get<0>(b) && std::get<1>(a) == std::get<1>(b);
                               }),
                   expected.end());
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    require(listed == expected, "every security's file and nothing else");
}

} // namespace verdaxil::fuzz
