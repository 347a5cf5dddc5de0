// The list's CSV and JSON writers, fed rows of any texts: lines of the input are rows,
// and each line's fields, split by 0x1F, are the code, the name, the error and bytes
// for the figures (a row without them could not be read). The CSV file read back as
// a spreadsheet program reads it gives every cell as shown, no text cell begins a
// formula, and the JSON is byte for byte what a JSON document of the same values writes
// and reads back to the texts.
#include "FuzzChecks.h"

#include "scan/ListColumns.h"
#include "scan/ListExport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace verdaxil::fuzz {

namespace {

constexpr qsizetype kMostRows = 64;

// The byte at `at`, or 0 past the end.
std::uint8_t byteAt(const QByteArray& bytes, qsizetype at)
{
    return at < bytes.size() ? static_cast<std::uint8_t>(bytes[at]) : 0;
}

QChar charAt(const QString& text, qsizetype at)
{
    return at < text.size() ? text[at] : QChar();
}

std::int32_t int32At(const QByteArray& bytes, qsizetype at)
{
    std::uint32_t value = 0;
    for (qsizetype k = 0; k < 4; ++k)
        value = value << 8 | byteAt(bytes, at + k);
    return static_cast<std::int32_t>(value);
}

ScanRow rowOf(const QByteArray& line)
{
    const QList<QByteArray> fields = line.split('\x1f');
    ScanRow row;
    row.market = fields.value(0).size() % 2 ? Market::Shanghai : Market::Shenzhen;
    row.code = QString::fromUtf8(fields.value(0));
    row.name = QString::fromUtf8(fields.value(1));
    row.securityClass = ClassOf(row.market, row.code);
    if (fields.size() < 4) {
        row.error = QString::fromUtf8(fields.value(2));
        return row;
    }
    const QByteArray& figures = fields[3];
    IndicatorSummary indicators{int32At(figures, 0), int32At(figures, 4), std::nullopt, std::nullopt};
    if (figures.size() > 8)
        indicators.latest = LatestDay{int32At(figures, 8), int32At(figures, 12)};
    if (figures.size() > 16)
        indicators.recommended = figures[16] % 2 == 0;
    SelectionStats stats;
    stats.PointCount = byteAt(figures, 17);
    stats.ProfitHits = std::min<std::int64_t>(stats.PointCount, byteAt(figures, 18));
    stats.MaxGain = int32At(figures, 19);
    row.evaluation = SecurityEvaluation{indicators, stats};
    row.state = static_cast<RowState>(byteAt(figures, 23) % 4);
    if (figures.size() > 24) {
        row.isNew = byteAt(figures, 24) % 2 == 0;
        row.sinceBp = int32At(figures, 25);
        row.exRightsDay = int32At(figures, 29);
        row.sinceExRights = byteAt(figures, 33) % 2 == 0;
    }
    return row;
}

// A CSV file as spreadsheet programs read it: fields split by commas, records by CRLF,
// a quoted field taking commas, line breaks and doubled quotes as they stand.
std::vector<QStringList> readCsv(const QString& text)
{
    std::vector<QStringList> records(1);
    QString field;
    bool quoted = false;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (quoted) {
            if (c == u'"' && charAt(text, k + 1) == u'"')
                field += text[++k];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"' && field.isEmpty()) {
            quoted = true;
        } else if (c == u',') {
            records.back().append(std::exchange(field, {}));
        } else if (c == u'\r' && charAt(text, k + 1) == u'\n') {
            records.back().append(std::exchange(field, {}));
            records.emplace_back();
            ++k;
        } else {
            field += c;
        }
    }
    records.pop_back(); // after the last CRLF
    return records;
}

