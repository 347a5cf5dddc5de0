#pragma once

#include <QStringList>

class QTextStream;

namespace verdaxil {

// verdaxil-query [--dir TEXT] [--fee TEXT] [--horizon TEXT] [--json] CODE
// Runs the query once on a TextWindow and prints its result fields. Returns 0 when
// the query ran to its end (or --help or --version was answered), 1 when a conversion
// error ended it, 2 for a usage error.
int runQueryCli(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace verdaxil
