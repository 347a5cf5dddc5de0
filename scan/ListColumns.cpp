#include "scan/ListColumns.h"

#include "runtime/IntegerText.h"

namespace verdaxil {

namespace {

QVariant number(std::optional<std::int64_t> value)
{
    return value ? QVariant(static_cast<qint64>(*value)) : QVariant();
}

QVariant stateText(RowState state)
{
    switch (state) {
    case RowState::Stale: return QStringLiteral("停牌/未更新");
    case RowState::ImplausibleDate: return QStringLiteral("日期异常");
    case RowState::Current:
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

} // namespace

QString columnTitle(ListColumn column, std::int64_t horizon)
{
    switch (column) {
    case ListColumn::Market: return QStringLiteral("市场");
    case ListColumn::Code: return QStringLiteral("代码");
    case ListColumn::Class: return QStringLiteral("类别");
    case ListColumn::Date: return QStringLiteral("日期");
    case ListColumn::Status: return QStringLiteral("状态");
    case ListColumn::Price: return QStringLiteral("现价(分)");
    case ListColumn::Recommended: return QStringLiteral("推荐");
    case ListColumn::Points: return QStringLiteral("选股点");
    case ListColumn::ProfitShare: return intToText(horizon) + QStringLiteral("日内上涨几率%");
    case ListColumn::Share5: return QStringLiteral("5%以上几率");
    case ListColumn::Share10: return QStringLiteral("10%以上几率");
    case ListColumn::Share50: return QStringLiteral("50%以上几率");
    case ListColumn::Share100: return QStringLiteral("100%以上几率");
    case ListColumn::MaxGain: return QStringLiteral("最大涨幅(分)");
    case ListColumn::MaxGainPercent: return QStringLiteral("最高上升比%");
    case ListColumn::High: return QStringLiteral("历史最高(分)");
    case ListColumn::Low: return QStringLiteral("历史最低(分)");
    case ListColumn::Error: return QStringLiteral("错误");
    }
    return {};
}

QString columnKey(ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return QStringLiteral("market");
    case ListColumn::Code: return QStringLiteral("code");
    case ListColumn::Class: return QStringLiteral("class");
    case ListColumn::Date: return QStringLiteral("date");
    case ListColumn::Status: return QStringLiteral("status");
    case ListColumn::Price: return QStringLiteral("price");
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
    case ListColumn::Class: return classKey(row.securityClass);
    case ListColumn::Error: return row.evaluation ? QVariant() : QVariant(row.error);
    case ListColumn::Status: return stateText(row.state);
    default: return figure(row, column);
    }
}

QString columnText(const ScanRow& row, ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return marketName(row.market);
    case ListColumn::Class: return className(row.securityClass);
    case ListColumn::Recommended: {
        const QVariant value = columnValue(row, column);
        return value.isNull() ? QString() : value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    }
    default: return columnValue(row, column).toString();
    }
}

} // namespace verdaxil
