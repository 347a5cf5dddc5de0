#include "scan/ListExport.h"

#include "quotes/TradingDate.h"
#include "scan/ListColumns.h"
#include "scan/Workbook.h"

#include <QJsonArray>
#include <QStringList>

namespace verdaxil {

namespace {

// Spreadsheet programs run a cell that begins with one of these as a formula: a day
// file named "=1+23.day" must not put a live formula into the list.
bool startsLikeAFormula(const QString& text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
}

QString csvField(QString text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// A text cell that would start a formula gets a leading apostrophe, which spreadsheet
// programs take as "text" and do not show; numbers, negative ones too, stay numbers.
QString csvCell(const ScanRow& row, ListColumn column)
{
    const ListCell cell = listCell(row, column);
    return csvField(cell.kind == CellKind::Text && startsLikeAFormula(cell.text) ? u'\'' + cell.text : cell.text);
}

QByteArray csvLine(const QStringList& cells)
{
    return cells.join(u',').toUtf8() + "\r\n";
}

} // namespace

QByteArray listCsv(std::span<const ScanRow* const> rows, std::int64_t horizon)
{
    QByteArray csv("\xEF\xBB\xBF");
    QStringList titles;
    for (ListColumn column : kListColumns)
        titles.append(csvField(columnLongTitle(column, horizon)));
    csv += csvLine(titles);
    for (const ScanRow* row : rows) {
        QStringList cells;
        for (ListColumn column : kListColumns)
            cells.append(csvCell(*row, column));
        csv += csvLine(cells);
    }
    return csv;
}

QByteArray listXlsx(std::span<const ScanRow* const> rows, std::optional<std::int32_t> day, std::int64_t horizon)
{
    QStringList titles;
    for (ListColumn column : kListColumns)
        titles.append(columnLongTitle(column, horizon));
    std::vector<std::vector<ListCell>> cells;
    cells.reserve(rows.size());
    for (const ScanRow* row : rows) {
        std::vector<ListCell>& line = cells.emplace_back();
        for (ListColumn column : kListColumns)
            line.push_back(listCell(*row, column));
    }
    return xlsxWorkbook(day ? dateText(*day) : QStringLiteral("荐股列表"), titles, cells);
}

QJsonObject listJson(std::span<const ScanRow* const> rows, std::optional<std::int32_t> day, std::int64_t horizon,
                     std::int64_t fee, std::size_t scanned)
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
        jsonRows.append(object);
    }
    return {
        {QStringLiteral("day"), day ? QJsonValue(*day) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("horizon"), static_cast<qint64>(horizon)},
        {QStringLiteral("fee"), static_cast<qint64>(fee)},
        {QStringLiteral("scanned"), static_cast<qint64>(scanned)},
        {QStringLiteral("rows"), jsonRows},
    };
}

} // namespace verdaxil
