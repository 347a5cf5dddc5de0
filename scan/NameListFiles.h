#pragma once

#include "scan/DayFileListing.h"
#include "scan/ScanRow.h"
#include "scan/SecurityNames.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace verdaxil {

// Where the last imported name list is kept, normalised: the program's data folder,
// which the window and verdaxil-scan share, so that names stay across runs.
QString keptNameListPath();

// A name list of every listed security is well below a megabyte; a larger file than
// this is not one, and is not read into memory.
inline constexpr qint64 kLargestNameList = 4 * 1024 * 1024;

struct NameListRead {
    std::optional<SecurityNames> names; // none when the file could not be read or names nothing
    int skippedLines = 0;
    int repeatedCodes = 0;
    bool unreadable = false; // the file could not be read as a name list at all, as opposed to naming nothing
    QString problem;         // why there are no names
};

// Reads a name list file the user gives and resolves it against the listed day files.
// Only a regular file is opened, and never one larger than kLargestNameList: a FIFO or
// device answers at once that it is no name list.
NameListRead readNameList(const QString& localPath, const std::vector<DayFileEntry>& files);

// "名称表：读到 N 个名称，跳过 M 行", and the codes named twice when there were any.
QString nameListSummary(const NameListRead& read);

enum class ImportMode {
    Replace, // the file's names in place of the kept ones
    Merge,   // the kept names with the file's in place of any they name too
};

// Reads a name list file and, when it names securities, keeps its normalised copy in
// place of the one kept before (or merged with it), whole or not at all. The names
// returned are those kept.
NameListRead importNameList(const QString& localPath, const std::vector<DayFileEntry>& files, ImportMode mode);

// The names of the kept copy; none when nothing was imported yet.
SecurityNames keptNames(const std::vector<DayFileEntry>& files);

// Whether a name list is kept that names something.
bool hasKeptNames();

// Gives each row the name the names give its security, or none.
void AssignNames(std::span<ScanRow> rows, const SecurityNames& names);

} // namespace verdaxil
