#include "runtime/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstring>

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

std::optional<QString> writeInPlace(const QString& path, const QByteArray& bytes, bool waitForReader)
{
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | (waitForReader ? 0 : O_NONBLOCK));
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
    for (int links = 0; links < kMaxLinks && info.isSymLink(); ++links)
        info.setFile(info.symLinkTarget());
    OutputTarget target{info.filePath(), OutputKind::Missing};
    struct stat status {};
    if (::stat(QFile::encodeName(target.path).constData(), &status) == 0) {
        target.kind = S_ISREG(status.st_mode) ? OutputKind::RegularFile
            : S_ISDIR(status.st_mode)         ? OutputKind::Directory
                                              : OutputKind::Special;
    }
    return target;
}

std::optional<QString> writeOutput(const OutputTarget& target, const QByteArray& bytes, bool waitForReader)
{
    switch (target.kind) {
    case OutputKind::Directory: return QStringLiteral("it is a directory");
    case OutputKind::Special: return writeInPlace(target.path, bytes, waitForReader);
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
