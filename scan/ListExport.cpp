#include "scan/ListExport.h"

#include "scan/ListColumns.h"

#include <QJsonArray>
#include <QStringList>

namespace verdaxil {

namespace {

QString csvField(QString text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QByteArray csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(csvField(field));
    return quoted.join(u',').toUtf8() + "\r\n";
}

} // namespace

QByteArray listCsv(std::span<const ScanRow* const> rows, std::int64_t horizon)
{
    QByteArray csv("\xEF\xBB\xBF");
    QStringList titles;
    for (ListColumn column : kListColumns)
        titles.append(columnTitle(column, horizon));
    csv += csvLine(titles);
    for (const ScanRow* row : rows) {
        QStringList fields;
        for (ListColumn column : kListColumns)
            fields.append(columnText(*row, column));
        csv += csvLine(fields);
    }
    return csv;
}

QJsonObject listJson(std::span<const ScanRow* const> rows, std::optional<std::int32_t> day, std::int64_t horizon,
                     std::int64_t fee, std::size_t scanned)
{
    QJsonArray jsonRows;
    for (const ScanRow* row : rows) {
        QJsonObject object;
        for (ListColumn column : kListColumns) {
            const QVariant value = columnValue(*row, column);
            if (column != ListColumn::Error || !value.isNull())
                object.insert(columnKey(column), QJsonValue::fromVariant(value));
        }
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
