#pragma once

#include <QString>

namespace verdaxil {

// Whether the terminal's two exchange table files, QuoteDir + "\data\shase\shacdp.dat"
// and QuoteDir + "\data\sznse\szncdp.dat", can be opened for reading. The Shenzhen file
// is not tried when the Shanghai one fails; neither stays open.
bool TableFilesOpen(const QString& quoteDir);

} // namespace verdaxil
