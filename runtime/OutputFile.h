#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace verdaxil {

// What a path the user named for an output leads to, every symbolic link followed.
// LinkLoop: a chain of links that never ends, or is longer than the system follows.
enum class OutputKind { Missing, RegularFile, Special, Directory, LinkLoop };

struct OutputTarget {
    QString path; // where the bytes go: the file a chain of links ends at
    OutputKind kind = OutputKind::Missing;
    bool isLink = false; // the path named is a link, whatever it leads to
};

OutputTarget inspectOutput(const QString& localPath);

// What a run reads, as local paths: no output may be one of these files, or lie
// inside one of these folders, under any name.
struct ReadInputs {
    std::vector<QString> files;
    std::vector<QString> folders;
};

// The input the target is or lies inside, as listed; none when it is none of them.
std::optional<QString> inputAt(const OutputTarget& target, const ReadInputs& inputs);

// Writes the bytes to the target without ever destroying what is not a regular file:
// - a regular file, or none yet, is written whole or not at all: a temporary file
//   beside it replaces it once complete, so a link to it stays a link;
// - a device, FIFO or socket is opened and written in place, never replaced; a FIFO
//   without a reader is waited for when `waitForReader`, else it fails at once;
//   `waiting` is called once when a second has passed without a reader;
// - a directory or a link loop fails.
// Returns why it failed; a file that was there is then untouched.
std::optional<QString> writeOutput(const OutputTarget& target, const QByteArray& bytes, bool waitForReader,
                                   const std::function<void()>& waiting = {});

// A file-size limit must fail the write, as a full disk does, instead of ending the
// program without a word.
void ignoreFileSizeSignal();

} // namespace verdaxil
