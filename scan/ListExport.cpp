#include "scan/ListExport.h"

#include "quotes/TradingDate.h"
#include "scan/ListColumns.h"
#include "scan/SheetFiles.h"

#include <QJsonArray>
#include <QStringList>

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

QJsonValue day(std::optional<std::int32_t> date)
{
    return date ? QJsonValue(*date) : QJsonValue(QJsonValue::Null);
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

QJsonObject listJson(std::span<const ScanRow* const> rows, const ListHeader& header)
{
    QJsonArray jsonRows;
    for (const ScanRow* row : rows) {
        QJsonObject object;
        for (ListColumn column : kListColumns) {
            const QVariant value = columnValue(*row, column);
            // The state is for people; a program reads it from the dates.
            if (column != ListColumn::Status && (column != ListColumn::Error || !value.isNull()))
                object.insert(columnKey(column), QJsonValue::fromVariant(value));
        }
        object.insert(QStringLiteral("stale"), row->state == RowState::Stale);
        object.insert(QStringLiteral("ex_rights_day"), day(row->exRightsDay));
        object.insert(QStringLiteral("since_ex_rights"),
                      row->sinceExRights ? QJsonValue(*row->sinceExRights) : QJsonValue(QJsonValue::Null));
        jsonRows.append(object);
    }
    return {
        {QStringLiteral("day"), day(header.day)},
        {QStringLiteral("as_of"), day(header.asOf)},
        {QStringLiteral("previous_day"), day(header.previousDay)},
        {QStringLiteral("horizon"), static_cast<qint64>(header.horizon)},
        {QStringLiteral("fee"), static_cast<qint64>(header.fee)},
        {QStringLiteral("cost_bp"), static_cast<qint64>(header.costBp)},
        {QStringLiteral("scanned"), static_cast<qint64>(header.scanned)},
        {QStringLiteral("rows"), jsonRows},
    };
}

} // namespace verdaxil
