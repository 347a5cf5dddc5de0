#include "scan/FileHistory.h"

#include "analysis/Indicators.h"
#include "quotes/AveragePrice.h"
#include "quotes/DayRecord.h"
#include "quotes/TradingDate.h"

#include <algorithm>
#include <limits>

namespace verdaxil {

namespace {

// The latest of `dates` below `bound`; none for none. A plain loop of lanes, from a
// start below every date.
std::optional<std::int32_t> latestBelow(std::span<const std::int32_t> dates, std::int32_t bound)
{
    constexpr std::int32_t kBelowEvery = std::numeric_limits<std::int32_t>::min();
    std::int32_t latest = kBelowEvery;
    for (const std::int32_t date : dates)
        latest = std::max(latest, date < bound ? date : kBelowEvery);
    return latest == kBelowEvery ? std::nullopt : std::optional(latest);
}

// The latest of all `dates`, in order or not; none for none.
std::optional<std::int32_t> latestOf(std::span<const std::int32_t> dates, bool ascending)
{
    if (dates.empty())
        return std::nullopt;
    return ascending ? dates.back() : latestBelow(dates, std::numeric_limits<std::int32_t>::max());
}

// The latest plausible date of `dates` below `bound`; none for none. Only the latest
// date below the bound is tested, then the one below it when that is no calendar day.
std::optional<std::int32_t> latestPlausibleBelow(std::span<const std::int32_t> dates, std::int32_t bound, std::int32_t today)
{
    for (std::int32_t below = std::min<std::int64_t>(bound, std::int64_t{today} + 1);;) {
        const std::optional<std::int32_t> latest = latestBelow(dates, below);
        if (!latest || *latest < kFirstPlausibleDate)
            return std::nullopt;
        if (isPlausibleDate(*latest, today))
            return latest;
        below = *latest;
    }
}

// The two latest distinct plausible dates, latest first; none where there is none. In
// order, they are the last plausible ones.
std::array<std::optional<std::int32_t>, 2> latestPlausibleDates(std::span<const std::int32_t> dates, bool inOrder,
                                                                std::int32_t today)
{
    std::array<std::optional<std::int32_t>, 2> latest{};
    if (inOrder) {
        std::size_t found = 0;
        for (std::size_t day = dates.size(); day-- > 0 && found < latest.size();) {
            if (isPlausibleDate(dates[day], today))
                latest[found++] = dates[day];
        }
        return latest;
    }
    latest[0] = latestPlausibleBelow(dates, std::numeric_limits<std::int32_t>::max(), today);
    if (latest[0])
        latest[1] = latestPlausibleBelow(dates, *latest[0], today);
    return latest;
}

// The whole file's kept days after a list's day, met in file order: the entry is the
// average price of the first one dated after the list's day, the exit the close of the
// last one; only plausible dates count. A suspected ex-rights day after the entry's
// makes the two prices incomparable.
class SinceSearch {
public:
    SinceSearch(std::optional<std::int32_t> listDay, std::int32_t today, PriceLimit limit)
        : listDay_(listDay), today_(today), limit_(limit)
    {}

    void keptDay(std::int32_t date, std::int32_t close, std::int32_t high, auto averagePrice)
    {
        const bool exRights = isSuspectedExRights(limit_, kept_, date, high, previousClose_, today_);
        ++kept_;
        previousClose_ = close;
        lastDate_ = date;
        if (!isPlausibleDate(date, today_))
            return;
        exit_ = close;
        exRightsAfterEntry_ |= hasEntry_ && exRights;
        if (!hasEntry_ && listDay_ && date > *listDay_) {
            entry_ = averagePrice();
            hasEntry_ = true;
        }
    }

