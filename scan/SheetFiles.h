#pragma once

#include "scan/ListColumns.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace verdaxil {

// A table of titles and typed cells as a CSV file: UTF-8 with a byte-order mark, so that
// spreadsheet programs read its Chinese titles; a text cell that would start a formula
// gets a leading apostrophe, which spreadsheet programs take as "text" and do not show.
QByteArray csvTable(const QStringList& titles, const std::vector<std::vector<ListCell>>& rows);

// The table as a spreadsheet workbook (.xlsx) of one sheet: a bold title row that stays
// in view with an autofilter, texts as text (a code keeps its leading zeros), numbers
// as numbers (fixed decimals shown as 0.00 or 0.000, whole numbers as 0), dates as
// dates shown yyyy-mm-dd, and columns as wide as their titles and texts. Throws
// std::runtime_error when the workbook cannot be made.
QByteArray xlsxTable(const QString& sheetName, const QStringList& titles, const std::vector<std::vector<ListCell>>& rows);

// Several such tables, a sheet each, in order.
struct SheetTable {
    QString name;
    QStringList titles;
    std::vector<std::vector<ListCell>> rows;
};
QByteArray xlsxSheets(const std::vector<SheetTable>& tables);

} // namespace verdaxil
