#include "scan/ScanRow.h"

namespace verdaxil {

namespace {

std::optional<std::int32_t> latestDate(const ScanRow& row)
{
    if (!row.evaluation || !row.evaluation->indicators.latest)
        return std::nullopt;
    return row.evaluation->indicators.latest->date;
}

} // namespace

std::optional<std::int32_t> ListDay(std::span<const ScanRow> rows)
{
    std::optional<std::int32_t> day;
    for (const ScanRow& row : rows) {
        const auto date = latestDate(row);
        if (date && (!day || *date > *day))
            day = date;
    }
    return day;
}

bool IsOnDaysList(const ScanRow& row, std::optional<std::int32_t> listDay)
{
    return listDay && latestDate(row) == listDay && row.evaluation->indicators.recommended == true;
}

} // namespace verdaxil
