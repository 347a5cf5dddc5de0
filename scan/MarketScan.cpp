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
        std::mutex& checkMutex;
    };

    HistoryTask(const Shared& shared, std::optional<std::int32_t> day, FileHistory::Wanted wanted)
        : shared_(shared),
          day_(day),
          wanted_(wanted),
          history_({shared.settings.horizon, shared.settings.fee, shared.settings.today})
    {
        if (shared.check)
            check_.emplace(shared.settings.horizon, shared.settings.fee, *shared.settings.check, shared.settings.today);
    }

    void run(std::size_t index) override
    {
        const DayFileEntry& entry = shared_.files[index];
        OpenError error{};
        if (const auto file = ReadOnlyFile::openLocal(entry.localPath.constData(), error))
            shared_.facts[index] = history_.evaluate(*file, day_, wanted_, check_ ? &*check_ : nullptr, entry.securityClass);
        else
            shared_.errors[index] = openErrorText(error);
    }

    // The counts go to the merged check once, not at every file.
    void finish() override
    {
        if (!check_)
            return;
        const SignalCheck counted = check_->result();
        const std::lock_guard lock(shared_.checkMutex);
        shared_.check->merge(counted);
    }

private:
    Shared shared_;
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

} // namespace

ScanResult ScanDayFiles(const std::vector<DayFileEntry>& files, const ScanSettings& settings, std::stop_token stop,
                        const ProgressCallback& progress)
{
    std::vector<FileFacts> facts(files.size());
    std::vector<QString> errors(files.size());
    std::optional<SignalCheck> check;
    if (settings.check)
        check.emplace();
    std::mutex checkMutex;
    const HistoryTask::Shared shared{files, settings, facts, errors, check ? &*check : nullptr, checkMutex};

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
    }
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
    std::vector<std::size_t> again;
    for (std::size_t row = 0; row < indices.size(); ++row) {
        if (facts[indices[row]].evaluation && facts[indices[row]].latestRecordDate > listDay)
            again.push_back(row);
    }
    std::vector<FileFacts> asOfListDay = facts;
    {
        std::vector<DayFileEntry> filesAgain;
        for (const std::size_t row : again)
            filesAgain.push_back(files[indices[row]]);
        std::vector<FileFacts> factsAgain(filesAgain.size());
        std::vector<QString> errorsAgain(filesAgain.size());
        const HistoryTask::Shared sharedAgain{filesAgain, settings, factsAgain, errorsAgain, nullptr, checkMutex};
        const PoolOutcome passAgain = RunOnWorkers(
            filesAgain.size(), settings.jobs, stop, [](ScanProgress) {},
            [&] {
                return std::make_unique<HistoryTask>(sharedAgain, listDay, FileHistory::Wanted{false, true, true});
            });
        if (passAgain.stopped) {
            result.stopped = true;
            return result;
        }
        for (std::size_t k = 0; k < again.size(); ++k)
            asOfListDay[indices[again[k]]] = factsAgain[k];
    }

    std::int32_t previousDay = 0;
    for (const std::size_t k : indices)
        previousDay = std::max(previousDay, latestBefore(asOfListDay[k].latestDates, listDay));
    if (previousDay > 0)
        result.previousDay = previousDay;

    // How the list's securities did since, when the list's day is past.
    const bool past = result.latestDay && listDay < *result.latestDay;
    for (std::size_t row = 0; row < indices.size() && past; ++row) {
        const FileFacts& asOf = asOfListDay[indices[row]];
        if (asOf.evaluation && asOf.evaluation->indicators.latest && asOf.evaluation->indicators.latest->date == listDay)
            result.rows[row].sinceBp = asOf.sinceBp;
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
    std::vector<DayFileEntry> filesListed;
    for (const std::size_t row : listed)
        filesListed.push_back(files[indices[row]]);
    std::vector<FileFacts> factsBefore(filesListed.size());
    std::vector<QString> errorsBefore(filesListed.size());
    const HistoryTask::Shared sharedBefore{filesListed, settings, factsBefore, errorsBefore, nullptr, checkMutex};
    const PoolOutcome passBefore = RunOnWorkers(
        filesListed.size(), settings.jobs, stop, [](ScanProgress) {},
        [&] {
            return std::make_unique<HistoryTask>(sharedBefore, previousDay, FileHistory::Wanted{false, false, false});
        });
    if (passBefore.stopped) {
        result.stopped = true;
        return result;
    }
    for (std::size_t k = 0; k < listed.size(); ++k) {
        ScanRow before;
        before.evaluation = factsBefore[k].evaluation;
        result.rows[listed[k]].isNew = !IsOnDaysList(before, previousDay);
    }
    return result;
}

} // namespace verdaxil
