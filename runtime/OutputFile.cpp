#include "runtime/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace verdaxil {

namespace {

constexpr int kMaxLinks = 40; // as many as the kernel follows

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<QString> writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a file-size limit) shows here:
    // through the buffer, commit() can take a cut file for a whole one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error =
            file.error() == QFileDevice::NoError ? QStringLiteral("the file could not be written whole") : file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

// Opens a FIFO for writing without blocking; a FIFO with no reader yet is tried again
// until one comes when `waitForReader`, and `waiting` told after a second.
int openInPlace(const QByteArray& path, bool waitForReader, const std::function<void()>& waiting)
{
    using namespace std::chrono_literals;
    const auto start = std::chrono::steady_clock::now();
    bool told = false;
    for (;;) {
        const int descriptor = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
        if (descriptor >= 0 || errno != ENXIO || !waitForReader)
            return descriptor;
        if (!told && std::chrono::steady_clock::now() - start >= 1s) {
            told = true;
            if (waiting)
                waiting();
        }
        std::this_thread::sleep_for(20ms);
    }
}

std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes, bool waitForReader,
                                    const std::function<void()>& waiting)
{
    const int descriptor = openInPlace(QFile::encodeName(path), waitForReader, waiting);
    if (descriptor < 0)
        return errno == ENXIO ? QStringLiteral("nothing reads from it") : systemError(errno);
    struct stat info {};
    // Replaced by a file or a directory since it was looked at: writing in place
    // would mix the list into a file nobody asked to change.
    if (::fstat(descriptor, &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return QStringLiteral("it changed while it was written");
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(descriptor, bytes.constData() + written, static_cast<std::size_t>(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            const int error = count < 0 ? errno : ENOSPC;
            ::close(descriptor);
            return systemError(error);
        }
        written += count;
    }
    if (::close(descriptor) != 0 && errno != EINTR)
        return systemError(errno);
    return std::nullopt;
}

} // namespace

OutputTarget inspectOutput(const QString& localPath)
{
    QFileInfo info(localPath);
    OutputTarget target{{}, OutputKind::Missing, info.isSymLink()};
    // Followed here, though writing follows links too: where a link to no file yet would
    // put the bytes (among the inputs, say) is known only from its chain.
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == kMaxLinks)
            return {info.filePath(), OutputKind::LinkLoop, true};
        info.setFile(info.symLinkTarget());
    }
    target.path = info.filePath();
    struct stat status {};
    if (::stat(QFile::encodeName(target.path).constData(), &status) == 0) {
        target.kind = S_ISREG(status.st_mode) ? OutputKind::RegularFile
            : S_ISDIR(status.st_mode)         ? OutputKind::Directory
                                              : OutputKind::Special;
    } else if (errno == ELOOP) {
        target.kind = OutputKind::LinkLoop; // a loop among the folders above it
    }
    return target;
}

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

// The path with every link and "..", ".", "//" resolved, for a file that need not
// exist yet, nor the folders it would go in: the nearest that exists resolved, the
// rest as it stands.
QString resolvedPath(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!info.exists() && !info.isRoot() && !info.fileName().isEmpty()) {
        rest = u'/' + info.fileName() + rest;
        info.setFile(info.absolutePath());
    }
    const QString existing = info.canonicalFilePath();
    return existing.isEmpty() ? QFileInfo(path).absoluteFilePath() : existing + rest;
}

} // namespace

std::optional<QString> inputAt(const OutputTarget& target, const ReadInputs& inputs)
{
    const QString resolved = resolvedPath(target.path);
    // An existing file is told by its identity, so that another name of it (a hard
    // link) counts as well; a missing one by where it would be.
    const auto identity = identityOf(target.path);
    for (const QString& file : inputs.files) {
        const auto fileIdentity = identityOf(file);
        if (identity ? fileIdentity == identity : !fileIdentity && resolvedPath(file) == resolved)
            return file;
    }
    for (const QString& folder : inputs.folders) {
        const QString inside = QFileInfo(folder).canonicalFilePath();
        if (!inside.isEmpty() && (resolved == inside || resolved.startsWith(inside + u'/')))
            return folder;
    }
    return std::nullopt;
}

std::optional<QString> writeOutput(const OutputTarget& target, const QByteArray& bytes, bool waitForReader,
                                   const std::function<void()>& waiting)
{
    switch (target.kind) {
    case OutputKind::Directory: return QStringLiteral("it is a directory");
    case OutputKind::LinkLoop: return QStringLiteral("its links never end");
    case OutputKind::Special: return writeInPlace(target.path, bytes, waitForReader, waiting);
    case OutputKind::Missing:
    case OutputKind::RegularFile: break;
    }
    return writeAtomically(target.path, bytes);
}

void ignoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace verdaxil
