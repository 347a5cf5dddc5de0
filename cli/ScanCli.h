#pragma once

#include <QStringList>

#include <cstdint>
#include <optional>

class QTextStream;

namespace verdaxil {

// What verdaxil-scan takes from where it runs.
struct ScanEnvironment {
    bool showProgress = false;         // a progress line on standard error
    std::optional<std::int32_t> today; // YYYYMMDD; this machine's date when none
    bool outputIsTerminal = false;     // standard output is a terminal
};

// verdaxil-scan [--dir TEXT] [--fee TEXT] [--horizon TEXT] [--all] [--format csv|json]
//               [--output FILE [--force]] [--jobs N]
// Scans the whole market and prints the day's list of recommended securities (every
// row with --all). Returns 0 on success, 1 when the fee or horizon is not an integer,
// 2 for a usage error, 3 when no day directory can be listed, 4 when the list was not
// written whole. `out` must write to a device: the list goes there byte for byte.
int runScanCli(const QStringList& arguments, QTextStream& out, QTextStream& err, const ScanEnvironment& environment = {});

} // namespace verdaxil
