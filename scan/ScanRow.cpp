#include "scan/ScanRow.h"

#include "quotes/TradingDate.h"

namespace verdaxil {

namespace {

std::optional<std::int32_t> latestDate(const ScanRow& row)
{
    if (!row.evaluation || !row.evaluation->indicators.latest)
        return std::nullopt;
    return row.evaluation->indicators.latest->date;
}

} // namespace

std::optional<std::int32_t> AssignListDay(std::span<ScanRow> rows, std::int32_t today)
{
    std::optional<std::int32_t> day;
    for (const ScanRow& row : rows) {
        const auto date = latestDate(row);
        if (date && isPlausibleDate(*date, today) && (!day || *date > *day))
            day = date;
    }
    for (ScanRow& row : rows) {
        const auto date = latestDate(row);
        row.state = !date                    ? RowState::NoDays
            : !isPlausibleDate(*date, today) ? RowState::ImplausibleDate
            : date == day                    ? RowState::Current
                                             : RowState::Stale;
    }
    return day;
}

std::optional<QString> oldDataWarning(std::optional<std::int32_t> listDay, std::int32_t today)
{
    if (!listDay || *listDay >= lastWeekdayBefore(today))
        return std::nullopt;
    return QStringLiteral("行情数据最新日期为 %1，早于最近交易日：请先在行情软件中下载盘后数据。").arg(dateText(*listDay));
}

bool IsOnDaysList(const ScanRow& row, std::optional<std::int32_t> listDay)
{
    return listDay && latestDate(row) == listDay && row.evaluation->indicators.recommended == true;
}

} // namespace verdaxil
