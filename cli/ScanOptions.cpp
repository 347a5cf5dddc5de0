#include "cli/ScanOptions.h"

#include "quotes/TradingDate.h"

#include <algorithm>
#include <limits>
#include <thread>

namespace verdaxil {

namespace {

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

// The class a key names as the rows give it, none for "all"; false for no class.
bool classNamed(const QString& key, std::optional<SecurityClass>& named)
{
    named.reset();
    if (key == u"all")
        return true;
    for (const SecurityClass securityClass : kSecurityClasses) {
        if (classKey(securityClass) == key) {
            named = securityClass;
            return true;
        }
    }
    return false;
}

std::optional<Board> boardNamed(const QString& key)
{
    for (Board board : {Board::Main, Board::ChiNext, Board::Star}) {
        if (boardKey(board) == key)
            return board;
    }
    return std::nullopt;
}

// A day option's date; `problem` says why when the text is no date.
std::optional<std::int32_t> dayOption(const QCommandLineParser& parser, const QCommandLineOption& option, QString& problem)
{
    if (!parser.isSet(option))
        return std::nullopt;
    const auto date = dateFromText(parser.value(option));
    if (!date && problem.isEmpty())
        problem = QStringLiteral("--%1 takes a date as YYYYMMDD, not %2").arg(option.names().constFirst(), parser.value(option));
    return date;
}

// A whole number from `low` on, as the text gives it; none when it is not one.
std::optional<std::int64_t> wholeNumber(const QString& text, std::int64_t low)
{
    bool isNumber = false;
    const qlonglong value = text.toLongLong(&isNumber);
    // Far beyond any horizon or cost, and sums of them stay exact.
    if (!isNumber || value < low || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return value;
}

// "5,1,10" as 1, 5, 10; none when a part is no positive whole number.
std::optional<std::vector<std::int64_t>> horizonList(const QString& text)
{
    std::vector<std::int64_t> horizons;
    for (const QString& part : text.split(u',')) {
        const auto horizon = wholeNumber(part.trimmed(), 1);
        if (!horizon)
            return std::nullopt;
        horizons.push_back(*horizon);
    }
    std::sort(horizons.begin(), horizons.end());
    horizons.erase(std::unique(horizons.begin(), horizons.end()), horizons.end());
    return horizons;
}

} // namespace

ScanOptionDefinitions::ScanOptionDefinitions()
    : all(QStringLiteral("all"), QStringLiteral("Print every scanned security, not only the day's list.")),
      format(QStringLiteral("format"),
             QStringLiteral("csv (default), json or xlsx. JSON keeps prices in 分 and dates as YYYYMMDD numbers; CSV and "
                            "xlsx show prices in 元 and dates as YYYY-MM-DD."),
             QStringLiteral("FORMAT"), QStringLiteral("csv")),
      output(QStringLiteral("output"), QStringLiteral("Write to FILE instead of standard output."), QStringLiteral("FILE")),
      force(QStringLiteral("force"), QStringLiteral("Replace an existing output file.")),
      jobs(QStringLiteral("jobs"), QStringLiteral("Threads to scan on (default: the number of cores)."), QStringLiteral("N"),
           QString::number(std::max(1u, std::thread::hardware_concurrency()))),
      names(QStringLiteral("names"),
            QStringLiteral("Security names from FILE for this run (default: the name list last imported in the window)."),
            QStringLiteral("FILE")),
      day(QStringLiteral("day"),
          QStringLiteral("The list as of DAY (YYYYMMDD; a day without trading gives the list of the trading day before it), "
                         "with what was new on it and how it did since."),
          QStringLiteral("DAY")),
      report(QStringLiteral("report"),
             QStringLiteral("Check the signal instead: by year, every trading day against the selection points and the "
                            "recommended days, bought the next day, sold at the close after the horizon.")),
      from(QStringLiteral("from"), QStringLiteral("With --report: check days from DAY on (YYYYMMDD)."), QStringLiteral("DAY")),
      to(QStringLiteral("to"), QStringLiteral("With --report: check days up to DAY (YYYYMMDD)."), QStringLiteral("DAY")),
      securityClass(QStringLiteral("class"),
                    QStringLiteral("Only securities of this class: a-share, b-share, index, fund, bond, other or all (the "
                                   "list's default; --report checks a-share by default)."),
                    QStringLiteral("KEY")),
      board(QStringLiteral("board"), QStringLiteral("Only A shares of this board: main, chinext or star."),
            QStringLiteral("BOARD")),
      excludeSt(QStringLiteral("exclude-st"), QStringLiteral("Leave out ST, *ST and delisting names.")),
      recommendedOnly(QStringLiteral("recommended-only"),
                      QStringLiteral("Only the day's recommended securities (the default without --all).")),
      sort(QStringLiteral("sort"),
           QStringLiteral("Sort the list by COLUMN, a JSON key such as share10, price, date or status: figures from the "
                          "highest, texts ascending, empty cells last."),
           QStringLiteral("COLUMN")),
      costBp(QStringLiteral("cost-bp"),
             QStringLiteral("A round trip's cost in basis points (default 15, i.e. 0.15 %), taken off every return of "
                            "the check and off how a past day's list did since."),
             QStringLiteral("N"), QStringLiteral("15")),
      horizons(QStringLiteral("horizons"),
               QStringLiteral("With --report: the holding periods to total, comma-separated (default "
                              "1,3,5,10,20,60 and the horizon)."),
               QStringLiteral("LIST")),
      trades(QStringLiteral("trades"),
             QStringLiteral("With --report: list every trade of the selection points and recommended days in FILE "
                            "too, left-out ones marked, in the format of --format."),
             QStringLiteral("FILE"))
{}

QList<QCommandLineOption> ScanOptionDefinitions::list() const
{
    return {settings.dir,    settings.fee, settings.horizon, all,      format, output,        force, jobs,
            names,           day,          report,           from,     to,     securityClass, board, excludeSt,
            recommendedOnly, sort,         costBp,           horizons, trades};
}

std::optional<ScanOptions> readScanOptions(const QCommandLineParser& parser, const ScanOptionDefinitions& defined,
                                           QString& problem)
{
    ScanOptions options;
    options.quoteDir = parser.value(defined.settings.dir);
    options.feeText = parser.value(defined.settings.fee);
    options.horizonText = parser.value(defined.settings.horizon);
    options.all = parser.isSet(defined.all);
    options.output = parser.value(defined.output);
    options.force = parser.isSet(defined.force);
    options.names = parser.value(defined.names);
    options.report = parser.isSet(defined.report);
    const auto format = formatNamed(parser.value(defined.format));
    std::optional<SecurityClass> securityClass;
    const bool knownClass =
        !parser.isSet(defined.securityClass) || classNamed(parser.value(defined.securityClass), securityClass);
    if (parser.isSet(defined.securityClass)) {
        options.checkClass = securityClass;
        options.listFilter.securityClass = securityClass;
    }
    const std::optional<Board> board = boardNamed(parser.value(defined.board));
    options.listFilter.board = board;
    options.listFilter.hideSpecialTreatment = parser.isSet(defined.excludeSt);
    options.listFilter.daysListOnly = !options.all;
    const QString sortKey = parser.value(defined.sort);
    options.sort = columnWithKey(sortKey);
    bool jobsIsNumber = false;
    options.jobs = parser.value(defined.jobs).toInt(&jobsIsNumber);
    options.day = dayOption(parser, defined.day, problem);
    options.checkDays.from = dayOption(parser, defined.from, problem);
    options.checkDays.to = dayOption(parser, defined.to, problem);
    const bool checkOptions =
        parser.isSet(defined.from) || parser.isSet(defined.to) || parser.isSet(defined.horizons) || parser.isSet(defined.trades);
    const bool listOptions = parser.isSet(defined.board) || parser.isSet(defined.excludeSt)
        || parser.isSet(defined.recommendedOnly) || parser.isSet(defined.sort);
    const auto costBp = wholeNumber(parser.value(defined.costBp), 0);
    const auto horizons = parser.isSet(defined.horizons) ? horizonList(parser.value(defined.horizons))
                                                         : std::optional<std::vector<std::int64_t>>(std::vector<std::int64_t>{});
    options.trades = parser.value(defined.trades);

    if (!problem.isEmpty())
        return std::nullopt;
    if (!parser.positionalArguments().isEmpty())
        problem = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().constFirst();
    else if (!format)
        problem = QStringLiteral("--format takes csv, json or xlsx, not ") + parser.value(defined.format);
    else if (!jobsIsNumber || options.jobs < 1)
        problem = QStringLiteral("--jobs takes a whole number of at least 1, not ") + parser.value(defined.jobs);
    else if (parser.isSet(defined.output) && options.output.isEmpty())
        problem = QStringLiteral("--output takes a file name, not an empty text");
    else if (options.checkDays.from && options.checkDays.to && *options.checkDays.from > *options.checkDays.to)
        problem = QStringLiteral("--from %1 is after --to %2").arg(*options.checkDays.from).arg(*options.checkDays.to);
    else if (options.force && options.output.isEmpty())
        problem = QStringLiteral("--force goes with --output");
    else if (!knownClass)
        problem = QStringLiteral("--class takes a-share, b-share, index, fund, bond, other or all, not ")
            + parser.value(defined.securityClass);
    else if (parser.isSet(defined.board) && !board)
        problem = QStringLiteral("--board takes main, chinext or star, not ") + parser.value(defined.board);
    else if (parser.isSet(defined.sort) && !options.sort)
        problem = QStringLiteral("--sort takes a column's JSON key (such as share10, price, date), not ") + sortKey;
    else if (options.all && parser.isSet(defined.recommendedOnly))
        problem = QStringLiteral("--all and --recommended-only exclude each other");
    else if (!costBp)
        problem =
            QStringLiteral("--cost-bp takes a whole number of basis points, at least 0, not ") + parser.value(defined.costBp);
    else if (!horizons)
        problem = QStringLiteral("--horizons takes whole numbers of days, at least 1, separated by commas, not ")
            + parser.value(defined.horizons);
    else if (parser.isSet(defined.trades) && options.trades.isEmpty())
        problem = QStringLiteral("--trades takes a file name");
    else if (!options.trades.isEmpty() && options.trades == options.output)
        problem = QStringLiteral("--trades and --output name the same file");
    else if (checkOptions && !options.report)
        problem = QStringLiteral("--from, --to, --horizons and --trades go with --report");
    else if (listOptions && options.report)
        problem = QStringLiteral("--board, --exclude-st, --recommended-only and --sort go with the list, not --report");
    else if (options.report && (options.day || options.all))
        problem = QStringLiteral("--report checks every day of every file: it takes neither --day nor --all");
    if (!problem.isEmpty())
        return std::nullopt;
    options.format = *format;
    options.costBp = *costBp;
    options.checkDays.horizons = *horizons;
    options.checkDays.trades = !options.trades.isEmpty();
    return options;
}

} // namespace verdaxil
