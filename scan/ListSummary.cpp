#include "scan/ListSummary.h"

namespace verdaxil {

ListCounts CountList(std::span<const ScanRow> rows, std::optional<std::int32_t> listDay)
{
    ListCounts counts;
    for (const ScanRow& row : rows) {
        counts.recommended += IsOnDaysList(row, listDay);
        counts.isNew += row.isNew == true;
        counts.stale += row.state == RowState::Stale;
        counts.unreadable += !row.evaluation;
    }
    return counts;
}

std::optional<int> SinceCounts::risingPercent() const
{
    if (known == 0)
        return std::nullopt;
    return rose * 100 / known;
}

SinceCounts CountSince(std::span<const ScanRow* const> shown)
{
    SinceCounts counts;
    for (const ScanRow* row : shown) {
        if (!row->sinceBp)
            continue;
        ++counts.known;
        counts.rose += *row->sinceBp > 0;
    }
    return counts;
}

QStringList unreadableFiles(std::span<const ScanRow> rows)
{
    QStringList files;
    for (const ScanRow& row : rows) {
        if (!row.evaluation)
            files.append(QStringLiteral("%1 %2：%3").arg(marketName(row.market), row.code, row.error));
    }
    return files;
}

} // namespace verdaxil