    // The same for whole columns of kept days: only their latest dates are tested.
    void keptDays(const EvaluatedDays& days, bool ascending)
    {
        const std::span<const std::int32_t> dates = days.date;
        if (dates.empty())
            return;
        kept_ = static_cast<std::int64_t>(dates.size());
        previousClose_ = days.close.back();
        lastDate_ = dates.back();
        for (std::size_t day = dates.size(); day-- > 0;) {
            if (isPlausibleDate(dates[day], today_)) {
                exit_ = days.close[day];
                break;
            }
        }
        const std::optional<std::int32_t> latest = latestOf(dates, ascending);
        if (hasEntry_ || !listDay_ || !latest || *latest <= *listDay_)
            return;
        for (std::size_t day = 0; day < dates.size(); ++day) {
            if (dates[day] > *listDay_ && isPlausibleDate(dates[day], today_)) {
                entry_ = days.avgPrice[day];
                hasEntry_ = true;
                for (std::size_t after = day + 1; after < dates.size(); ++after)
                    exRightsAfterEntry_ |= isSuspectedExRights(limit_, days, after, today_);
                return;
            }
        }
    }

    std::optional<std::int32_t> lastDate() const { return lastDate_; }

    // (exit - entry - fee) * 10000 / entry, truncated, less the cost; none without an
    // entry above 0.
    std::optional<std::int64_t> sinceBp(std::int64_t fee, std::int64_t cost) const
    {
        if (!hasEntry_ || entry_ <= 0)
            return std::nullopt;
        // The day of the entry is itself kept and plausible: there is an exit.
        return (std::int64_t{exit_} - entry_ - fee) * 10000 / entry_ - cost;
    }

