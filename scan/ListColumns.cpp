#include "scan/ListColumns.h"

#include "analysis/PriceUnit.h"
#include "quotes/TradingDate.h"
#include "runtime/IntegerText.h"

namespace verdaxil {

namespace {

QVariant number(std::optional<std::int64_t> value)
{
    return value ? QVariant(static_cast<qint64>(*value)) : QVariant();
}

QVariant stateText(const ScanRow& row)
{
    switch (row.state) {
    case RowState::Stale: return QStringLiteral("停牌/未更新");
    case RowState::ImplausibleDate: return QStringLiteral("日期异常");
    // Its averages span an ex-rights day: their crossings may be the split's.
    case RowState::Current: return row.exRightsDay ? QVariant(QStringLiteral("近期除权")) : QVariant();
    case RowState::NoDays: break;
    }
    return QVariant();
}

QVariant figure(const ScanRow& row, ListColumn column)
{
    if (!row.evaluation)
        return {};
    const DisplayedIndicators indicators = displayed(row.evaluation->indicators);
    const DisplayedStats stats = displayed(row.evaluation->stats);
    switch (column) {
    case ListColumn::Date: return number(indicators.date);
    case ListColumn::Price: return number(indicators.price);
    case ListColumn::Recommended: return indicators.recommended ? QVariant(*indicators.recommended) : QVariant();
    case ListColumn::Points: return number(stats.points);
    case ListColumn::ProfitShare: return number(stats.profitShare);
    case ListColumn::Share5: return number(stats.share5);
    case ListColumn::Share10: return number(stats.share10);
    case ListColumn::Share50: return number(stats.share50);
    case ListColumn::Share100: return number(stats.share100);
    case ListColumn::MaxGain: return number(stats.maxGain);
    case ListColumn::MaxGainPercent: return number(stats.maxGainPercent);
    case ListColumn::High: return number(indicators.high);
    case ListColumn::Low: return number(indicators.low);
    default: return {};
    }
}

// The price in the file's own unit, thousandths of a yuan, for a price column.
std::optional<std::int64_t> filePrice(const ScanRow& row, ListColumn column)
{
    if (!row.evaluation)
        return std::nullopt;
    const IndicatorSummary& indicators = row.evaluation->indicators;
    switch (column) {
    case ListColumn::Price: return indicators.latest ? std::optional<std::int64_t>(indicators.latest->close) : std::nullopt;
    case ListColumn::MaxGain: return row.evaluation->stats.MaxGain;
    case ListColumn::High: return indicators.high;
    case ListColumn::Low: return indicators.low;
    default: return std::nullopt;
    }
}

// "8.11", "-0.05": a whole number of hundredths or thousandths, exactly.
QString fixedPoint(std::int64_t scaled, int decimals)
{
    const std::int64_t unit = decimals == 3 ? 1000 : 100;
    const std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
    return QStringLiteral("%1%2.%3")
        .arg(scaled < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / static_cast<std::uint64_t>(unit))
        .arg(magnitude % static_cast<std::uint64_t>(unit), decimals, 10, QChar(u'0'));
}

ListCell priceCell(const ScanRow& row, ListColumn column)
{
    const auto price = filePrice(row, column);
    return price ? filePriceCell(row, *price) : ListCell{CellKind::Fixed2, {}, {}};
}

} // namespace

QString columnTitle(ListColumn column)
{
    switch (column) {
    case ListColumn::Date: return QStringLiteral("日期");
    case ListColumn::Price: return QStringLiteral("现价");
    case ListColumn::Recommended: return QStringLiteral("推荐");
    case ListColumn::ProfitShare: return QStringLiteral("上涨率");
    case ListColumn::Share5: return QStringLiteral("≥5%");
    case ListColumn::Share10: return QStringLiteral("≥10%");
    case ListColumn::Share50: return QStringLiteral("≥50%");
    case ListColumn::Share100: return QStringLiteral("≥100%");
    case ListColumn::MaxGain: return QStringLiteral("最大涨幅");
    case ListColumn::MaxGainPercent: return QStringLiteral("上升比");
    case ListColumn::Since: return QStringLiteral("至今%");
    case ListColumn::High: return QStringLiteral("最高");
    case ListColumn::Low: return QStringLiteral("最低");
    default: return columnLongTitle(column, 0);
    }
}

QString columnLongTitle(ListColumn column, std::int64_t horizon)
{
    switch (column) {
    case ListColumn::Market: return QStringLiteral("市场");
    case ListColumn::Code: return QStringLiteral("代码");
    case ListColumn::Name: return QStringLiteral("名称");
    case ListColumn::New: return QStringLiteral("新");
    case ListColumn::Class: return QStringLiteral("类别");
    case ListColumn::Board: return QStringLiteral("板块");
    case ListColumn::Date: return QStringLiteral("最新日期");
    case ListColumn::Status: return QStringLiteral("状态");
    case ListColumn::Price: return QStringLiteral("现价(元)");
    case ListColumn::Since: return QStringLiteral("至今涨幅%");
    case ListColumn::Recommended: return QStringLiteral("是否推荐");
    case ListColumn::Points: return QStringLiteral("选股点");
    case ListColumn::ProfitShare: return intToText(horizon) + QStringLiteral("日内上涨几率%");
    case ListColumn::Share5: return QStringLiteral("5%以上几率%");
    case ListColumn::Share10: return QStringLiteral("10%以上几率%");
    case ListColumn::Share50: return QStringLiteral("50%以上几率%");
    case ListColumn::Share100: return QStringLiteral("100%以上几率%");
    case ListColumn::MaxGain: return intToText(horizon) + QStringLiteral("日内最大涨幅(元)");
    case ListColumn::MaxGainPercent: return QStringLiteral("历史最高上升比%");
    case ListColumn::High: return QStringLiteral("历史最高价(元)");
    case ListColumn::Low: return QStringLiteral("历史最低价(元)");
    case ListColumn::Error: return QStringLiteral("错误");
    }
    return {};
}

QString columnKey(ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return QStringLiteral("market");
    case ListColumn::Code: return QStringLiteral("code");
    case ListColumn::Name: return QStringLiteral("name");
    case ListColumn::New: return QStringLiteral("new");
    case ListColumn::Class: return QStringLiteral("class");
    case ListColumn::Board: return QStringLiteral("board");
    case ListColumn::Date: return QStringLiteral("date");
    case ListColumn::Status: return QStringLiteral("status");
    case ListColumn::Price: return QStringLiteral("price");
    case ListColumn::Since: return QStringLiteral("since_bp");
    case ListColumn::Recommended: return QStringLiteral("recommended");
    case ListColumn::Points: return QStringLiteral("points");
    case ListColumn::ProfitShare: return QStringLiteral("profit_share");
    case ListColumn::Share5: return QStringLiteral("share5");
    case ListColumn::Share10: return QStringLiteral("share10");
    case ListColumn::Share50: return QStringLiteral("share50");
    case ListColumn::Share100: return QStringLiteral("share100");
    case ListColumn::MaxGain: return QStringLiteral("max_gain");
    case ListColumn::MaxGainPercent: return QStringLiteral("max_gain_percent");
    case ListColumn::High: return QStringLiteral("high");
    case ListColumn::Low: return QStringLiteral("low");
    case ListColumn::Error: return QStringLiteral("error");
    }
    return {};
}

