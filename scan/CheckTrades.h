#pragma once

#include "scan/CheckReport.h"
#include "scan/ScanRow.h"

#include <QByteArray>
#include <QJsonObject>

#include <span>

namespace verdaxil {

// Every trade behind the report's figures of the kinds Selection and Recommended, left-out
// ones marked, to verify them: those of the report's class, a line each.
struct TradeList {
    const CheckReport& report;
    std::span<const CheckTrade> trades; // as the scan gives them: by row
    std::span<const ScanRow> rows;      // the scan's
};

// 市场, 代码, 名称, 类型, 信号日, 买入日, 卖出日, 买入价, 卖出价, 收益%, 除权剔除; prices in
// 元 to the list's decimals.
QStringList tradeTitles();
std::vector<std::vector<ListCell>> tradeTable(const TradeList& list);
QByteArray tradesCsv(const TradeList& list);
QByteArray tradesXlsx(const TradeList& list);
// The report's head and "trades": [{"market", "code", "name", "kind", "day",
// "entry_day", "exit_day", "entry", "exit", "return_bp", "excluded"}], prices in the
// file's unit.
QJsonObject tradesJson(const TradeList& list);

// 信号明细YYYYMMDD with the extension.
QString tradesFileName(std::int32_t day, const QString& extension);

} // namespace verdaxil
