#include "scan/CheckTrades.h"

#include "quotes/TradingDate.h"
#include "scan/SheetFiles.h"

#include <QJsonArray>

namespace verdaxil {

namespace {

// Calls `each` with the trades of the report's class and their rows.
template <typename Each>
void forEachTrade(const TradeList& list, Each each)
{
    for (const CheckTrade& trade : list.trades) {
        const ScanRow& row = list.rows[trade.row];
        if (!list.report.securityClass || row.securityClass == *list.report.securityClass)
            each(trade, row);
    }
}

ListCell textCell(const QString& text)
{
    return {CellKind::Text, text.isEmpty() ? QVariant() : QVariant(text), text};
}

ListCell dateCell(std::int32_t date)
{
    return {CellKind::Date, date, dateText(date)};
}

} // namespace

QStringList tradeTitles()
{
    return {QStringLiteral("市场"),   QStringLiteral("代码"),   QStringLiteral("名称"),    QStringLiteral("类型"),
            QStringLiteral("信号日"), QStringLiteral("买入日"), QStringLiteral("卖出日"),  QStringLiteral("买入价"),
            QStringLiteral("卖出价"), QStringLiteral("收益%"),  QStringLiteral("除权剔除")};
}

std::vector<std::vector<ListCell>> tradeTable(const TradeList& list)
{
    std::vector<std::vector<ListCell>> table;
    forEachTrade(list, [&](const CheckTrade& trade, const ScanRow& row) {
        table.push_back({textCell(marketName(row.market)), textCell(row.code), textCell(row.name),
                         textCell(checkKindName(trade.kind)), dateCell(trade.day), dateCell(trade.entryDay),
                         dateCell(trade.exitDay), filePriceCell(row, trade.entry), filePriceCell(row, trade.exit),
                         fixedCell(trade.returnBp, 2), textCell(trade.excluded ? QStringLiteral("是") : QStringLiteral("否"))});
    });
    return table;
}

QByteArray tradesCsv(const TradeList& list)
{
    return csvTable(tradeTitles(), tradeTable(list));
}

QByteArray tradesXlsx(const TradeList& list)
{
    return xlsxTable(QStringLiteral("信号明细"), tradeTitles(), tradeTable(list));
}

QJsonObject tradesJson(const TradeList& list)
{
    QJsonArray trades;
    forEachTrade(list, [&](const CheckTrade& trade, const ScanRow& row) {
        trades.append(QJsonObject{
            {QStringLiteral("market"), marketKey(row.market)},
            {QStringLiteral("code"), row.code},
            {QStringLiteral("name"), row.name.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(row.name)},
            {QStringLiteral("kind"), checkKindKey(trade.kind)},
            {QStringLiteral("day"), trade.day},
            {QStringLiteral("entry_day"), trade.entryDay},
            {QStringLiteral("exit_day"), trade.exitDay},
            {QStringLiteral("entry"), trade.entry},
            {QStringLiteral("exit"), trade.exit},
            {QStringLiteral("return_bp"), static_cast<qint64>(trade.returnBp)},
            {QStringLiteral("excluded"), trade.excluded},
        });
    });
    QJsonObject json = checkJsonHead(list.report);
    json.insert(QStringLiteral("trades"), trades);
    return json;
}

QString tradesFileName(std::int32_t day, const QString& extension)
{
    return QStringLiteral("信号明细%1%2").arg(day).arg(extension);
}

} // namespace verdaxil
