#include "cli/ScanCli.h"

#include "analysis/Fee.h"
#include "cli/CommandLine.h"
#include "cli/ScanOptions.h"
#include "quotes/TradingDate.h"
#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "scan/CheckReport.h"
#include "scan/CheckTrades.h"
#include "scan/DataCheck.h"
#include "scan/ListExport.h"
#include "scan/ListFilter.h"
#include "scan/ListSaving.h"
#include "scan/ListSummary.h"
#include "scan/MarketScan.h"
#include "scan/NameListFiles.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QIODevice>
#include <QJsonDocument>
#include <QTextStream>

namespace verdaxil {

namespace {

constexpr int kNoDayDirectory = 3;
constexpr int kNoNames = 2; // a name list that cannot be read is a usage error

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

// Why the output (standard output when `path` is empty) could not be written; none when
// it was.
std::optional<QString> writeOutput(const ScanOptions& options, const QString& path, const ReadInputs& inputs,
                                   const QByteArray& bytes, QTextStream& out, const CommandLine& commandLine)
{
    if (path.isEmpty()) {
        // The bytes as they are: a text stream would drop the byte-order mark.
        out.flush();
        if (out.device()->write(bytes) != bytes.size())
            return QStringLiteral("Cannot write to standard output: %1").arg(out.device()->errorString());
        return std::nullopt;
    }
    const SaveTarget target = fileAsGiven(path);
    const auto waiting = [&] { commandLine.error(QStringLiteral("%1：等待读取方…").arg(target.shownPath)); };
    const SaveOutcome outcome =
        ListSaver([&](const QString&) { return options.force; }, true, inputs, waiting).save(target, bytes);
    switch (outcome.status) {
    case SaveStatus::Written: return std::nullopt;
    case SaveStatus::Declined: return QStringLiteral("%1 exists; --force replaces it").arg(target.shownPath);
    case SaveStatus::BadPath: return QStringLiteral("Cannot write %1: the path holds a NUL character").arg(target.shownPath);
    case SaveStatus::IsDirectory: return QStringLiteral("Cannot write %1: it is a directory").arg(target.shownPath);
    case SaveStatus::IsInput:
        return QStringLiteral("Will not write %1: it is or lies in %2, which the scan reads")
            .arg(target.shownPath, outcome.reason);
    case SaveStatus::LinkLoop: return QStringLiteral("Cannot write %1: its symbolic links never end").arg(target.shownPath);
    case SaveStatus::NoDirectory:
    case SaveStatus::WriteFailed:
    case SaveStatus::NotMade: break;
    }
    return QStringLiteral("Cannot write %1: %2").arg(target.shownPath, outcome.reason);
}

QByteArray listBytes(OutputFormat format, std::span<const ScanRow* const> rows, const ListHeader& header)
{
    switch (format) {
    case OutputFormat::Json: return listJson(rows, header);
    case OutputFormat::Xlsx: return listXlsx(rows, header);
    case OutputFormat::Csv: break;
    }
    return listCsv(rows, header);
}

QByteArray tradeBytes(OutputFormat format, const TradeList& list)
{
    switch (format) {
    case OutputFormat::Json: return QJsonDocument(tradesJson(list)).toJson(QJsonDocument::Indented);
    case OutputFormat::Xlsx: return tradesXlsx(list);
    case OutputFormat::Csv: break;
    }
    return tradesCsv(list);
}

QByteArray reportBytes(OutputFormat format, const CheckReport& report)
{
    switch (format) {
    case OutputFormat::Json: return QJsonDocument(checkJson(report)).toJson(QJsonDocument::Indented);
    case OutputFormat::Xlsx: return checkXlsx(report);
    case OutputFormat::Csv: break;
    }
    return checkCsv(report);
}

// What the scan found, for the person at the terminal.
QString summary(const ScanResult& result)
{
    const ListCounts counts = CountList(result.rows, result.listDay);
    QString text =
        QStringLiteral("%1：扫描 %2 个文件，当日推荐 %3 个")
            .arg(result.listDay ? dateText(*result.listDay) + QStringLiteral(" 的列表") : QStringLiteral("没有可用的日线"))
            .arg(result.rows.size())
            .arg(counts.recommended);
    if (result.previousDay)
        text += QStringLiteral("（新上榜 %1 个）").arg(counts.isNew);
    return text + QStringLiteral("，%1 个停牌/未更新，%2 个文件无法读取。").arg(counts.stale).arg(counts.unreadable);
}

// The scan, the list or the check, and its output, once the arguments are read.
int scanAndWrite(const ScanOptions& options, const ScanSettings& settings, const CommandLine& commandLine, QTextStream& out,
                 QTextStream& err, bool showProgress)
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
        if (givenNames.unreadable) {
            commandLine.error(givenNames.problem);
            return kNoNames;
        }
        // A list that names nothing is worth a warning, not the whole list.
        commandLine.error(nameListSummary(givenNames));
        if (!givenNames.problem.isEmpty())
            commandLine.error(givenNames.problem);
    }