    bool exRightsAfterEntry() const { return exRightsAfterEntry_; }

private:
    std::optional<std::int32_t> listDay_;
    std::int32_t today_;
    PriceLimit limit_;
    std::int64_t kept_ = 0; // days met
    std::int32_t previousClose_ = 0;
    bool hasEntry_ = false;
    bool exRightsAfterEntry_ = false;
    std::int32_t entry_ = 0;
    std::int32_t exit_ = 0;
    std::optional<std::int32_t> lastDate_;
};

std::int32_t field(std::span<const char> records, std::size_t record, int field)
{
    return dayRecordField(records.data() + record * kDayRecordSize, field);
}

RecentDays recentDays(const EvaluatedDays& days, bool everyRecordKept, bool ascending)
{
    RecentDays recent;
    const auto count = static_cast<std::size_t>(days.count());
    recent.count = std::min(count, RecentDays::kDays);
    const std::size_t first = count - recent.count;
    recent.usable = everyRecordKept;
    recent.earlierLatest = latestOf(days.date.first(first), ascending);
    for (std::size_t k = 0; k < recent.count; ++k) {
        const std::size_t day = first + k;
        recent.dates[k] = days.date[day];
        recent.recommended[k] = day >= 1 && IsRecommended(days, static_cast<int>(day));
        recent.usable = recent.usable && (k == 0 || recent.dates[k] > recent.dates[k - 1]);
    }
    return recent;
}

} // namespace

std::optional<bool> RecentDays::onListAsOf(std::int32_t day) const
{
    if (!usable || (count == kDays && earlierLatest && day < *earlierLatest))
        return std::nullopt;
    const auto after = static_cast<std::size_t>(std::upper_bound(dates.begin(), dates.begin() + count, day) - dates.begin());
    // No day up to it: none at all when these are all the days, else unknown.
    if (after == 0)
        return count < kDays ? std::optional(false) : std::nullopt;
    return dates[after - 1] == day && recommended[after - 1];
}

FileHistory::FileHistory(const Settings& settings) : settings_(settings) {}

FileFacts FileHistory::evaluate(const ReadOnlyFile& file, std::optional<std::int32_t> day, Wanted wanted, CheckAccumulator* check,
                                const FileIdentity& identity)
{
    file_.read(file);
    const std::size_t total = file_.count();
    const std::size_t cut = day ? file_.cutAt(*day) : total;
    const std::span<const char> window = file_.window(cut);
    FileFacts facts;
    const IndicatorSummary summary = evaluator_.loadBytes(window);
    facts.evaluation = SecurityEvaluation{summary, {}};
    if (wanted.backTest)
        facts.evaluation->stats = evaluator_.selectionStats(settings_.horizon, settings_.fee);
    const EvaluatedDays days = evaluator_.days();
    const bool inOrder = evaluator_.decoded().ascending;
    facts.exRightsDay = latestExRightsDay(identity.limit, days, settings_.today);
    if (wanted.dates) {
        // Every record read is kept unless some were removed: the latest kept date is then
        // the latest record's, without reading the records again.
        const auto start = static_cast<std::size_t>(window.data() - file_.records().data()) / kDayRecordSize;
        const bool allKept = static_cast<std::size_t>(days.count()) == cut - start;
        const std::int32_t latest =
            std::max(file_.latestRecordDate(0, start),
                     allKept ? std::max(0, latestOf(days.date, inOrder).value_or(0)) : file_.latestRecordDate(start, cut));
        facts.latestRecordDate = latest > 0 ? std::optional(latest) : std::nullopt;
        facts.recent = recentDays(days, allKept && start == 0, inOrder);
        facts.latestDates = latestPlausibleDates(days.date, inOrder, settings_.today);
        const auto first = std::find_if(days.date.begin(), days.date.end(),
                                        [&](std::int32_t date) { return isPlausibleDate(date, settings_.today); });
        facts.firstDate = first == days.date.end() ? std::nullopt : std::optional(*first);
    }
    if (cut == total) {
        // The file ends by the day: the days as of it are the whole file's.
        facts.wholeLatestDate = summary.latest ? std::optional(summary.latest->date) : std::nullopt;
        if (wanted.since) {
            SinceSearch since(facts.wholeLatestDate, settings_.today, identity.limit);
            since.keptDays(days, inOrder);
            facts.sinceBp = since.sinceBp(settings_.fee, settings_.costBp);
            facts.sinceExRights = since.exRightsAfterEntry();
        }
        if (check)
            check->addDays(days, identity.securityClass, identity.limit, identity.index);
        return facts;
    }
    if (wanted.dates || wanted.since || check)
        learnTheWholeFile(cut, wanted.since, facts, check, identity);
    return facts;
}

// The whole file beyond the cut: its last kept day, and how the security did after its
// latest day as of the cut.
void FileHistory::learnTheWholeFile(std::size_t cut, bool since, FileFacts& facts, CheckAccumulator* check,
                                    const FileIdentity& identity)
{
    const std::optional<LatestDay> latest = facts.evaluation->indicators.latest;
    SinceSearch search(latest ? std::optional(latest->date) : std::nullopt, settings_.today, identity.limit);
    const std::span<const char> records = file_.records();
    const std::size_t total = file_.count();
    // Both ways read the same most recent records, so the whole file's kept days are the
    // ones kept as of the cut and those kept after it: no need to evaluate it again.
    if (!check && file_.window(cut).data() == file_.window(total).data()) {
        if (since)
            search.keptDays(evaluator_.days(), evaluator_.decoded().ascending);
        // Cleaning goes on from the days as of the cut, which are the ones read.
        DayCleaning cleaning(evaluator_.decoded().cleaningStopped);
        for (std::size_t record = cut; record < total; ++record) {
            if (cleaning.removes(records.data() + record * kDayRecordSize))
                continue;
            search.keptDay(field(records, record, 0), field(records, record, 4), field(records, record, 2),
                           [&] { return AveragePrice(field(records, record, 5), field(records, record, 6)); });
        }
    } else {
        evaluator_.loadBytes(file_.window(total));
        const EvaluatedDays days = evaluator_.days();
        search.keptDays(days, evaluator_.decoded().ascending);
        if (check)
            check->addDays(days, identity.securityClass, identity.limit, identity.index);
    }
    facts.wholeLatestDate = search.lastDate();
    if (since) {
        facts.sinceBp = search.sinceBp(settings_.fee, settings_.costBp);
        facts.sinceExRights = search.exRightsAfterEntry();
    }
}

} // namespace verdaxil
