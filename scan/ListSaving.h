#pragma once

#include "runtime/OutputFile.h"
#include "scan/DayFileListing.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace verdaxil {

// A file the user asked to have written.
struct SaveTarget {
    QString shownPath;          // as the user typed it: every message and question names this
    QString localPath;          // where it is written
    bool makeDirectory = false; // create the directory it goes into when missing
};

// The file `fileName` in a directory typed in the window, a Windows-style path mapped
// as the quote directory is; the directory is made when missing.
SaveTarget fileInTypedDirectory(const QString& typedDirectory, const QString& fileName);

// A path given on the command line, taken as it stands.
SaveTarget fileAsGiven(const QString& path);

// "荐股YYYYMMDD" and the extension: the name of a day's list file.
QString listFileName(std::int32_t day, const QString& extension);

// "信号检验YYYYMMDD" and the extension: the name of the signal check's file.
QString checkFileName(std::int32_t day, const QString& extension);

enum class SaveStatus {
    Written,
    Declined,    // a file was there and was not to be replaced
    BadPath,     // the path holds a NUL character, which names no file
    NoDirectory, // the directory could not be made
    IsDirectory,
    IsInput,  // it is, or lies inside, what the scan reads
    LinkLoop, // its links never end
    WriteFailed,
    NotMade, // the bytes could not be made: nothing was asked or written
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Written;
    QString reason; // the system's words, for NoDirectory, WriteFailed and NotMade; the input for IsInput
};

// What a scan of the quote directory reads: its data folder with every day and table
// file, and the name list given (`namesPath`, may be empty) and the one kept.
ReadInputs scanInputs(const QString& quoteDir, const DayFileListing& listing, const QString& namesPath);

// Saves under the program's rules: a regular file is replaced whole or not at all and
// only when the user agrees; a device, FIFO or socket is written in place, never
// replaced; a link is followed, and one that is there counts as a file that is there;
// a directory, a link loop and anything the scan reads are never written. The window
// and verdaxil-scan save through it alike.
class ListSaver {
public:
    // Asked, with the path as typed, before an existing regular file is replaced.
    using ConfirmReplace = std::function<bool(const QString& shownPath)>;

    // `waitForReader`: whether a FIFO without a reader is waited for (a command line
    // may wait; a window must not hang); `waiting` is told when no reader came within a
    // second. `inputs`: what the scan read, never to be written.
    ListSaver(ConfirmReplace confirmReplace, bool waitForReader, ReadInputs inputs, std::function<void()> waiting = {});

    SaveOutcome save(const SaveTarget& target, const QByteArray& bytes) const;
    // Makes the bytes first: a file that cannot be made (a workbook without room for
    // its temporary files, std::runtime_error) is NotMade, and nothing is asked.
    SaveOutcome save(const SaveTarget& target, const std::function<QByteArray()>& makeBytes) const;

private:
    // Where the target leads, or why it may not be written.
    std::optional<SaveOutcome> refusal(const OutputTarget& output) const;

    ConfirmReplace confirmReplace_;
    bool waitForReader_;
    ReadInputs inputs_;
    std::function<void()> waiting_;
};

} // namespace verdaxil
