#include "scan/ListSaving.h"

#include "quotes/QuoteLayout.h"
#include "runtime/WindowsPath.h"
#include "scan/NameListFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

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

QString checkFileName(std::int32_t day, const QString& extension)
{
    return QStringLiteral("信号检验%1%2").arg(day).arg(extension);
}

ReadInputs scanInputs(const QString& quoteDir, const DayFileListing& listing, const QString& namesPath)
{
    ReadInputs inputs;
    inputs.folders.push_back(toLocalPath(quoteDir + QStringLiteral("\\data")));
    for (Market market : {Market::Shanghai, Market::Shenzhen})
        inputs.files.push_back(toLocalPath(quoteDir + QuoteLayout::tableFile(market)));
    // Day files elsewhere (a linked day directory) are inputs as well.
    for (const DayFileEntry& file : listing.files)
        inputs.files.push_back(QFile::decodeName(file.localPath));
    if (!namesPath.isEmpty())
        inputs.files.push_back(namesPath);
    inputs.files.push_back(keptNameListPath());
    return inputs;
}

ListSaver::ListSaver(ConfirmReplace confirmReplace, bool waitForReader, ReadInputs inputs, std::function<void()> waiting)
    : confirmReplace_(std::move(confirmReplace)),
      waitForReader_(waitForReader),
      inputs_(std::move(inputs)),
      waiting_(std::move(waiting))
{}

std::optional<SaveOutcome> ListSaver::refusal(const OutputTarget& output) const
{
    if (output.kind == OutputKind::LinkLoop)
        return SaveOutcome{SaveStatus::LinkLoop, {}};
    if (output.kind == OutputKind::Directory)
        return SaveOutcome{SaveStatus::IsDirectory, {}};
    if (const auto input = inputAt(output, inputs_))
        return SaveOutcome{SaveStatus::IsInput, QDir::toNativeSeparators(*input)};
    return std::nullopt;
}

SaveOutcome ListSaver::save(const SaveTarget& target, const QByteArray& bytes) const
{
    if (target.localPath.contains(QChar(u'\0')))
        return {SaveStatus::BadPath, {}};
    // Refused before any folder is made for it: nothing is made among the inputs either.
    if (const auto refused = refusal(inspectOutput(target.localPath)))
        return *refused;
    const QString directory = QFileInfo(target.localPath).path();
    if (target.makeDirectory && !QDir().mkpath(directory))
        return {SaveStatus::NoDirectory, QDir::toNativeSeparators(directory)};

    const OutputTarget output = inspectOutput(target.localPath);
    if (const auto refused = refusal(output))
        return *refused;
    // A link that leads to no file yet is there all the same; one to a device or FIFO
    // replaces nothing.
    const bool replaces = output.kind == OutputKind::RegularFile || (output.isLink && output.kind == OutputKind::Missing);
    if (replaces && !confirmReplace_(target.shownPath))
        return {SaveStatus::Declined, {}};
    // Looked at again: the question may have taken long enough for the file to change.
    const OutputTarget now = inspectOutput(target.localPath);
    if (const auto refused = refusal(now))
        return *refused;
    if (const auto error = writeOutput(now, bytes, waitForReader_, waiting_))
        return {SaveStatus::WriteFailed, *error};
    return {};
}

SaveOutcome ListSaver::save(const SaveTarget& target, const std::function<QByteArray()>& makeBytes) const
{
    QByteArray bytes;
    try {
        bytes = makeBytes();
    } catch (const std::runtime_error& error) {
        return {SaveStatus::NotMade, QString::fromUtf8(error.what())};
    }
    return save(target, bytes);
}

} // namespace verdaxil
