#include "cli/ScanCli.h"

#include "analysis/Fee.h"
#include "runtime/AtomicFile.h"
#include "runtime/ErrorText.h"
#include "runtime/IntegerText.h"
#include "scan/ListExport.h"
#include "scan/MarketScan.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QTextStream>

#include <thread>

namespace verdaxil {

namespace {

constexpr int kConversionFailed = 1;
constexpr int kUsageError = 2;
constexpr int kNoDayDirectory = 3;
constexpr int kNotWritten = 4;

struct Options {
    QString quoteDir;
    QString feeText;
    QString horizonText;
    bool all = false;
    bool json = false;
    QString output;
    bool force = false;
    int jobs = 1;
};

// Empty when the arguments are not usable; `problem` then says why (nothing for --help
// and --version, which have been answered).
std::optional<Options> parseOptions(const QStringList& arguments, QTextStream& out, QString& problem, bool& answered)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Scans every day file of the quote terminal and prints the day's list "
                                                    "of recommended securities with their back-test."));
    const QCommandLineOption dir(QStringLiteral("dir"), QStringLiteral("Quote terminal directory."), QStringLiteral("TEXT"),
                                 QStringLiteral("D:\\YYY"));
    const QCommandLineOption fee(QStringLiteral("fee"), QStringLiteral("Fee per trade; below 1 counts as 6."),
                                 QStringLiteral("TEXT"), QStringLiteral("6"));
    const QCommandLineOption horizon(QStringLiteral("horizon"), QStringLiteral("Horizon of the back-test in days."),
                                     QStringLiteral("TEXT"), QStringLiteral("30"));
    const QCommandLineOption all(QStringLiteral("all"), QStringLiteral("Print every scanned security, not only the day's list."));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("csv (default) or json."), QStringLiteral("FORMAT"),
                                    QStringLiteral("csv"));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("Write to FILE instead of standard output."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Replace an existing output file."));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Threads to scan on (default: the number of cores)."),
                                  QStringLiteral("N"), QString::number(std::max(1u, std::thread::hardware_concurrency())));
    parser.addOptions({dir, fee, horizon, all, format, output, force, jobs});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    if (!parser.parse(arguments)) {
        problem = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        out << (parser.isSet(help) ? parser.helpText()
                                   : QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n');
        answered = true;
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        problem = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().constFirst();
        return std::nullopt;
    }

    Options options{parser.value(dir), parser.value(fee), parser.value(horizon), parser.isSet(all),
                    parser.value(format) == u"json", parser.value(output), parser.isSet(force), 0};
    if (parser.value(format) != u"csv" && parser.value(format) != u"json")
        problem = QStringLiteral("--format takes csv or json, not ") + parser.value(format);
    else if (bool ok = false; (options.jobs = parser.value(jobs).toInt(&ok)), !ok || options.jobs < 1)
        problem = QStringLiteral("--jobs takes a whole number of at least 1, not ") + parser.value(jobs);
    else if (options.force && options.output.isEmpty())
        problem = QStringLiteral("--force goes with --output");
    if (!problem.isEmpty())
        return std::nullopt;
    return options;
}

class ProgressLine {
public:
    ProgressLine(QTextStream& err, bool shown) : err_(err), shown_(shown) { clock_.start(); }

    void operator()(ScanProgress progress)
    {
        if (!shown_)
            return;
        const double seconds = std::max(clock_.elapsed(), qint64{1}) / 1000.0;
        err_ << QStringLiteral("\r扫描 %1/%2 个文件，每秒 %3 个").arg(progress.done).arg(progress.total).arg(qRound(progress.done / seconds))
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

bool writeOutput(const Options& options, const QByteArray& bytes, QTextStream& out, QString& problem)
{
    if (options.output.isEmpty()) {
        // The bytes as they are: a text stream would drop the byte-order mark.
        out.flush();
        return out.device()->write(bytes) == bytes.size();
    }
    if (QFileInfo::exists(options.output) && !options.force) {
        problem = QStringLiteral("%1 exists; --force replaces it").arg(options.output);
        return false;
    }
    if (const auto error = writeFileAtomically(options.output, bytes)) {
        problem = QStringLiteral("Cannot write %1: %2").arg(options.output, *error);
        return false;
    }
    return true;
}

} // namespace

int runScanCli(const QStringList& arguments, QTextStream& out, QTextStream& err, bool showProgress)
{
    const QString program = QStringLiteral("verdaxil-scan: ");
    QString problem;
    bool answered = false;
    const auto options = parseOptions(arguments, out, problem, answered);
    if (!options) {
        if (answered)
            return 0;
        err << program << problem << u'\n' << QStringLiteral("Try 'verdaxil-scan --help'.\n");
        return kUsageError;
    }

    ScanSettings settings;
    try {
        settings.fee = feeFromText(options->feeText);
        settings.horizon = textToInt(options->horizonText);
    } catch (const ConversionError& failure) {
        err << program << errorBoxText(failure.message()) << u'\n';
        return kConversionFailed;
    }
    settings.jobs = options->jobs;

    const DayFileListing listing = ListDayFiles(options->quoteDir);
    if (!listing.foundDayDirectory) {
        err << program << QStringLiteral("没有找到日线目录：%1").arg(listing.directoriesLookedAt.join(QStringLiteral("、")))
            << u'\n';
        return kNoDayDirectory;
    }

    ProgressLine progressLine(err, showProgress);
    const ScanResult result = ScanDayFiles(listing.files, settings, {}, std::ref(progressLine));
    progressLine.finish();

    const auto day = ListDay(result.rows);
    std::vector<const ScanRow*> rows;
    for (const ScanRow& row : result.rows) {
        if (options->all || IsOnDaysList(row, day))
            rows.push_back(&row);
    }
    const QByteArray bytes = options->json
        ? QJsonDocument(listJson(rows, day, settings.horizon, settings.fee, result.rows.size())).toJson(QJsonDocument::Indented)
        : listCsv(rows, settings.horizon);
    if (!writeOutput(*options, bytes, out, problem)) {
        err << program << problem << u'\n';
        return kNotWritten;
    }
    return 0;
}

} // namespace verdaxil
