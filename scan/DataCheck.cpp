#include "scan/DataCheck.h"

#include "quotes/TradingDate.h"

namespace verdaxil {

bool looksUnfinished(const ScanResult& result)
{
    return result.listDay && result.previousDay && result.tradedBothDays * 2 < result.tradedDayBefore;
}

QStringList DataCheckWarnings(const ScanResult& result, std::int32_t today)
{
    QStringList warnings;
    if (const auto old = oldDataWarning(result.latestDay, today))
        warnings.append(*old);
    if (looksUnfinished(result))
        warnings.append(QStringLiteral("只有 %1/%2 个证券有 %3 的日线，数据可能未下载完")
                            .arg(result.tradedBothDays)
                            .arg(result.tradedDayBefore)
                            .arg(dateText(*result.listDay)));
    return warnings;
}

} // namespace verdaxil
