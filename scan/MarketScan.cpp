#include "scan/MarketScan.h"

#include "quotes/TradingDate.h"
#include "runtime/FileSystem.h"
#include "scan/FileHistory.h"
#include "scan/WorkerPool.h"

#include <algorithm>
#include <mutex>

namespace verdaxil {

namespace {

QString openErrorText(OpenError error)
{
    switch (error) {
    case OpenError::Missing: return QStringLiteral("文件不存在");
    case OpenError::Denied: return QStringLiteral("没有读取权限");
    case OpenError::NotRegular: return QStringLiteral("不是普通文件");
    case OpenError::Other: break;
    }
    return QStringLiteral("无法打开文件");
}

// Evaluates files as of a day, one worker's share: each writes only the facts of the
// files it took.
class HistoryTask : public WorkerTask {
public:
    struct Shared {
        const std::vector<DayFileEntry>& files;
        const ScanSettings& settings;
        std::vector<FileFacts>& facts;
        std::vector<QString>& errors;
        SignalCheck* check; // the merged check, when asked for
        std::vector<CheckTrade>* trades;
        std::mutex& checkMutex;
    };

    HistoryTask(const Shared& shared, std::optional<std::int32_t> day, FileHistory::Wanted wanted)
        : shared_(shared),
          day_(day),
          wanted_(wanted),
          history_({shared.settings.horizon, shared.settings.fee, shared.settings.today, shared.settings.costBp})
    {
        if (shared.check)
            check_.emplace(shared.settings.horizon, shared.settings.fee, shared.settings.costBp, *shared.settings.check,
                           shared.settings.today);
    }

    void run(std::size_t index) override
    {
        const DayFileEntry& entry = shared_.files[index];
        OpenError error{};
        const FileIdentity identity{index, entry.securityClass,
                                    priceLimitOf(entry.securityClass, BoardOf(entry.market, entry.code))};
        if (const auto file = ReadOnlyFile::openLocal(entry.localPath.constData(), error)) {
            shared_.facts[index] = history_.evaluate(*file, day_, wanted_, check_ ? &*check_ : nullptr, identity);
            fromDisk_ = fromDisk_ || file->waitedForDisk();
        } else {
            shared_.errors[index] = openErrorText(error);
        }
        // Files read from the disk one at a time on a worker a core leave the disk idle:
        // once one had to wait, the files a little ahead are asked for, so that many
        // reads are in flight. A scan of files in the page cache never asks.
        if (fromDisk_ && index + kReadAhead < shared_.files.size())
            readAhead(shared_.files[index + kReadAhead].localPath.constData());
    }

    // The counts go to the merged check once, not at every file.
    void finish() override
    {
        if (!check_)
            return;
        const SignalCheck counted = check_->result();
        std::vector<CheckTrade> trades = check_->takeTrades();
        const std::lock_guard lock(shared_.checkMutex);
        shared_.check->merge(counted);
        shared_.trades->insert(shared_.trades->end(), trades.begin(), trades.end());
    }

private:
    static constexpr std::size_t kReadAhead = 32; // files

