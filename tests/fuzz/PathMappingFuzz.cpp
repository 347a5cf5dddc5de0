// Windows-style paths through the Wine-style mapping and the file checks, on a tree
// made once: $WINEPREFIX/dosdevices/d: leads to a drive holding a day file, a FIFO
// named like one and a directory. A path that maps into the tree gets a file for the
// run; one that maps anywhere else is only looked at, and must not appear.
#include "FuzzChecks.h"

#include "runtime/FileSystem.h"
#include "runtime/WindowsPath.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verdaxil::fuzz {

namespace fs = std::filesystem;

namespace {

class DriveTree {
public:
    DriveTree()
    {
        std::string name = fs::temp_directory_path() / "verdaxil-fuzz-path-XXXXXX";
        require(::mkdtemp(name.data()) != nullptr, "a temporary directory");
        root_ = fs::canonical(name);
        const fs::path day = root_ / "drive_d/YYY/data/shase/day";
        fs::create_directories(day);
        fs::create_directories(root_ / "drive_d/YYY/data/sznse/day");
        std::ofstream(day / "600000.day", std::ios::binary) << std::string(40, '\1');
        require(::mkfifo((day / "600001.day").c_str(), 0600) == 0, "a FIFO");
        fs::create_directories(root_ / "prefix/dosdevices");
        fs::create_directory_symlink(root_ / "drive_d", root_ / "prefix/dosdevices/d:");
        ::setenv("WINEPREFIX", (root_ / "prefix").c_str(), 1);
    }
    ~DriveTree() { fs::remove_all(root_); }

    // True when `directory` exists and, links followed, lies in the tree.
    bool holds(const fs::path& directory) const
    {
        std::error_code error;
        const fs::path real = fs::canonical(directory, error);
        if (error)
            return false;
        const auto [treeEnd, realAt] = std::mismatch(root_.begin(), root_.end(), real.begin(), real.end());
        return treeEnd == root_.end();
    }

private:
    fs::path root_;
};

bool entryExists(const QByteArray& local)
{
    struct stat info {};
    return ::lstat(local.constData(), &info) == 0;
}

void checkMapping(const QString& windowsPath, const QString& local)
{
    require(!local.contains(u'\\'), "every backslash separates");
    const bool drive =
        windowsPath.size() >= 2 && windowsPath[1] == u':' && windowsPath[0].unicode() < 0x80 && windowsPath[0].isLetter();
    // Names may come back in another case: the mapping finds them as Windows would.
    const auto foldAscii = [](QString text) {
        for (QChar& c : text) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + (u'a' - u'A'));
        }
        return text;
    };
    const auto sameIgnoringCase = [&](const QString& a, const QString& b) { return foldAscii(a) == foldAscii(b); };
    if (!drive) {
        require(sameIgnoringCase(local, QString(windowsPath).replace(u'\\', u'/')), "a path without a drive keeps its place");
        return;
    }
    const QString dosDevice = qEnvironmentVariable("WINEPREFIX") + QStringLiteral("/dosdevices/") + windowsPath.left(2).toLower();
    require(local.startsWith(dosDevice + u'/'), "a drive is the prefix's dos device");
    const QString rest = windowsPath.mid(2).replace(u'\\', u'/');
    require(sameIgnoringCase(local.right(rest.size()), rest), "the rest follows the drive");
}

// Whether a file opens as the file system says it exists, with the size the run gave
// its own file; devices are never opened, as opening one can act on it.
void checkLookUp(const QString& windowsPath, const QByteArray& local, std::optional<std::int64_t> size)
{
    std::error_code error;
    const fs::file_status status = fs::status(local.toStdString(), error);
    const bool regular = fs::is_regular_file(status);
    require(fileExists(windowsPath) == regular, "only a regular file exists");
    if (!regular && fs::exists(status) && !fs::is_directory(status))
        return;
    const std::optional<ReadOnlyFile> file = ReadOnlyFile::open(windowsPath);
    require(!file || regular, "only a regular file opens");
    if (size)
        require(file && file->size() == *size, "the run's file opens with its size");
}

} // namespace

void checkPathMappingInput(Input input)
{
    static const DriveTree tree;
    const QString windowsPath =
        QString::fromUtf8(reinterpret_cast<const char*>(input.data()), static_cast<qsizetype>(input.size()));
    const QString local = toLocalPath(windowsPath);
    checkMapping(windowsPath, local);

    const QByteArray localName = QFile::encodeName(local);
    // The file system is still asked up to a NUL, not for the whole path; that is
    // being fixed apart from this. Such a path is only looked at, never opened: what
    // is left of it may name a device.
    if (localName.contains('\0')) {
        (void)fileExists(windowsPath);
        return;
    }
    const fs::path path = localName.toStdString();
    const bool plainName = !localName.endsWith('/') && path.filename() != "." && path.filename() != "..";
    const bool existed = entryExists(localName);
    // A name too long for the file system, or a parent that is a file, gets no file.
    const int descriptor = plainName && !existed && tree.holds(path.parent_path())
        ? ::open(localName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
        : -1;
    const bool created = descriptor >= 0;
    if (created) {
        require(::write(descriptor, input.data(), input.size()) == static_cast<ssize_t>(input.size()), "its bytes");
        ::close(descriptor);
    }
    checkLookUp(windowsPath, localName, created ? std::optional<std::int64_t>(input.size()) : std::nullopt);
    if (created)
        require(::unlink(localName.constData()) == 0, "the run's file goes");
    else
        require(existed == entryExists(localName), "a look-up creates nothing");
}

} // namespace verdaxil::fuzz
