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

struct NameListRead {
    std::optional<SecurityNames> names; // none when the file could not be read or names nothing
    int skippedLines = 0;
    QString problem; // why there are no names
};

// Reads a name list file the user gives and resolves it against the listed day files.
NameListRead readNameList(const QString& localPath, const std::vector<DayFileEntry>& files);

// Reads a name list file and, when it names securities, keeps its normalised copy in
// place of the one kept before, whole or not at all.
NameListRead importNameList(const QString& localPath, const std::vector<DayFileEntry>& files);

// The names of the kept copy; none when nothing was imported yet.
SecurityNames keptNames(const std::vector<DayFileEntry>& files);

// Gives each row the name the names give its security, or none.
void AssignNames(std::span<ScanRow> rows, const SecurityNames& names);

} // namespace verdaxil
