#include "cli/CommandLine.h"

#include "analysis/InitialTexts.h"
#include "runtime/OutputFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace verdaxil {

int runOnStandardStreams(const std::function<int(QTextStream& out, QTextStream& err)>& body)
{
    ignoreFileSizeSignal();
    int status = 0;
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        status = body(out, err);
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        QTextStream(stderr) << QFileInfo(QCoreApplication::arguments().value(0)).fileName()
                            << QStringLiteral(": Cannot write to standard output: ")
                            << QString::fromLocal8Bit(std::strerror(error)) << u'\n';
        return kOutputFailed;
    }
    return status;
}

SettingOptions settingOptions()
{
    const QString text = QStringLiteral("TEXT");
    return {
        {QStringLiteral("dir"), QStringLiteral("Quote terminal directory."), text, InitialTexts::kQuoteDir},
        {QStringLiteral("fee"), QStringLiteral("Fee per trade; below 1 counts as %1.").arg(kDefaultFee), text,
         InitialTexts::kFee},
        {QStringLiteral("horizon"), QStringLiteral("Horizon of the back-test in days."), text, InitialTexts::kHorizon},
    };
}

CommandLine::CommandLine(QCommandLineParser& parser, const QStringList& arguments, QTextStream& out, QTextStream& err)
    : parser_(parser),
      arguments_(arguments),
      program_(arguments.isEmpty() ? QString() : QFileInfo(arguments.constFirst()).fileName()),
      out_(out),
      err_(err)
{}

std::optional<int> CommandLine::parse()
{
    const QCommandLineOption help = parser_.addHelpOption();
    const QCommandLineOption version = parser_.addVersionOption();
    if (!parser_.parse(arguments_))
        return usageError(parser_.errorText());
    if (parser_.isSet(help)) {
        out_ << parser_.helpText() << Qt::flush;
        return 0;
    }
    if (parser_.isSet(version)) {
        out_ << program_ << u' ' << QCoreApplication::applicationVersion() << u'\n' << Qt::flush;
        return 0;
    }
    return std::nullopt;
}

void CommandLine::error(const QString& message) const
{
    err_ << program_ << QStringLiteral(": ") << message << u'\n' << Qt::flush;
}

int CommandLine::usageError(const QString& message) const
{
    error(message);
    err_ << QStringLiteral("Try '%1 --help'.\n").arg(program_) << Qt::flush;
    return kUsageError;
}

} // namespace verdaxil
