#pragma once

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

enum class SaveStatus {
    Written,
    Declined,    // a file was there and was not to be replaced
    BadPath,     // the path holds a NUL character, which names no file
    NoDirectory, // the directory could not be made
    IsDirectory,
    WriteFailed,
};

struct SaveOutcome {
    SaveStatus status = SaveStatus::Written;
    QString reason; // the system's words, for NoDirectory and WriteFailed
};

// Saves under the program's rules: a regular file is replaced whole or not at all and
// only when the user agrees; a device, FIFO or socket is written in place, never
// replaced; a link is followed; a directory is never written. The window and
// verdaxil-scan save through it alike.
class ListSaver {
public:
    // Asked, with the path as typed, before an existing regular file is replaced.
    using ConfirmReplace = std::function<bool(const QString& shownPath)>;

    // `waitForReader`: whether a FIFO without a reader is waited for (a command line
    // may wait; a window must not hang).
    ListSaver(ConfirmReplace confirmReplace, bool waitForReader);

    SaveOutcome save(const SaveTarget& target, const QByteArray& bytes) const;

private:
    ConfirmReplace confirmReplace_;
    bool waitForReader_;
};

} // namespace verdaxil
