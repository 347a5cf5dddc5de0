#pragma once

// The list of any past day, what was new on it, how it did since, and the check of
// the buy signal, as plainly as they can be said: every file read whole and
// evaluated afresh, on the row table, for every day asked about. ScanDayFiles must
// agree with it on any market whose files hold at most 100,000 records, where the
// scan stops looking for a day's end.

#include "quotes/TradingDate.h"
#include "scan/MarketScan.h"
#include "support/RowTableReference.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace verdaxil::testing {

// A date a trading day can have, told by Qt's calendar rather than by the scan's own
// arithmetic: a real day from 1990-01-01 to today.
inline bool plausibleByCalendar(std::int32_t date, std::int32_t today)
{
    return date >= 19900101 && date <= today && QDate::isValid(date / 10000, date / 100 % 100, date % 100);
}

// A day file's records up to, not including, the first whose date is after `day`;
// the whole file without a day.
inline std::span<const char> recordsAsOf(std::span<const char> bytes, std::optional<std::int32_t> day)
{
    if (day) {
        for (std::size_t k = 0; (k + 1) * kDayRecordSize <= bytes.size(); ++k) {
            if (dayRecordField(bytes.data() + k * kDayRecordSize, Column::Date) > *day)
                return bytes.first(k * kDayRecordSize);
        }
    }
    return bytes;
}

