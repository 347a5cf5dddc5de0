#include "cli/ScanCli.h"

#include "analysis/Fee.h"
#include "cli/CommandLine.h"
#include "quotes/TradingDate.h"
#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "scan/ListExport.h"
#include "scan/ListSaving.h"
#include "scan/MarketScan.h"
#include "scan/NameListFiles.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include <thread>

namespace verdaxil {

namespace {

constexpr int kNoDayDirectory = 3;
constexpr int kNoNames = 2; // a name list that cannot be read is a usage error

enum class OutputFormat { Csv, Json, Xlsx };

struct Options {
    QString quoteDir;
    QString feeText;
    QString horizonText;
    bool all = false;
    OutputFormat format = OutputFormat::Csv;
    QString output;
    bool force = false;
    int jobs = 1;
    QString names; // a name list file for this run; the kept copy when empty
};

std::optional<OutputFormat> formatNamed(const QString& name)
{
    if (name == u"csv")
        return OutputFormat::Csv;
    if (name == u"json")
        return OutputFormat::Json;
    if (name == u"xlsx")
        return OutputFormat::Xlsx;
    return std::nullopt;
}

struct OptionDefinitions {
    SettingOptions settings = settingOptions();
    QCommandLineOption all{QStringLiteral("all"), QStringLiteral("Print every scanned security, not only the day's list.")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("csv (default), json or xlsx. JSON keeps prices in 分 and dates as YYYYMMDD "
                                             "numbers; CSV and xlsx show prices in 元 and dates as YYYY-MM-DD."),
                              QStringLiteral("FORMAT"), QStringLiteral("csv")};
    QCommandLineOption output{QStringLiteral("output"), QStringLiteral("Write to FILE instead of standard output."),
                              QStringLiteral("FILE")};
    QCommandLineOption force{QStringLiteral("force"), QStringLiteral("Replace an existing output file.")};
    QCommandLineOption jobs{QStringLiteral("jobs"), QStringLiteral("Threads to scan on (default: the number of cores)."),
                            QStringLiteral("N"), QString::number(std::max(1u, std::thread::hardware_concurrency()))};

    QCommandLineOption names{QStringLiteral("names"),
                             QStringLiteral("Security names from FILE for this run (default: the name list last imported in "
                                            "the window)."),
                             QStringLiteral("FILE")};

    QList<QCommandLineOption> list() const
    {
        return {settings.dir, settings.fee, settings.horizon, all, format, output, force, jobs, names};
    }
};

// The options of a parsed command line; none when they do not fit, `problem` then says why.
std::optional<Options> readOptions(const QCommandLineParser& parser, const OptionDefinitions& defined, QString& problem)
{
    const auto format = formatNamed(parser.value(defined.format));
    Options options{parser.value(defined.settings.dir),
                    parser.value(defined.settings.fee),
                    parser.value(defined.settings.horizon),
                    parser.isSet(defined.all),
                    format.value_or(OutputFormat::Csv),
                    parser.value(defined.output),
                    parser.isSet(defined.force),
                    0,
                    parser.value(defined.names)};
    bool jobsIsNumber = false;
    options.jobs = parser.value(defined.jobs).toInt(&jobsIsNumber);
    if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().constFirst();
    else if (!format)
        problem = QStringLiteral("--format takes csv, json or xlsx, not ") + parser.value(defined.format);
    else if (!jobsIsNumber || options.jobs < 1)
        problem = QStringLiteral("--jobs takes a whole number of at least 1, not ") + parser.value(defined.jobs);
    else if (options.force && options.output.isEmpty())
        problem = QStringLiteral("--force goes with --output");
    return problem.isEmpty() ? std::optional(options) : std::nullopt;
}

class ProgressLine {
public:
    ProgressLine(QTextStream& err, bool shown) : err_(err), shown_(shown) { clock_.start(); }

    void operator()(ScanProgress progress)
    {
        if (!shown_)
            return;
        const double seconds = std::max(clock_.elapsed(), qint64{1}) / 1000.0;
        err_ << QStringLiteral("\r扫描 %1/%2 个文件，每秒 %3 个")
                    .arg(progress.done)
                    .arg(progress.total)
                    .arg(qRound(progress.done / seconds))
             << Qt::flush;
    }

