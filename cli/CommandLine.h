#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCommandLineParser;
class QTextStream;

namespace verdaxil {

// Exit statuses both programs share.
inline constexpr int kConversionFailed = 1; // a fee or horizon that is not an integer
inline constexpr int kUsageError = 2;
inline constexpr int kOutputFailed = 4; // what was to be written was not written whole

// Runs a program's body on text streams over standard output and error, with a
// file-size limit failing writes instead of ending the program. Then standard output
// is flushed and checked: when a write to it failed (a full disk, /dev/full), that is
// told on standard error and the status is kOutputFailed, never success.
int runOnStandardStreams(const std::function<int(QTextStream& out, QTextStream& err)>& body);

// --dir, --fee and --horizon take the texts of the main window's setting boxes, and
// default to the texts those boxes start with.
struct SettingOptions {
    QCommandLineOption dir;
    QCommandLineOption fee;
    QCommandLineOption horizon;
};
SettingOptions settingOptions();

// The command-line conventions both programs share: the parser's own --help and
// --version answered on standard output, and every error on standard error after
// the program's name.
class CommandLine {
public:
    CommandLine(QCommandLineParser& parser, const QStringList& arguments, QTextStream& out, QTextStream& err);

    // Adds --help and --version and parses. Returns the exit status to end with when
    // the program should not go on: 0 after answering --help or --version, 2 after a
    // usage error.
    std::optional<int> parse();

    // "PROGRAM: message" on standard error.
    void error(const QString& message) const;
    // A usage error, with a pointer to --help; returns the status 2.
    int usageError(const QString& message) const;

private:
    QCommandLineParser& parser_;
    QStringList arguments_;
    QString program_;
    QTextStream& out_;
    QTextStream& err_;
};

} // namespace verdaxil
