#include "scan/FileHistory.h"

#include "analysis/IndicatorColumns.h"
#include "quotes/DayRecord.h"
#include "quotes/TradingDate.h"

namespace verdaxil {

namespace {

std::array<std::int32_t, 2> latestPlausibleDates(std::span<const std::int32_t> dates, std::int32_t today)
{
    std::array<std::int32_t, 2> latest{};
    for (const std::int32_t date : dates) {
        if (!isPlausibleDate(date, today) || date == latest[0] || date == latest[1])
            continue;
        if (date > latest[0])
            latest = {date, latest[0]};
        else if (date > latest[1])
            latest[1] = date;
    }
    return latest;
}

// The whole file's kept days after a list's day, met in file order: the entry is the
// average price of the first one dated after the list's day, the exit the close of the
// last one; only plausible dates count.
class SinceSearch {
public:
    SinceSearch(std::optional<std::int32_t> listDay, std::int32_t today) : listDay_(listDay), today_(today) {}

    void keptDay(std::int32_t date, std::int32_t close, auto averagePrice)
    {
        lastDate_ = date;
        if (!isPlausibleDate(date, today_))
            return;
        exit_ = close;
        if (!entry_ && listDay_ && date > *listDay_)
            entry_ = averagePrice();
    }

    void keptDays(const EvaluatedDays& days)
    {
        for (std::size_t day = 0; day < days.date.size(); ++day)
            keptDay(days.date[day], days.close[day], [&] { return days.avgPrice[day]; });
    }

    std::optional<std::int32_t> lastDate() const { return lastDate_; }

    // (exit - entry - fee) * 10000 / entry, truncated; none without an entry above 0.
    std::optional<std::int64_t> sinceBp(std::int64_t fee) const
    {
        if (!entry_ || *entry_ <= 0)
            return std::nullopt;
        return (std::int64_t{*exit_} - *entry_ - fee) * 10000 / *entry_;
    }

private:
    std::optional<std::int32_t> listDay_;
    std::int32_t today_;
    std::optional<std::int32_t> entry_;
    std::optional<std::int32_t> exit_;
    std::optional<std::int32_t> lastDate_;
};

std::int32_t field(std::span<const char> records, std::size_t record, int field)
{
    return dayRecordField(records.data() + record * kDayRecordSize, field);
}

bool hasZeroField(std::span<const char> records, std::size_t record)
{
    bool zero = false;
    for (int k = 0; k < kDayRecordFields; ++k)
        zero |= field(records, record, k) == 0;
    return zero;
}

} // namespace

FileHistory::FileHistory(const Settings& settings) : settings_(settings) {}

FileFacts FileHistory::evaluate(const ReadOnlyFile& file, std::optional<std::int32_t> day, CheckAccumulator* check,
                                SecurityClass securityClass)
{
    file_.read(file);
    const std::size_t total = file_.count();
    const std::size_t cut = day ? file_.cutAt(*day) : total;
    FileFacts facts;
    facts.latestRecordDate = file_.latestRecordDate(cut);
    const IndicatorSummary summary = evaluator_.loadBytes(file_.window(cut));
    facts.evaluation = SecurityEvaluation{summary, evaluator_.selectionStats(settings_.horizon, settings_.fee)};
    const EvaluatedDays days = evaluator_.days();
    facts.latestDates = latestPlausibleDates(days.date, settings_.today);
    if (cut == total) {
        // The file ends by the day: the days as of it are the whole file's.
        facts.wholeLatestDate = summary.latest ? std::optional(summary.latest->date) : std::nullopt;
        SinceSearch since(facts.wholeLatestDate, settings_.today);
        since.keptDays(days);
        facts.sinceBp = since.sinceBp(settings_.fee);
        if (check)
            check->addDays(days, securityClass);
        return facts;
    }
    learnTheWholeFile(cut, facts, check, securityClass);
    return facts;
}

// The whole file beyond the cut: its last kept day, and how the security did after its
// latest day as of the cut.
void FileHistory::learnTheWholeFile(std::size_t cut, FileFacts& facts, CheckAccumulator* check, SecurityClass securityClass)
{
    const std::optional<LatestDay> latest = facts.evaluation->indicators.latest;
    SinceSearch since(latest ? std::optional(latest->date) : std::nullopt, settings_.today);
    const std::span<const char> records = file_.records();
    const std::size_t total = file_.count();
    // Both ways read the same most recent records, so the whole file's kept days are the
    // ones kept as of the cut and those kept after it: no need to evaluate it again.
    if (!check && file_.window(cut).data() == file_.window(total).data()) {
        since.keptDays(evaluator_.days());
        // Cleaning stops at the first negative high from the start of what is read.
        bool cleaning = true;
        const auto start = static_cast<std::size_t>(file_.window(cut).data() - records.data()) / kDayRecordSize;
        for (std::size_t record = start; record < cut; ++record)
            cleaning = cleaning && field(records, record, 2) >= 0;
        for (std::size_t record = cut; record < total; ++record) {
            cleaning = cleaning && field(records, record, 2) >= 0;
            if (cleaning && hasZeroField(records, record))
                continue;
            since.keptDay(field(records, record, 0), field(records, record, 4),
                          [&] { return AveragePrice(field(records, record, 5), field(records, record, 6)); });
        }
    } else {
        evaluator_.loadBytes(file_.window(total));
        const EvaluatedDays days = evaluator_.days();
        since.keptDays(days);
        if (check)
            check->addDays(days, securityClass);
    }
    facts.wholeLatestDate = since.lastDate();
    facts.sinceBp = since.sinceBp(settings_.fee);
}

} // namespace verdaxil
