#include "quotes/TableFiles.h"

#include "quotes/QuoteLayout.h"
#include "runtime/FileSystem.h"

namespace verdaxil {

bool TableFilesOpen(const QString& quoteDir)
{
    const auto shanghai = ReadOnlyFile::open(quoteDir + QuoteLayout::tableFile(Market::Shanghai));
    if (!shanghai)
        return false;
    const auto shenzhen = ReadOnlyFile::open(quoteDir + QuoteLayout::tableFile(Market::Shenzhen));
    return shenzhen.has_value();
}

} // namespace verdaxil
