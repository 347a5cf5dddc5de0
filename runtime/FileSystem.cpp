#include "runtime/FileSystem.h"

#include "runtime/WindowsPath.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#include <utility>

namespace verdaxil {

bool fileExists(const QString& windowsPath)
{
    const auto name = localFileName(windowsPath);
    struct stat info {};
    return name && ::stat(name->constData(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<ReadOnlyFile> ReadOnlyFile::open(const QString& windowsPath)
{
    const auto name = localFileName(windowsPath);
    OpenError ignored{};
    return name ? openLocal(name->constData(), ignored) : std::nullopt;
}

std::optional<ReadOnlyFile> ReadOnlyFile::openLocal(const char* localPath, OpenError& error)
{
    // O_NONBLOCK keeps a FIFO swapped in for the file from blocking the open.
    const int descriptor = ::open(localPath, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        error = errno == ENOENT || errno == ENOTDIR ? OpenError::Missing
            : errno == EACCES || errno == EPERM     ? OpenError::Denied
                                                    : OpenError::Other;
        return std::nullopt;
    }
    struct stat info {};
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    ReadOnlyFile file(descriptor, regular ? info.st_size : 0);
    if (!regular) {
        error = OpenError::NotRegular;
        return std::nullopt;
    }
    return file;
}

ReadOnlyFile::ReadOnlyFile(int descriptor, std::int64_t size) : descriptor_(descriptor), size_(size) {}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), size_(std::exchange(other.size_, 0))
{}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept
{
    std::swap(descriptor_, other.descriptor_);
    std::swap(size_, other.size_);
    return *this;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

std::int64_t ReadOnlyFile::dataEnd() const
{
    const std::int64_t whole = size();
    std::int64_t end = 0;
    for (off_t from = 0;;) {
        const off_t data = ::lseek(descriptor_, from, SEEK_DATA);
        if (data < 0)
            return errno == ENXIO ? std::min(end, whole) : whole;
        const off_t hole = ::lseek(descriptor_, data, SEEK_HOLE);
        if (hole < 0)
            return whole;
        end = hole;
        from = hole;
    }
}

std::size_t ReadOnlyFile::readAt(std::int64_t offset, char* buffer, std::size_t length) const
{
    // First without waiting: it reads what the page cache holds, which tells whether
    // the disk is in the way at no cost when nothing is.
    iovec part{buffer, length};
    const ssize_t cached = ::preadv2(descriptor_, &part, 1, offset, RWF_NOWAIT);
    // A file system that cannot read so tells nothing.
    const bool told = cached >= 0 || errno == EAGAIN;
    std::size_t total = cached > 0 ? static_cast<std::size_t>(cached) : 0;
    const std::size_t fromCache = total;
    while (total < length) {
        const ssize_t got = ::pread(descriptor_, buffer + total, length - total, offset + static_cast<std::int64_t>(total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    waitedForDisk_ = waitedForDisk_ || (told && total > fromCache);
    return total;
}

void readAhead(const char* localPath)
{
    const int descriptor = ::open(localPath, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return;
    ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_WILLNEED);
    ::close(descriptor);
}

} // namespace verdaxil
