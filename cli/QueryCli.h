#pragma once

#include <QStringList>

class QTextStream;

namespace verdaxil {

// The status of a query whose code names no day file that could be read.
inline constexpr int kNoDayFile = 3;

// verdaxil-query [--dir TEXT] [--fee TEXT] [--horizon TEXT] [--json] CODE
// Runs the query once and prints its result fields as the main window shows them. Returns 0 when a
// day file was found and read and the query ran to its end (or --help or --version
// was answered), 1 when a conversion error ended it, 2 for a usage error, 3 when the
// code names no day file.
int runQueryCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace verdaxil