    Shared shared_;
    bool fromDisk_ = false;
    std::optional<std::int32_t> day_;
    FileHistory::Wanted wanted_;
    FileHistory history_;
    std::optional<CheckAccumulator> check_;
};

// The largest date of `dates` below `day`; none for none.
std::optional<std::int32_t> latestBefore(const std::array<std::optional<std::int32_t>, 2>& dates, std::int32_t day)
{
    for (const auto& date : dates) {
        if (date && *date < day)
            return date;
    }
    return std::nullopt;
}

// Evaluates every file as of `day` on the workers, with what is wanted of each, and
// adds it to the check when one is given; facts and errors are by file.
PoolOutcome evaluateFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::optional<std::int32_t> day,
                          FileHistory::Wanted wanted, std::stop_token stop, const ProgressCallback& progress,
                          std::vector<FileFacts>& facts, std::vector<QString>& errors, SignalCheck* check,
                          std::vector<CheckTrade>* trades)
{
    facts.assign(files.size(), {});
    errors.assign(files.size(), {});
    std::mutex checkMutex;
    const HistoryTask::Shared shared{files, settings, facts, errors, check, trades, checkMutex};
    return RunOnWorkers(files.size(), settings.jobs, stop, progress,
                        [&] { return std::make_unique<HistoryTask>(shared, day, wanted); });
}

// The files at `chosen` evaluated again as of `day`, in that order; none when the scan
// was stopped.
std::optional<std::vector<FileFacts>> evaluateAgain(const std::vector<DayFileEntry>& files,
                                                    const std::vector<std::size_t>& chosen, const ScanSettings& settings,
                                                    std::int32_t day, FileHistory::Wanted wanted, std::stop_token stop)
{
    std::vector<DayFileEntry> some;
    for (const std::size_t k : chosen)
        some.push_back(files[k]);
    std::vector<FileFacts> facts;
    std::vector<QString> errors;
    const PoolOutcome pass = evaluateFiles(
        some, settings, day, wanted, stop, [](ScanProgress) {}, facts, errors, nullptr, nullptr);
    if (pass.stopped)
        return std::nullopt;
    return facts;
}

// What the first pass leaves for the others.
struct DayAskedFor {
    ScanResult result;
    std::vector<FileFacts> facts;     // by file
    std::vector<std::size_t> indices; // of the files done, in the listing's order: one a row
};

// Pass 1, every file as of the day asked for: the rows, the list's day, the market's
// first and latest days, and the signal check over every file's whole history.
DayAskedFor findRowsAsOfDayAskedFor(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                                    const ProgressCallback& progress)
{
    DayAskedFor found;
    ScanResult& result = found.result;
    std::vector<FileFacts>& facts = found.facts;
    std::vector<QString> errors;
    std::optional<SignalCheck> check;
    if (settings.check)
        check.emplace();
    std::vector<CheckTrade> trades;
    // As of a past day, how each did since comes from the rest of its file, read now.
    const FileHistory::Wanted wanted{.backTest = true, .dates = true, .since = settings.asOf.has_value()};
    const PoolOutcome pass =
        evaluateFiles(files, settings, settings.asOf, wanted, stop, progress, facts, errors, check ? &*check : nullptr, &trades);
    result.stopped = pass.stopped;
    result.check = std::move(check);
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!pass.done[k])
            continue;
        found.indices.push_back(k);
        ScanRow& row = result.rows.emplace_back();
        row.market = files[k].market;
        row.code = files[k].code;
        row.securityClass = files[k].securityClass;
        row.localPath = files[k].localPath;
        row.evaluation = facts[k].evaluation;
        row.error = errors[k];
        row.exRightsDay = facts[k].exRightsDay;
        // Empty, shorter than a record or all zeros: as good as unreadable, and told.
        if (row.evaluation && !facts[k].wholeLatestDate) {
            row.evaluation.reset();
            row.error = QStringLiteral("没有有效的日线");
        }
    }
    // Trades name their rows, not their files.
    std::vector<std::size_t> rowOf(files.size(), files.size());
    for (std::size_t row = 0; row < found.indices.size(); ++row)
        rowOf[found.indices[row]] = row;
    for (CheckTrade& trade : trades) {
        trade.row = rowOf[trade.row];
        if (trade.row < found.indices.size())
            result.trades.push_back(trade);
    }
    std::sort(result.trades.begin(), result.trades.end());
    result.listDay = AssignListDay(result.rows, settings.today);
    for (const std::size_t k : found.indices) {
        const auto& latest = facts[k].wholeLatestDate;
        if (latest && isPlausibleDate(*latest, settings.today) && (!result.latestDay || *latest > *result.latestDay))
            result.latestDay = latest;
        const auto& first = facts[k].firstDate;
        if (first && (!result.firstDay || *first < *result.firstDay))
            result.firstDay = first;
    }
    return found;
}

// Pass 2, the few files that hold records after the list's day but not after the day
// asked for, evaluated again as of the list's day, with how each did since; every
// other file as of the list's day is the file as of the day asked for. None when
// stopped.
std::optional<std::vector<FileFacts>> findFactsAsOfListDay(const std::vector<DayFileEntry>& files, DayAskedFor& asked,
                                                           const ScanSettings& settings, std::int32_t listDay,
                                                           std::stop_token stop)
{
    std::vector<std::size_t> again; // file indices
    for (const std::size_t k : asked.indices) {
        if (asked.facts[k].evaluation && asked.facts[k].latestRecordDate > listDay)
            again.push_back(k);
    }
    const auto factsAgain = evaluateAgain(files, again, settings, listDay, {.dates = true, .since = true}, stop);
    if (!factsAgain)
        return std::nullopt;
    std::vector<FileFacts> asOfListDay = asked.facts;
    for (std::size_t k = 0; k < again.size(); ++k)
        asOfListDay[again[k]] = (*factsAgain)[k];
    return asOfListDay;
}