inline std::int32_t cellOf(const DayTable& table, int row, int column)
{
    return table.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

inline std::optional<std::int32_t> latestDateOf(const DayTable& table)
{
    if (table.count == 0)
        return std::nullopt;
    return cellOf(table, table.count - 1, Column::Date);
}

// A security's day file read whole, and its kept days with their indicators as of any
// day: a table for each number of records a day leaves, made when first asked for.
class SecurityDays {
public:
    explicit SecurityDays(QByteArray bytes) : bytes_(std::move(bytes)) {}

    const DayTable& asOf(std::optional<std::int32_t> day) const
    {
        const std::span<const char> records = recordsAsOf(bytes_, day);
        std::unique_ptr<DayTable>& table = tables_[records.size() / kDayRecordSize];
        if (!table) {
            table = referenceRows(records);
            referenceIndicators(*table);
        }
        return *table;
    }

private:
    QByteArray bytes_;
    mutable std::map<std::size_t, std::unique_ptr<DayTable>> tables_;
};

// Each listed file's days; none for a file that cannot be read.
using MarketDays = std::vector<std::optional<SecurityDays>>;

// On the list of `day` as of that day: its latest date is the day and its signal
// recommends it.
inline bool onListOf(const SecurityDays& security, std::int32_t day)
{
    const DayTable& table = security.asOf(day);
    return latestDateOf(table) == day && referenceSummary(table).recommended == true;
}

// The latest plausible date, at most `day`, of any security's latest date as of `day`.
inline std::optional<std::int32_t> listDayOf(const MarketDays& market, std::optional<std::int32_t> day, std::int32_t today)
{
    std::optional<std::int32_t> listDay;
    for (const auto& security : market) {
        const auto latest = security ? latestDateOf(security->asOf(day)) : std::nullopt;
        if (latest && plausibleByCalendar(*latest, today) && (!day || *latest <= *day) && (!listDay || *latest > *listDay))
            listDay = latest;
    }
    return listDay;
}

// The largest plausible date before `listDay` of any kept day of any security as of
// `listDay`.
inline std::optional<std::int32_t> previousDayOf(const MarketDays& market, std::int32_t listDay, std::int32_t today)
{
    std::optional<std::int32_t> previous;
    for (const auto& security : market) {
        const DayTable* table = security ? &security->asOf(listDay) : nullptr;
        for (int row = 0; table && row < table->count; ++row) {
            const std::int32_t date = cellOf(*table, row, Column::Date);
            if (plausibleByCalendar(date, today) && date < listDay && (!previous || date > *previous))
                previous = date;
        }
    }
    return previous;
}

// Bought at the average price of the whole table's first plausible day after
// `listDay`, sold at the close of its last plausible day, net of the fee, in basis
// points.
inline std::optional<std::int64_t> sinceListDay(const DayTable& whole, std::int32_t listDay, std::int64_t fee, std::int64_t cost,
                                                std::int32_t today)
{
    std::optional<std::int64_t> entry;
    std::int64_t exit = 0;
    for (int row = 0; row < whole.count; ++row) {
        const std::int32_t date = cellOf(whole, row, Column::Date);
        if (!plausibleByCalendar(date, today))
            continue;
        if (!entry && date > listDay)
            entry = cellOf(whole, row, Column::AvgPrice);
        exit = cellOf(whole, row, Column::Close);
    }
    if (!entry || *entry <= 0)
        return std::nullopt;
    return (exit - *entry - fee) * 10000 / *entry - cost;
}

// Whether kept day `row` of a security is a suspected ex-rights day: a share's or a
// fund's, from its sixth kept day on, with a plausible date from 1996-12-16 on, whose
// high lies below the day before's close by more than the price limit (plus a point).
inline bool exRightsAt(const DayTable& table, int row, const DayFileEntry& file, std::int32_t today)
{
    const SecurityClass c = file.securityClass;
    if ((c != SecurityClass::AShare && c != SecurityClass::BShare && c != SecurityClass::Fund) || row < 5)
        return false;
    const std::int32_t date = cellOf(table, row, Column::Date);
    const std::int64_t high = cellOf(table, row, Column::High);
    const std::int64_t previousClose = cellOf(table, row - 1, Column::Close);
    if (!plausibleByCalendar(date, today) || date < 19961216 || previousClose <= 0 || high <= 0)
        return false;
    const auto startsWith = [&](std::initializer_list<const char*> prefixes) {
        return std::any_of(prefixes.begin(), prefixes.end(), [&](const char* p) { return file.code.startsWith(p); });
    };
    const bool star = c == SecurityClass::AShare && file.market == Market::Shanghai && startsWith({"688", "689"});
    const bool chiNext = c == SecurityClass::AShare && file.market == Market::Shenzhen && startsWith({"300", "301", "302"});
    const std::int64_t limit = star || (chiNext && date >= 20200824) ? 21 : 11;
    return high * 100 < previousClose * (100 - limit);
}

// Every day of one security's whole table whose trade fits in it (from day 60 on,
// bought during the next day at its average price, sold at the close `horizon` days
// on, less the fee and the cost), each added on its own under its year and the kinds
// whose rule it passes, or counted as left out when its holding holds an ex-rights
// day after the entry's; for the settings' horizon by year, and for each horizon of
// the check in total. The trades of the horizon are listed.
inline void checkSignal(SignalCheck& check, std::vector<CheckTrade>& trades, std::size_t index, const DayFileEntry& file,
                        const DayTable& whole, const ScanSettings& settings)
{
    const auto cell = [&](int row, int column) -> std::int64_t { return cellOf(whole, row, column); };
    std::vector<std::int64_t> horizons = settings.check->horizons;
    if (horizons.empty())
        horizons = {1, 3, 5, 10, 20, 60, settings.horizon};
    horizons.push_back(settings.horizon);
    std::sort(horizons.begin(), horizons.end());
    horizons.erase(std::unique(horizons.begin(), horizons.end()), horizons.end());
    const bool listed = settings.check->horizons.empty()
        || std::count(settings.check->horizons.begin(), settings.check->horizons.end(), settings.horizon);
    for (const std::int64_t horizon : horizons) {
        const bool theHorizon = horizon == settings.horizon;
        for (int r = 60; r < whole.count; ++r) {
            const std::int32_t date = cellOf(whole, r, Column::Date);
            if (horizon <= 0 || horizon > whole.count - 1 - r || !plausibleByCalendar(date, settings.today)
                || (settings.check->from && date < *settings.check->from) || (settings.check->to && date > *settings.check->to))
                continue;
            const std::int64_t entry = cell(r + 1, Column::AvgPrice);
            if (entry <= 0)
                continue;
            const int exitRow = r + static_cast<int>(horizon);
            const std::int64_t bp = (cell(exitRow, Column::Close) - entry - settings.fee) * 10000 / entry - settings.costBp;
            bool excluded = false;
            for (int s = r + 2; s <= exitRow; ++s)
                excluded = excluded || exRightsAt(whole, s, file, settings.today);
            const std::int64_t gap = cell(r, Column::Ma10) - cell(r, Column::Ma60);
            const std::int64_t previousGap = cell(r - 1, Column::Ma10) - cell(r - 1, Column::Ma60);
            const bool kinds[] = {true, gap >= 0 && previousGap <= 0 && gap > previousGap,
                                  gap >= 0 && (previousGap <= 0 || gap > previousGap)};
            YearCounts counts{};
            for (std::size_t kind = 0; kind < counts.size(); ++kind) {
                if (!kinds[kind])
                    continue;
                if (excluded)
                    counts[kind].excluded = 1;
                else
                    counts[kind].add(bp);
                if (theHorizon && kind > 0 && settings.check->trades)
                    trades.push_back({index, date, static_cast<CheckKind>(kind), cellOf(whole, r + 1, Column::Date),
                                      cellOf(whole, exitRow, Column::Date), static_cast<std::int32_t>(entry),
                                      cellOf(whole, exitRow, Column::Close), bp, excluded});
            }
            if (theHorizon)
                check.add(file.securityClass, date / 10000, counts);
            if (!theHorizon || listed)
                check.addHorizon(file.securityClass, horizon, counts);
        }
    }
}

// Whether a suspected ex-rights day follows the entry's day after `listDay`.
inline bool exRightsSince(const DayTable& whole, std::int32_t listDay, const DayFileEntry& file, std::int32_t today)
{
    bool entered = false;
    for (int row = 0; row < whole.count; ++row) {
        if (entered && exRightsAt(whole, row, file, today))
            return true;
        const std::int32_t date = cellOf(whole, row, Column::Date);
        entered = entered || (plausibleByCalendar(date, today) && date > listDay);
    }
    return false;
}

// The latest ex-rights day among the table's last 60 days.
inline std::optional<std::int32_t> recentExRights(const DayTable& table, const DayFileEntry& file, std::int32_t today)
{
    std::optional<std::int32_t> latest;
    for (int row = std::max(0, table.count - 60); row < table.count; ++row) {
        const std::int32_t date = cellOf(table, row, Column::Date);
        if (exRightsAt(table, row, file, today) && (!latest || date > *latest))
            latest = date;
    }
    return latest;
}

inline RowState stateAgainst(const ScanRow& row, std::optional<std::int32_t> listDay, std::int32_t today)
{
    const auto latest = row.evaluation ? row.evaluation->indicators.latest : std::nullopt;
    if (!latest)
        return RowState::NoDays;
    if (!plausibleByCalendar(latest->date, today))
        return RowState::ImplausibleDate;
    return latest->date == listDay ? RowState::Current : RowState::Stale;
}

// What ScanDayFiles gives for the listed files; a file that cannot be read has an
// error of no particular text.
inline ScanResult referenceScan(const std::vector<DayFileEntry>& files, const ScanSettings& settings)
{
    MarketDays market;
    for (const DayFileEntry& entry : files) {
        QFile file(QFile::decodeName(entry.localPath));
        market.push_back(file.open(QIODevice::ReadOnly) ? std::optional<SecurityDays>(file.readAll()) : std::nullopt);
    }
    ScanResult result;
    result.listDay = listDayOf(market, settings.asOf, settings.today);
    result.latestDay = listDayOf(market, std::nullopt, settings.today);
    if (result.listDay)
        result.previousDay = previousDayOf(market, *result.listDay, settings.today);
    const bool listDayIsPast = result.listDay && result.latestDay && *result.listDay < *result.latestDay;
    for (std::size_t k = 0; k < files.size(); ++k) {
        ScanRow& row = result.rows.emplace_back();
        row.market = files[k].market;
        row.code = files[k].code;
        row.securityClass = files[k].securityClass;
        row.localPath = files[k].localPath;
        if (!market[k]) {
            row.error = QStringLiteral("unreadable");
            continue;
        }
        const SecurityDays& security = *market[k];
        if (security.asOf(std::nullopt).count == 0) {
            row.error = QStringLiteral("no usable day");
            continue;
        }
        const DayTable& asked = security.asOf(settings.asOf);
        row.evaluation =
            SecurityEvaluation{referenceSummary(asked), dayByDay(asked, asked.count, settings.horizon, settings.fee)};
        row.state = stateAgainst(row, result.listDay, settings.today);
        const auto& indicators = row.evaluation->indicators;
        const bool onList =
            result.listDay && indicators.latest && indicators.latest->date == *result.listDay && indicators.recommended == true;
        if (onList && result.previousDay)
            row.isNew = !onListOf(security, *result.previousDay);
        row.exRightsDay = recentExRights(asked, files[k], settings.today);
        if (listDayIsPast && latestDateOf(security.asOf(result.listDay)) == result.listDay) {
            const DayTable& whole = security.asOf(std::nullopt);
            row.sinceBp = sinceListDay(whole, *result.listDay, settings.fee, settings.costBp, settings.today);
            if (row.sinceBp)
                row.sinceExRights = exRightsSince(whole, *result.listDay, files[k], settings.today);
        }
    }
    if (settings.check) {
        SignalCheck& check = result.check.emplace();
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (market[k])
                checkSignal(check, result.trades, k, files[k], market[k]->asOf(std::nullopt), settings);
        }
        std::sort(result.trades.begin(), result.trades.end());
    }
    return result;
}

} // namespace verdaxil::testing
