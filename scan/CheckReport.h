#pragma once

#include "scan/ListColumns.h"
#include "scan/SignalCheck.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace verdaxil {

// The signal check of one class (or every class), as people and programs read it.
struct CheckReport {
    const SignalCheck& check;
    std::optional<SecurityClass> securityClass; // none: every class
    std::int64_t horizon = 30;
    std::int64_t fee = 6;
    CheckSettings days;
    std::size_t scanned = 0;
    std::size_t errors = 0; // files that could not be read, counted in nothing
};

// "全部交易日", "选股点", "推荐日".
QString checkKindName(CheckKind kind);

// The table's titles: 年份, 类型, 样本数, 胜率%, 涨5%以上%, 涨10%以上%, 平均收益%.
QStringList checkTitles();
// One line a year and kind, years ascending, then the totals (年份 合计); every
// percentage beside its sample size, two decimals, truncated; empty without events.
std::vector<std::vector<ListCell>> checkTable(const CheckReport& report);

// The same a year a line, as a window shows it: 年份, then for each kind 样本数, 胜率%,
// 涨10%以上% and 平均收益%, the kind's name above each on a line of its own.
QStringList checkYearTitles();
std::vector<std::vector<ListCell>> checkYearTable(const CheckReport& report);

QByteArray checkCsv(const CheckReport& report);
QByteArray checkXlsx(const CheckReport& report);
// {"horizon", "fee", "class", "from", "to", "scanned", "errors", "years": [...]}: a
// year's entry {"year", "all", "selection", "recommended"}, each kind
// {"events", "wins", "hits5", "hits10", "mean_bp"}; the totals last with year null.
QJsonObject checkJson(const CheckReport& report);

} // namespace verdaxil
