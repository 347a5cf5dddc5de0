#pragma once

#include "quotes/Market.h"

#include <QString>

namespace verdaxil {

// Where the quote terminal keeps its files below its directory, in the Windows form
// the program builds paths in. Every path below the quote directory is spelled here.
namespace QuoteLayout {

inline const QString kDayFileSuffix = QStringLiteral(".day");

// "\data\shase\day\" or "\data\sznse\day\".
QString dayDirectory(Market market);

// "\data\shase\shacdp.dat" or "\data\sznse\szncdp.dat".
QString tableFile(Market market);

// The same below a local directory, with forward slashes, for writing demo data.
QString localDayDirectory(Market market);
QString localTableFile(Market market);

} // namespace QuoteLayout

} // namespace verdaxil