QVariant columnValue(const ScanRow& row, ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return marketKey(row.market);
    case ListColumn::Code: return row.code;
    case ListColumn::Name: return row.name.isEmpty() ? QVariant() : QVariant(row.name);
    case ListColumn::Class: return classKey(row.securityClass);
    case ListColumn::Board: {
        const QString key = boardKey(BoardOf(row.market, row.code));
        return key.isEmpty() ? QVariant() : QVariant(key);
    }
    case ListColumn::Status: return stateText(row);
    case ListColumn::New: return row.isNew ? QVariant(*row.isNew) : QVariant();
    case ListColumn::Since: return number(row.sinceBp);
    case ListColumn::Error: return row.evaluation ? QVariant() : QVariant(row.error);
    default: return figure(row, column);
    }
}

ListCell listCell(const ScanRow& row, ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return {CellKind::Text, marketName(row.market), marketName(row.market)};
    case ListColumn::Class: return {CellKind::Text, className(row.securityClass), className(row.securityClass)};
    case ListColumn::Board: {
        const QString name = boardName(BoardOf(row.market, row.code));
        return {CellKind::Text, name.isEmpty() ? QVariant() : QVariant(name), name};
    }
    case ListColumn::Date: {
        const QVariant date = columnValue(row, column);
        return {CellKind::Date, date, date.isNull() ? QString() : dateText(static_cast<std::int32_t>(date.toLongLong()))};
    }
    case ListColumn::Recommended: {
        const QVariant value = columnValue(row, column);
        const QString text = value.isNull() ? QString() : value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
        return {CellKind::Text, text.isEmpty() ? QVariant() : QVariant(text), text};
    }
    case ListColumn::New: {
        const QString text = row.isNew == true ? QStringLiteral("新") : QString();
        return {CellKind::Text, text.isEmpty() ? QVariant() : QVariant(text), text};
    }
    case ListColumn::Since: return row.sinceBp ? fixedCell(*row.sinceBp, 2) : ListCell{CellKind::Fixed2, {}, {}};
    case ListColumn::Price:
    case ListColumn::MaxGain:
    case ListColumn::High:
    case ListColumn::Low: return priceCell(row, column);
    default: break;
    }
    const QVariant value = columnValue(row, column);
    const bool isNumber = value.typeId() == QMetaType::LongLong;
    return {isNumber ? CellKind::Integer : CellKind::Text, value, value.toString()};
}

ListCell fixedCell(std::int64_t scaled, int decimals)
{
    return {decimals == 3 ? CellKind::Fixed3 : CellKind::Fixed2, static_cast<double>(scaled) / (decimals == 3 ? 1000.0 : 100.0),
            fixedPoint(scaled, decimals)};
}

ListCell filePriceCell(const ScanRow& row, std::int64_t price)
{
    const int decimals = hasThreeDecimalPrices(row) ? 3 : 2;
    return fixedCell(scaledFilePrice(price, decimals), decimals);
}

bool hasThreeDecimalPrices(const ScanRow& row)
{
    return row.securityClass == SecurityClass::Fund || row.securityClass == SecurityClass::Bond
        || (row.securityClass == SecurityClass::BShare && row.market == Market::Shanghai);
}

} // namespace verdaxil
