#include "runtime/AtomicFile.h"

#include <QSaveFile>

namespace verdaxil {

std::optional<QString> writeFileAtomically(const QString& localPath, const QByteArray& bytes)
{
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace verdaxil