    ProgressLine progressLine(err, showProgress);
    ScanResult result = ScanDayFiles(listing.files, settings, {}, std::ref(progressLine));
    progressLine.finish();

    const ReadInputs inputs = scanInputs(options.quoteDir, listing, options.names);
    QByteArray bytes;
    if (options.report) {
        const auto errors = static_cast<std::size_t>(CountList(result.rows, result.listDay).unreadable);
        AssignNames(result.rows, givenNames.names ? *givenNames.names : keptNames(listing.files));
        const CheckReport report{*result.check, options.checkClass, settings.horizon,
                                 settings.fee,  options.checkDays,  result.rows.size(),
                                 errors,        settings.costBp,    result.latestDay};
        bytes = reportBytes(options.format, report);
        if (!options.trades.isEmpty()) {
            const QByteArray trades = tradeBytes(options.format, {report, result.trades, result.rows});
            if (const auto problem = writeOutput(options, options.trades, inputs, trades, out, commandLine)) {
                commandLine.error(*problem);
                return kOutputFailed;
            }
        }
    } else {
        AssignNames(result.rows, options.names.isEmpty() ? keptNames(listing.files) : givenNames.names.value_or(SecurityNames()));
        std::vector<const ScanRow*> rows;
        for (const ScanRow& row : result.rows) {
            if (showsRow(options.listFilter, row, result.listDay))
                rows.push_back(&row);
        }
        if (const auto column = options.sort) {
            const bool descending = columnFacts(*column).descendingFirst;
            std::stable_sort(rows.begin(), rows.end(),
                             [&](const ScanRow* a, const ScanRow* b) { return sortsBefore(*a, *b, *column, descending); });
        }
        commandLine.error(summary(result));
        for (const QString& warning : DataCheckWarnings(result, settings.today))
            commandLine.error(warning);
        bytes = listBytes(options.format, rows,
                          {result.listDay, options.day, result.previousDay, settings.horizon, settings.fee, result.rows.size(),
                           settings.costBp});
    }
    if (const auto problem = writeOutput(options, options.output, inputs, bytes, out, commandLine)) {
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
        QStringLiteral("Scans every day file of the quote terminal and prints the day's list of recommended securities "
                       "with their back-test, the list of a past day, or a check of the signal year by year.\n"
                       "Exit status: 0 on success, 1 when the fee or horizon is not an integer, 2 for a usage error, "
                       "3 when no day directory can be listed, 4 when the output was not written whole."));
    const ScanOptionDefinitions defined;
    parser.addOptions(defined.list());
    CommandLine commandLine(parser, arguments, out, err);
    if (const auto status = commandLine.parse())
        return *status;
    QString problem;
    const auto options = readScanOptions(parser, defined, problem);
    if (!options)
        return commandLine.usageError(problem);

    // A workbook's bytes make no sense on a screen.
    if (options->format == OutputFormat::Xlsx && options->output.isEmpty() && environment.outputIsTerminal)
        return commandLine.usageError(QStringLiteral("--format xlsx writes a workbook: give --output FILE or redirect it"));

    ScanSettings settings;
    std::int32_t typedFee = 0;
    try {
        typedFee = textToInt(options->feeText);
        settings.fee = feeFromText(options->feeText);
        settings.horizon = textToInt(options->horizonText);
    } catch (const ConversionError& failure) {
        commandLine.error(errorBoxText(failure.message()));
        return kConversionFailed;
    }
    if (typedFee != settings.fee)
        commandLine.error(QStringLiteral("手续费 %1 按 %2 计算").arg(typedFee).arg(settings.fee));
    settings.jobs = options->jobs;
    settings.costBp = options->costBp;
    settings.today = environment.today.value_or(todayAsDate());
    settings.asOf = options->day;
    if (options->report)
        settings.check = options->checkDays;

    // Whatever else fails (memory, threads) is told, not left to end the process.
    try {
        return scanAndWrite(*options, settings, commandLine, out, err, environment.showProgress);
    } catch (const std::exception& failure) {
        commandLine.error(QString::fromUtf8(failure.what()));
        return kOutputFailed;
    }
}

} // namespace verdaxil
