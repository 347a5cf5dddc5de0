#include "scan/ListSaving.h"

#include "runtime/OutputFile.h"
#include "runtime/WindowsPath.h"

#include <QDir>
#include <QFileInfo>

namespace verdaxil {

SaveTarget fileInTypedDirectory(const QString& typedDirectory, const QString& fileName)
{
    // Joined in the directory's own style: "d:\Recom\荐股….csv", "/home/me/荐股….csv".
    const bool unixStyle = typedDirectory.contains(u'/') && !typedDirectory.contains(u'\\');
    const QString separator = typedDirectory.isEmpty() || typedDirectory.endsWith(u'\\') || typedDirectory.endsWith(u'/')
        ? QString()
        : unixStyle ? QStringLiteral("/")
                    : QStringLiteral("\\");
    return {typedDirectory + separator + fileName, QDir(toLocalPath(typedDirectory)).filePath(fileName), true};
}

SaveTarget fileAsGiven(const QString& path)
{
    return {path, path, false};
}

QString listFileName(std::int32_t day, const QString& extension)
{
    return QStringLiteral("荐股%1%2").arg(day).arg(extension);
}

ListSaver::ListSaver(ConfirmReplace confirmReplace, bool waitForReader)
    : confirmReplace_(std::move(confirmReplace)), waitForReader_(waitForReader)
{}

SaveOutcome ListSaver::save(const SaveTarget& target, const QByteArray& bytes) const
{
    if (target.localPath.contains(QChar(u'\0')))
        return {SaveStatus::BadPath, {}};
    const QString directory = QFileInfo(target.localPath).path();
    if (target.makeDirectory && !QDir().mkpath(directory))
        return {SaveStatus::NoDirectory, QDir::toNativeSeparators(directory)};

    const OutputTarget output = inspectOutput(target.localPath);
    if (output.kind == OutputKind::Directory)
        return {SaveStatus::IsDirectory, {}};
    if (output.kind == OutputKind::RegularFile && !confirmReplace_(target.shownPath))
        return {SaveStatus::Declined, {}};
    // Looked at again: the question may have taken long enough for the file to change.
    if (const auto error = writeOutput(inspectOutput(target.localPath), bytes, waitForReader_))
        return {SaveStatus::WriteFailed, *error};
    return {};
}

} // namespace verdaxil
