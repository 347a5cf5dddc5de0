#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace verdaxil::testing {

// What a command-line program run in the test's process wrote and returned.
struct CliRun {
    int status = -1;
    QByteArray bytes; // standard output as written
    QString out;      // the same as UTF-8 text
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(bytes).object(); }
};

// Runs `cli(arguments, out, err)` with the program's name before the arguments.
template <class Cli>
CliRun runCli(Cli cli, const char* program, QStringList arguments)
{
    CliRun result;
    QBuffer outBytes;
    outBytes.open(QIODevice::WriteOnly);
    QTextStream out(&outBytes);
    QTextStream err(&result.err);
    arguments.prepend(QString::fromLatin1(program));
    result.status = cli(arguments, out, err);
    out.flush();
    err.flush();
    result.bytes = outBytes.data();
    result.out = QString::fromUtf8(result.bytes);
    return result;
}

} // namespace verdaxil::testing
