#pragma once

#include <QStringList>

class QTextStream;

namespace verdaxil {

// verdaxil-scan [--dir TEXT] [--fee TEXT] [--horizon TEXT] [--all] [--format csv|json]
//               [--output FILE [--force]] [--jobs N]
// Scans the whole market and prints the day's list of recommended securities (every
// row with --all). Returns 0 on success, 1 when the fee or horizon is not an integer,
// 2 for a usage error, 3 when neither day directory exists, 4 when the output file
// was not written. `out` must write to a device: the list goes there byte for byte.
int runScanCli(const QStringList& arguments, QTextStream& out, QTextStream& err, bool showProgress);

} // namespace verdaxil
