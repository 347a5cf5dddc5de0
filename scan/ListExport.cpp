#include "scan/ListExport.h"

#include "quotes/TradingDate.h"
#include "runtime/IndentedJson.h"
#include "scan/ListColumns.h"
#include "scan/SheetFiles.h"

#include <QStringList>

#include <algorithm>
#include <type_traits>
#include <variant>
#include <vector>

namespace verdaxil {

namespace {

QStringList listTitles(std::int64_t horizon)
{
    QStringList titles;
    for (ListColumn column : kListColumns)
        titles.append(columnLongTitle(column, horizon));
    return titles;
}

std::vector<std::vector<ListCell>> listCells(std::span<const ScanRow* const> rows)
{
    std::vector<std::vector<ListCell>> cells;
    cells.reserve(rows.size());
    for (const ScanRow* row : rows) {
        std::vector<ListCell>& line = cells.emplace_back();
        for (ListColumn column : kListColumns)
            line.push_back(listCell(*row, column));
    }
    return cells;
}

// What a row's JSON object holds besides its columns.
enum class RowFact { Stale, ExRightsDay, SinceExRights };

struct RowMember {
    QByteArray key;
    std::variant<ListColumn, RowFact> source;
};

// A row's members in the order a JSON object keeps them, by key. The state is for
// people; a program reads it from the dates.
const std::vector<RowMember>& rowMembers()
{
    static const std::vector<RowMember> members = [] {
        std::vector<RowMember> all{
            {"stale", RowFact::Stale}, {"ex_rights_day", RowFact::ExRightsDay}, {"since_ex_rights", RowFact::SinceExRights}};
        for (ListColumn column : kListColumns) {
            if (column != ListColumn::Status)
                all.push_back({columnKey(column).toLatin1(), column});
        }
        std::ranges::sort(all, {}, &RowMember::key);
        return all;
    }();
    return members;
}

template <typename Value>
void optional(IndentedJson& json, const std::optional<Value>& value)
{
    if (!value)
        json.null();
    else if constexpr (std::is_same_v<Value, bool>)
        json.boolean(*value);
    else
        json.integer(*value);
}

void rowJson(IndentedJson& json, const ScanRow& row)
{
    json.beginObject();
    for (const RowMember& member : rowMembers()) {
        if (const auto* column = std::get_if<ListColumn>(&member.source)) {
            const QVariant value = columnValue(row, *column);
            if (*column == ListColumn::Error && value.isNull())
                continue;
            json.key(member.key);
            json.variant(value);
            continue;
        }
        json.key(member.key);
        switch (std::get<RowFact>(member.source)) {
        case RowFact::Stale: json.boolean(row.state == RowState::Stale); break;
        case RowFact::ExRightsDay: optional(json, row.exRightsDay); break;
        case RowFact::SinceExRights: optional(json, row.sinceExRights); break;
        }
    }
    json.endObject();
}

} // namespace

QByteArray listCsv(std::span<const ScanRow* const> rows, const ListHeader& header)
{
    return csvTable(listTitles(header.horizon), listCells(rows));
}

QByteArray listXlsx(std::span<const ScanRow* const> rows, const ListHeader& header)
{
    return xlsxTable(header.day ? dateText(*header.day) : QStringLiteral("荐股列表"), listTitles(header.horizon),
                     listCells(rows));
}

QByteArray listJson(std::span<const ScanRow* const> rows, const ListHeader& header)
{
    QByteArray bytes;
    bytes.reserve(1024 + static_cast<qsizetype>(rows.size()) * 800);
    IndentedJson json(bytes);
    json.beginObject();
    json.key("as_of");
    optional(json, header.asOf);
    json.key("cost_bp");
    json.integer(header.costBp);
    json.key("day");
    optional(json, header.day);
    json.key("fee");
    json.integer(header.fee);
    json.key("horizon");
    json.integer(header.horizon);
    json.key("previous_day");
    optional(json, header.previousDay);
    json.key("rows");
    json.beginArray();
    for (const ScanRow* row : rows)
        rowJson(json, *row);
    json.endArray();
    json.key("scanned");
    json.integer(static_cast<qint64>(header.scanned));
    json.endObject();
    return bytes;
}

} // namespace verdaxil
