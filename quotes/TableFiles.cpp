#include "quotes/TableFiles.h"

#include "runtime/FileSystem.h"

namespace verdaxil {

bool TableFilesOpen(const QString& quoteDir)
{
    const auto shanghai = ReadOnlyFile::open(quoteDir + QStringLiteral("\\data\\shase\\shacdp.dat"));
    if (!shanghai)
        return false;
    const auto shenzhen = ReadOnlyFile::open(quoteDir + QStringLiteral("\\data\\sznse\\szncdp.dat"));
    return shenzhen.has_value();
}

} // namespace verdaxil
