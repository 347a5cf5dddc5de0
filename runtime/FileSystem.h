#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace verdaxil {

// True when the Windows-style path names an existing entry that is not a directory.
// Only regular files count: a FIFO, socket or device is never a quote file, and
// opening one could block the window.
bool fileExists(const QString& windowsPath);

// Why a file could not be opened.
enum class OpenError { Missing, Denied, NotRegular, Other };

// A regular file opened for reading; closed when the object goes.
class ReadOnlyFile {
public:
    // Empty when the path cannot be opened or is not a regular file.
    static std::optional<ReadOnlyFile> open(const QString& windowsPath);
    // The same for a path already in the local file system's form, saying why it failed.
    static std::optional<ReadOnlyFile> openLocal(const char* localPath, OpenError& error);

    ReadOnlyFile(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile& operator=(ReadOnlyFile&& other) noexcept;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // The size when the file was opened: a scan reads each file once, and what grows
    // later is tomorrow's data.
    std::int64_t size() const { return size_; }
    // Where the file's last stretch of data ends: a sparse file's holes read as zeros
    // and are passed over without reading them. The size when the system cannot tell.
    std::int64_t dataEnd() const;
    // Reads up to `length` bytes at `offset`; returns how many were read.
    std::size_t readAt(std::int64_t offset, char* buffer, std::size_t length) const;
    // Whether a read had to wait for the disk: what it asked for was not all in the page
    // cache.
    bool waitedForDisk() const { return waitedForDisk_; }

private:
    ReadOnlyFile(int descriptor, std::int64_t size);
    int descriptor_;
    std::int64_t size_;
    mutable bool waitedForDisk_ = false;
};

// Asks the system to start reading the file at the local path into the page cache, and
// returns at once.
void readAhead(const char* localPath);

} // namespace verdaxil
