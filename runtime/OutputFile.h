#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace verdaxil {

// What a path the user named for an output leads to, every symbolic link followed.
enum class OutputKind { Missing, RegularFile, Special, Directory };

struct OutputTarget {
    QString path; // where the bytes go: the file a chain of links ends at
    OutputKind kind = OutputKind::Missing;
};

OutputTarget inspectOutput(const QString& localPath);

// Writes the bytes to the target without ever destroying what is not a regular file:
// - a regular file, or none yet, is written whole or not at all: a temporary file
//   beside it replaces it once complete, so a link to it stays a link;
// - a device, FIFO or socket is opened and written in place, never replaced; a FIFO
//   without a reader is waited for when `waitForReader`, else it fails at once;
// - a directory fails.
// Returns why it failed; a file that was there is then untouched.
std::optional<QString> writeOutput(const OutputTarget& target, const QByteArray& bytes, bool waitForReader);

// A file-size limit must fail the write, as a full disk does, instead of ending the
// program without a word.
void ignoreFileSizeSignal();

} // namespace verdaxil
