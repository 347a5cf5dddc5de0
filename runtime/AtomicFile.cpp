#include "runtime/AtomicFile.h"

#include <QSaveFile>

namespace verdaxil {

std::optional<QString> writeFileAtomically(const QString& localPath, const QByteArray& bytes)
{
    QSaveFile file(localPath);
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

} // namespace verdaxil