// The day before the list's (from the files' dates below it, no file read), and how
// many of its securities have the list's day too: few, and the download of the list's
// day looks unfinished.
void findDayBefore(ScanResult& result, const std::vector<std::size_t>& indices, const std::vector<FileFacts>& asOfListDay)
{
    const std::int32_t listDay = *result.listDay;
    for (const std::size_t k : indices) {
        const auto before = latestBefore(asOfListDay[k].latestDates, listDay);
        if (before && (!result.previousDay || *before > *result.previousDay))
            result.previousDay = before;
    }
    if (!result.previousDay)
        return;
    for (const std::size_t k : indices) {
        const auto& dates = asOfListDay[k].latestDates;
        if (latestBefore(dates, listDay) != result.previousDay)
            continue;
        ++result.tradedDayBefore;
        result.tradedBothDays += dates[0] == listDay;
    }
}

// How the list's securities did since, when the list's day is past: what the first two
// passes found of each file as of the list's day.
void takeSinceListDay(ScanResult& result, const std::vector<std::size_t>& indices, const std::vector<FileFacts>& asOfListDay)
{
    const std::int32_t listDay = *result.listDay;
    if (!result.latestDay || listDay >= *result.latestDay)
        return;
    for (std::size_t row = 0; row < indices.size(); ++row) {
        const FileFacts& asOf = asOfListDay[indices[row]];
        if (asOf.evaluation && asOf.evaluation->indicators.latest && asOf.evaluation->indicators.latest->date == listDay) {
            result.rows[row].sinceBp = asOf.sinceBp;
            if (asOf.sinceBp)
                result.rows[row].sinceExRights = asOf.sinceExRights;
        }
    }
}

// Pass 3, which of the list's securities are new on it: not on the day before's list.
// Most files tell it from their last days; the others are read again as of the day
// before. False when stopped.
bool findNewOnList(ScanResult& result, const std::vector<DayFileEntry>& files, const std::vector<std::size_t>& indices,
                   const std::vector<FileFacts>& asOfListDay, const ScanSettings& settings, std::stop_token stop)
{
    const std::int32_t listDay = *result.listDay;
    const std::int32_t previousDay = *result.previousDay;
    std::vector<std::size_t> listed; // rows to read again
    for (std::size_t row = 0; row < indices.size(); ++row) {
        if (!IsOnDaysList(result.rows[row], listDay))
            continue;
        if (const auto before = asOfListDay[indices[row]].recent.onListAsOf(previousDay))
            result.rows[row].isNew = !*before;
        else
            listed.push_back(row);
    }
    std::vector<std::size_t> listedFiles;
    for (const std::size_t row : listed)
        listedFiles.push_back(indices[row]);
    const auto factsBefore = evaluateAgain(files, listedFiles, settings, previousDay, {}, stop);
    if (!factsBefore)
        return false;
    for (std::size_t k = 0; k < listed.size(); ++k) {
        ScanRow before;
        before.evaluation = (*factsBefore)[k].evaluation;
        result.rows[listed[k]].isNew = !IsOnDaysList(before, previousDay);
    }
    return true;
}

} // namespace

ScanResult ScanDayFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                        const ProgressCallback& progress)
{
    DayAskedFor asked = findRowsAsOfDayAskedFor(files, settings, stop, progress);
    ScanResult& result = asked.result;
    if (result.stopped || !result.listDay)
        return std::move(result);
    const auto asOfListDay = findFactsAsOfListDay(files, asked, settings, *result.listDay, stop);
    if (!asOfListDay) {
        result.stopped = true;
        return std::move(result);
    }
    findDayBefore(result, asked.indices, *asOfListDay);
    takeSinceListDay(result, asked.indices, *asOfListDay);
    if (result.previousDay && !findNewOnList(result, files, asked.indices, *asOfListDay, settings, stop))
        result.stopped = true;
    return std::move(result);
}

} // namespace verdaxil
