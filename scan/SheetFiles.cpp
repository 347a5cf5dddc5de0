#include "scan/SheetFiles.h"

#include "quotes/TradingDate.h"
#include "runtime/CodePage936.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

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

constexpr double kWidestColumn = 40; // characters; longer texts wrap out of view rather than widen the sheet

struct Formats {
    lxw_format* title;
    lxw_format* integer;
    lxw_format* fixed2;
    lxw_format* fixed3;
    lxw_format* date;
};

lxw_format* numberFormat(lxw_workbook* workbook, const char* format)
{
    lxw_format* made = workbook_add_format(workbook);
    format_set_num_format(made, format);
    return made;
}

// The width a text takes in a spreadsheet's column, a Chinese character counting two.
double widthOf(const QString& text)
{
    return static_cast<double>(codePage936Length(text));
}

// A write the library refused (a text past its cell limit) fails the workbook: a blank
// cell must not pass for a saved one.
void check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(std::string("The workbook cannot be written: ") + lxw_strerror(error));
}

lxw_error writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const ListCell& cell, const Formats& formats)
{
    if (cell.value.isNull())
        return LXW_NO_ERROR;
    switch (cell.kind) {
    case CellKind::Text: return worksheet_write_string(sheet, row, column, cell.text.toUtf8().constData(), nullptr);
    case CellKind::Integer: return worksheet_write_number(sheet, row, column, cell.value.toDouble(), formats.integer);
    case CellKind::Fixed2: return worksheet_write_number(sheet, row, column, cell.value.toDouble(), formats.fixed2);
    case CellKind::Fixed3: return worksheet_write_number(sheet, row, column, cell.value.toDouble(), formats.fixed3);
    case CellKind::Date: {
        const auto date = static_cast<std::int32_t>(cell.value.toLongLong());
        const DateParts parts = dateParts(date);
        lxw_datetime day{parts.year, parts.month, parts.day, 0, 0, 0};
        // A date a spreadsheet cannot hold stays the number the file holds.
        if (day.year >= 1900 && day.month >= 1 && day.month <= 12 && day.day >= 1 && day.day <= 31)
            return worksheet_write_datetime(sheet, row, column, &day, formats.date);
        return worksheet_write_number(sheet, row, column, static_cast<double>(date), formats.integer);
    }
    }
    return LXW_NO_ERROR;
}

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const noexcept { workbook_close(workbook); }
};

} // namespace

QByteArray csvTable(const QStringList& titles, const std::vector<std::vector<ListCell>>& rows)
{
    QByteArray csv("\xEF\xBB\xBF");
    QStringList fields;
    for (const QString& title : titles)
        fields.append(csvField(title));
    csv += fields.join(u',').toUtf8() + "\r\n";
    for (const std::vector<ListCell>& row : rows) {
        fields.clear();
        for (const ListCell& cell : row)
            fields.append(csvField(cell.kind == CellKind::Text && startsLikeAFormula(cell.text) ? u'\'' + cell.text : cell.text));
        csv += fields.join(u',').toUtf8() + "\r\n";
    }
    return csv;
}

QByteArray xlsxTable(const QString& sheetName, const QStringList& titles, const std::vector<std::vector<ListCell>>& rows)
{
    return xlsxSheets({{sheetName, titles, rows}});
}

QByteArray xlsxSheets(const std::vector<SheetTable>& tables)
{
    // The library writes files only: the workbook is made in a folder of its own and
    // read back, so that the caller saves it under the program's rules.
    const QTemporaryDir folder;
    if (!folder.isValid())
        throw std::runtime_error("No temporary folder for the workbook");
    const QString path = folder.filePath(QStringLiteral("list.xlsx"));
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(QFile::encodeName(path).constData()));
    if (!workbook)
        throw std::runtime_error("The workbook cannot be made");
    const Formats formats{workbook_add_format(workbook.get()), numberFormat(workbook.get(), "0"),
                          numberFormat(workbook.get(), "0.00"), numberFormat(workbook.get(), "0.000"),
                          numberFormat(workbook.get(), "yyyy-mm-dd")};
    format_set_bold(formats.title);

    for (const auto& [sheetName, titles, rows] : tables) {
        lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), sheetName.toUtf8().constData());
        if (!sheet)
            throw std::runtime_error("The worksheet cannot be made");
        std::vector<double> widths;
        for (qsizetype column = 0; column < titles.size(); ++column) {
            check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column), titles[column].toUtf8().constData(),
                                         formats.title));
            // Room for the autofilter's button beside the title.
            widths.push_back(widthOf(titles[column]) + 3);
        }
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (std::size_t column = 0; column < rows[row].size() && column < widths.size(); ++column) {
                const ListCell& cell = rows[row][column];
                check(writeCell(sheet, static_cast<lxw_row_t>(row + 1), static_cast<lxw_col_t>(column), cell, formats));
                widths[column] = std::max(widths[column], std::min(kWidestColumn, widthOf(cell.text) + 1));
            }
        }
        for (std::size_t column = 0; column < widths.size(); ++column)
            check(worksheet_set_column(sheet, static_cast<lxw_col_t>(column), static_cast<lxw_col_t>(column), widths[column],
                                       nullptr));
        worksheet_freeze_panes(sheet, 1, 0);
        if (!titles.isEmpty())
            check(worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows.size()),
                                       static_cast<lxw_col_t>(titles.size() - 1)));
    }

    const lxw_error closed = workbook_close(workbook.release());
    if (closed != LXW_NO_ERROR)
        throw std::runtime_error(std::string("The workbook cannot be written: ") + lxw_strerror(closed));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("The workbook cannot be read back: " + file.errorString().toStdString());
    return file.readAll();
}

} // namespace verdaxil