    void finish()
    {
        if (shown_)
            err_ << '\n' << Qt::flush;
    }

private:
    QTextStream& err_;
    bool shown_;
    QElapsedTimer clock_;
};

// Why the output could not be written; none when it was.
std::optional<QString> writeOutput(const Options& options, const QByteArray& bytes, QTextStream& out)
{
    if (options.output.isEmpty()) {
        // The bytes as they are: a text stream would drop the byte-order mark.
        out.flush();
        if (out.device()->write(bytes) != bytes.size())
            return QStringLiteral("Cannot write to standard output: %1").arg(out.device()->errorString());
        return std::nullopt;
    }
    const SaveTarget target = fileAsGiven(options.output);
    const SaveOutcome outcome = ListSaver([&](const QString&) { return options.force; }, true).save(target, bytes);
    switch (outcome.status) {
    case SaveStatus::Written: return std::nullopt;
    case SaveStatus::Declined: return QStringLiteral("%1 exists; --force replaces it").arg(target.shownPath);
    case SaveStatus::BadPath: return QStringLiteral("Cannot write %1: the path holds a NUL character").arg(target.shownPath);
    case SaveStatus::IsDirectory: return QStringLiteral("Cannot write %1: it is a directory").arg(target.shownPath);
    case SaveStatus::NoDirectory:
    case SaveStatus::WriteFailed: break;
    }
    return QStringLiteral("Cannot write %1: %2").arg(target.shownPath, outcome.reason);
}

QByteArray listBytes(OutputFormat format, std::span<const ScanRow* const> rows, std::optional<std::int32_t> day,
                     const ScanSettings& settings, std::size_t scanned)
{
    switch (format) {
    case OutputFormat::Json:
        return QJsonDocument(listJson(rows, day, settings.horizon, settings.fee, scanned)).toJson(QJsonDocument::Indented);
    case OutputFormat::Xlsx: return listXlsx(rows, day, settings.horizon);
    case OutputFormat::Csv: break;
    }
    return listCsv(rows, settings.horizon);
}

// What the scan found, for the person at the terminal.
QString summary(std::span<const ScanRow> rows, std::optional<std::int32_t> day)
{
    int recommended = 0;
    int stale = 0;
    int unreadable = 0;
    for (const ScanRow& row : rows) {
        recommended += IsOnDaysList(row, day);
        stale += row.state == RowState::Stale;
        unreadable += !row.evaluation;
    }
    return QStringLiteral("%1：扫描 %2 个文件，当日推荐 %3 个，%4 个停牌/未更新，%5 个文件无法读取。")
        .arg(day ? dateText(*day) + QStringLiteral(" 的列表") : QStringLiteral("没有可用的日线"))
        .arg(rows.size())
        .arg(recommended)
        .arg(stale)
        .arg(unreadable);
}

// The scan, the list and its output, once the arguments are read.
int scanAndWrite(const Options& options, const ScanSettings& settings, const CommandLine& commandLine, QTextStream& out,
                 QTextStream& err, const ScanEnvironment& environment)
{
    const DayFileListing listing = ListDayFiles(options.quoteDir);
    if (!listing.foundDayDirectory()) {
        commandLine.error(listing.noDirectoryMessage());
        return kNoDayDirectory;
    }
    for (const QString& warning : listing.unreadableDirectoryWarnings())
        commandLine.error(warning);
    NameListRead givenNames;
    if (!options.names.isEmpty()) {
        givenNames = readNameList(options.names, listing.files);
        if (!givenNames.names) {
            commandLine.error(givenNames.problem);
            return kNoNames;
        }
    }
    const SecurityNames names = givenNames.names ? std::move(*givenNames.names) : keptNames(listing.files);

    ProgressLine progressLine(err, environment.showProgress);
    ScanResult result = ScanDayFiles(listing.files, settings, {}, std::ref(progressLine));
    progressLine.finish();

    const std::int32_t today = environment.today.value_or(todayAsDate());
    const auto day = AssignListDay(result.rows, today);
    AssignNames(result.rows, names);
    std::vector<const ScanRow*> rows;
    for (const ScanRow& row : result.rows) {
        if (options.all || IsOnDaysList(row, day))
            rows.push_back(&row);
    }
    commandLine.error(summary(result.rows, day));
    if (const auto warning = oldDataWarning(day, today))
        commandLine.error(*warning);

    const QByteArray bytes = listBytes(options.format, rows, day, settings, result.rows.size());
    if (const auto problem = writeOutput(options, bytes, out)) {
        commandLine.error(*problem);
        return kOutputFailed;
    }
    return 0;
}

} // namespace

int runScanCli(const QStringList& arguments, QTextStream& out, QTextStream& err, const ScanEnvironment& environment)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Scans every day file of the quote terminal and prints the day's list of recommended securities\n"
                       "with their back-test.\n\n"
                       "Exit status: 0 on success, 1 when the fee or horizon is not an integer, 2 for a usage error,\n"
                       "3 when no day directory can be listed, 4 when the list was not written whole."));
    const OptionDefinitions defined;
    parser.addOptions(defined.list());
    CommandLine commandLine(parser, arguments, out, err);
    if (const auto status = commandLine.parse())
        return *status;
    QString problem;
    const auto options = readOptions(parser, defined, problem);
    if (!options)
        return commandLine.usageError(problem);

    ScanSettings settings;
    try {
        settings.fee = feeFromText(options->feeText);
        settings.horizon = textToInt(options->horizonText);
    } catch (const ConversionError& failure) {
        commandLine.error(errorBoxText(failure.message()));
        return kConversionFailed;
    }
    settings.jobs = options->jobs;

    // Whatever else fails (memory, threads) is told, not left to end the process.
    try {
        return scanAndWrite(*options, settings, commandLine, out, err, environment);
    } catch (const std::exception& failure) {
        commandLine.error(QString::fromUtf8(failure.what()));
        return kOutputFailed;
    }
}

} // namespace verdaxil