QJsonValue optional(std::optional<std::int32_t> value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// The list's JSON as a document built of the rows' values writes it.
QByteArray documentOf(std::span<const ScanRow* const> rows, const ListHeader& header)
{
    QJsonArray jsonRows;
    for (const ScanRow* row : rows) {
        QJsonObject object;
        for (ListColumn column : kListColumns) {
            const QVariant value = columnValue(*row, column);
            if (column != ListColumn::Status && (column != ListColumn::Error || !value.isNull()))
                object.insert(columnKey(column), QJsonValue::fromVariant(value));
        }
        object.insert(QStringLiteral("stale"), row->state == RowState::Stale);
        object.insert(QStringLiteral("ex_rights_day"), optional(row->exRightsDay));
        object.insert(QStringLiteral("since_ex_rights"),
                      row->sinceExRights ? QJsonValue(*row->sinceExRights) : QJsonValue(QJsonValue::Null));
        jsonRows.append(object);
    }
    const QJsonObject list{
        {QStringLiteral("day"), optional(header.day)},
        {QStringLiteral("as_of"), optional(header.asOf)},
        {QStringLiteral("previous_day"), optional(header.previousDay)},
        {QStringLiteral("horizon"), static_cast<qint64>(header.horizon)},
        {QStringLiteral("fee"), static_cast<qint64>(header.fee)},
        {QStringLiteral("cost_bp"), static_cast<qint64>(header.costBp)},
        {QStringLiteral("scanned"), static_cast<qint64>(header.scanned)},
        {QStringLiteral("rows"), jsonRows},
    };
    return QJsonDocument(list).toJson(QJsonDocument::Indented);
}

bool startsAFormula(const QString& text)
{
    return !text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front());
}

} // namespace

void checkListExportInput(Input input)
{
    const QByteArray bytes(reinterpret_cast<const char*>(input.data()), static_cast<qsizetype>(input.size()));
    std::vector<ScanRow> rows;
    for (const QByteArray& line : bytes.split('\n').mid(0, kMostRows))
        rows.push_back(rowOf(line));
    std::vector<const ScanRow*> pointers;
    for (const ScanRow& row : rows)
        pointers.push_back(&row);

    const QByteArray csv = listCsv(pointers, ListHeader{});
    require(csv.startsWith("\xEF\xBB\xBF"), "the CSV file begins with a byte-order mark");
    const std::vector<QStringList> records = readCsv(QString::fromUtf8(csv.mid(3)));
    require(records.size() == rows.size() + 1, "one record for the titles and one for each row");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        require(records[r + 1].size() == static_cast<qsizetype>(kListColumns.size()), "a cell for every column");
        for (std::size_t c = 0; c < kListColumns.size(); ++c) {
            const ListCell cell = listCell(rows[r], kListColumns[c]);
            const QString& read = records[r + 1][static_cast<qsizetype>(c)];
            if (cell.kind != CellKind::Text)
                continue;
            require(!startsAFormula(read), "no text cell begins a formula");
            require(read == (startsAFormula(cell.text) ? u'\'' + cell.text : cell.text), "a text cell reads back as shown");
        }
    }

    const ListHeader header{rows.empty() ? std::nullopt : std::optional(int32At(bytes, 0)),
                            std::nullopt,
                            int32At(bytes, 4),
                            int32At(bytes, 8),
                            int32At(bytes, 12),
                            rows.size(),
                            -std::int64_t{int32At(bytes, 16)}};
    const QByteArray written = listJson(pointers, header);
    require(written == documentOf(pointers, header), "the list's JSON is the document's, byte for byte");
    const QJsonArray json = QJsonDocument::fromJson(written).object().value(QStringLiteral("rows")).toArray();
    require(json.size() == static_cast<qsizetype>(rows.size()), "a JSON row for every row");
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QJsonObject object = json[static_cast<qsizetype>(r)].toObject();
        require(object.value(QStringLiteral("code")).toString() == rows[r].code, "the code reads back");
        require(object.value(QStringLiteral("name")).toString() == rows[r].name, "the name reads back");
        require(rows[r].evaluation || object.value(QStringLiteral("error")).toString() == rows[r].error, "the error reads back");
    }
}

} // namespace verdaxil::fuzz
