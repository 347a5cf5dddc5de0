#pragma once

#include "analysis/BackTestDefaults.h"
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
    std::int64_t horizon = kDefaultHorizon;
    std::int64_t fee = kDefaultFee;
    CheckSettings days; // the days checked and the horizons in total
    std::size_t scanned = 0;
    std::size_t errors = 0; // files that could not be read, counted in nothing
    std::int64_t costBp = 15;
    std::optional<std::int32_t> dataDay; // the market's latest day: its year is not over

    // The horizons in total: the settings', or the default ones.
    std::vector<std::int64_t> horizons() const;
};

// "全部交易日", "选股点", "推荐日".
QString checkKindName(CheckKind kind);
// "all", "selection", "recommended": the kind's key in JSON.
QString checkKindKey(CheckKind kind);

// A year as people read it: "2025（至07-01）" for the year of the market's latest day.
QString checkYearLabel(int year, std::optional<std::int32_t> dataDay);

// The table's titles: 年份, 类型, 样本数, 胜率%, 涨5%以上%, 涨10%以上%, 平均收益%,
// 中位收益%, 平均盈利%, 平均亏损%, 盈亏比, 除权剔除, 胜率差.
QStringList checkTitles();
// One line a year and kind, years ascending, then the totals (年份 合计); every
// percentage beside its sample size, two decimals, truncated; empty without events.
// 胜率差 is a kind's win rate less that of every day of the year, for the kinds
// Selection and Recommended.
std::vector<std::vector<ListCell>> checkTable(const CheckReport& report);
// The same by horizon in total, the first title 持有天数.
QStringList checkHorizonTitles();
std::vector<std::vector<ListCell>> checkHorizonTable(const CheckReport& report);

// The same a year a line, as a window shows it: 年份, then for each kind 样本数, 胜率%,
// (胜率差,) 涨10%以上%, 平均收益%, 中位收益%, 盈亏比 and 除权剔除, the kind's name
// above each on a line of its own.
QStringList checkYearTitles();
std::vector<std::vector<ListCell>> checkYearTable(const CheckReport& report);
// And a horizon a line, 持有天数 first.
QStringList checkHorizonYearTitles();
std::vector<std::vector<ListCell>> checkHorizonYearTable(const CheckReport& report);

// The year table, a blank line, the horizon table.
QByteArray checkCsv(const CheckReport& report);
// Sheets 信号检验 (years), 持有天数 (horizons) and 参数 (the settings, the data's day
// and the program's version).
QByteArray checkXlsx(const CheckReport& report);
// The report's settings: {"horizon", "horizons", "fee", "cost_bp", "class", "from",
// "to", "data_day", "scanned", "errors"}.
QJsonObject checkJsonHead(const CheckReport& report);
// The head and "years": [...]: a year's entry {"year", "partial", "all", "selection",
// "recommended"}, each kind {"events", "wins", "hits5", "hits10", "mean_bp",
// "median_bp", "win_bp", "loss_bp", "excluded"}; the totals last with year null and no
// "partial"; "horizons": [{"horizon", "all", "selection", "recommended"}, ...].
QJsonObject checkJson(const CheckReport& report);

} // namespace verdaxil
