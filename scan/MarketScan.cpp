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

// The largest date of `dates` below `day`; 0 for none.
std::int32_t latestBefore(const std::array<std::int32_t, 2>& dates, std::int32_t day)
{
    return dates[0] < day ? dates[0] : dates[1] < day ? dates[1] : 0;
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
    std::vector<FileFacts> facts(some.size());
    std::vector<QString> errors(some.size());
    std::mutex noCheck;
    const HistoryTask::Shared shared{some, settings, facts, errors, nullptr, nullptr, noCheck};
    const PoolOutcome pass = RunOnWorkers(
        some.size(), settings.jobs, stop, [](ScanProgress) {},
        [&] { return std::make_unique<HistoryTask>(shared, day, wanted); });
    if (pass.stopped)
        return std::nullopt;
    return facts;
}

} // namespace

ScanResult ScanDayFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                        const ProgressCallback& progress)
{
    std::vector<FileFacts> facts(files.size());
    std::vector<QString> errors(files.size());
    std::optional<SignalCheck> check;
    if (settings.check)
        check.emplace();
    std::vector<CheckTrade> trades;
    std::mutex checkMutex;
    const HistoryTask::Shared shared{files, settings, facts, errors, check ? &*check : nullptr, &trades, checkMutex};

    // Every file as of the day asked for.
    const PoolOutcome pass = RunOnWorkers(files.size(), settings.jobs, stop, progress, [&] {
        return std::make_unique<HistoryTask>(shared, settings.asOf, FileHistory::Wanted{true, true, settings.asOf.has_value()});
    });
    ScanResult result;
    result.stopped = pass.stopped;
    result.check = std::move(check);
    std::vector<std::size_t> indices; // of the files done, in the listing's order
    for (std::size_t k = 0; k < files.size(); ++k) {
        if (!pass.done[k])
            continue;
        indices.push_back(k);
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
    for (std::size_t row = 0; row < indices.size(); ++row)
        rowOf[indices[row]] = row;
    for (CheckTrade& trade : trades) {
        trade.row = rowOf[trade.row];
        if (trade.row < indices.size())
            result.trades.push_back(trade);
    }
    std::sort(result.trades.begin(), result.trades.end());
    result.listDay = AssignListDay(result.rows, settings.today);
    for (const std::size_t k : indices) {
        const auto& latest = facts[k].wholeLatestDate;
        if (latest && isPlausibleDate(*latest, settings.today) && (!result.latestDay || *latest > *result.latestDay))
            result.latestDay = latest;
        const std::int32_t first = facts[k].firstDate;
        if (first > 0 && (!result.firstDay || first < *result.firstDay))
            result.firstDay = first;
    }
    if (result.stopped || !result.listDay)
        return result;
    const std::int32_t listDay = *result.listDay;

    // A file that holds records after the list's day, before the day asked for, is not as
    // of the list's day what it is as of the day asked for: it is evaluated again.
    std::vector<std::size_t> again; // file indices
    for (const std::size_t k : indices) {
        if (facts[k].evaluation && facts[k].latestRecordDate > listDay)
            again.push_back(k);
    }
    const auto factsAgain = evaluateAgain(files, again, settings, listDay, FileHistory::Wanted{false, true, true}, stop);
    if (!factsAgain) {
        result.stopped = true;
        return result;
    }
    std::vector<FileFacts> asOfListDay = facts;
    for (std::size_t k = 0; k < again.size(); ++k)
        asOfListDay[again[k]] = (*factsAgain)[k];

    std::int32_t previousDay = 0;
    for (const std::size_t k : indices)
        previousDay = std::max(previousDay, latestBefore(asOfListDay[k].latestDates, listDay));
    if (previousDay > 0)
        result.previousDay = previousDay;
    // How many of the day before's securities have the list's day: few, and the download
    // of the list's day looks unfinished.
    for (const std::size_t k : indices) {
        const auto& dates = asOfListDay[k].latestDates;
        if (previousDay == 0 || latestBefore(dates, listDay) != previousDay)
            continue;
        ++result.tradedDayBefore;
        result.tradedBothDays += dates[0] == listDay;
    }

    // How the list's securities did since, when the list's day is past.
    const bool past = result.latestDay && listDay < *result.latestDay;
    for (std::size_t row = 0; row < indices.size() && past; ++row) {
        const FileFacts& asOf = asOfListDay[indices[row]];
        if (asOf.evaluation && asOf.evaluation->indicators.latest && asOf.evaluation->indicators.latest->date == listDay) {
            result.rows[row].sinceBp = asOf.sinceBp;
            if (asOf.sinceBp)
                result.rows[row].sinceExRights = asOf.sinceExRights;
        }
    }

    // What was on the list of the day before: its securities evaluated as of that day.
    if (!result.previousDay)
        return result;
    // Most files tell it from their last days; the others are read again.
    std::vector<std::size_t> listed;
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
    const auto factsBefore =
        evaluateAgain(files, listedFiles, settings, previousDay, FileHistory::Wanted{false, false, false}, stop);
    if (!factsBefore) {
        result.stopped = true;
        return result;
    }
    for (std::size_t k = 0; k < listed.size(); ++k) {
        ScanRow before;
        before.evaluation = (*factsBefore)[k].evaluation;
        result.rows[listed[k]].isNew = !IsOnDaysList(before, previousDay);
    }
    return result;
}

} // namespace verdaxil
