#include "scan/ListedDays.h"

#include "runtime/FileSystem.h"
#include "scan/ExRightsDays.h"

namespace verdaxil {

std::optional<ListedDays> ListedDaysReader::read(const ScanRow& row, std::int32_t today)
{
    if (!row.evaluation)
        return std::nullopt;
    OpenError error{};
    const auto file = ReadOnlyFile::openLocal(row.localPath.constData(), error);
    if (!file)
        return std::nullopt;
    evaluator_.load(*file);
    const EvaluatedDays days = evaluator_.days();
    return ListedDays{days, exRightsDays(priceLimitOf(row.securityClass, BoardOf(row.market, row.code)), days, today)};
}

} // namespace verdaxil
