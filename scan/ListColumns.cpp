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

// A figure of the main window's result boxes for the row's security: prices in 分, dates
// as YYYYMMDD; null without an evaluation.
template <typename Field>
QVariant indicator(const ScanRow& row, Field DisplayedIndicators::*field)
{
    return row.evaluation ? number(displayed(row.evaluation->indicators).*field) : QVariant();
}

template <typename Field>
QVariant statistic(const ScanRow& row, Field DisplayedStats::*field)
{
    return row.evaluation ? number(displayed(row.evaluation->stats).*field) : QVariant();
}

QVariant recommended(const ScanRow& row)
{
    const auto value = row.evaluation ? displayed(row.evaluation->indicators).recommended : std::nullopt;
    return value ? QVariant(*value) : QVariant();
}

// The row's prices in the file's own unit, thousandths of a yuan; none without an
// evaluation.
struct FilePrices {
    std::optional<std::int64_t> close;
    std::optional<std::int64_t> maxGain;
    std::optional<std::int64_t> high;
    std::optional<std::int64_t> low;
};

FilePrices filePrices(const ScanRow& row)
{
    if (!row.evaluation)
        return {};
    const IndicatorSummary& indicators = row.evaluation->indicators;
    return {indicators.latest ? std::optional<std::int64_t>(indicators.latest->close) : std::nullopt,
            row.evaluation->stats.MaxGain, indicators.high, indicators.low};
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

ListCell priceCell(const ScanRow& row, std::optional<std::int64_t> price)
{
    return price ? filePriceCell(row, *price) : ListCell{CellKind::Fixed2, {}, {}};
}

// A cell that shows its value as it is.
ListCell plainCell(const QVariant& value)
{
    const bool isNumber = value.typeId() == QMetaType::LongLong;
    return {isNumber ? CellKind::Integer : CellKind::Text, value, value.toString()};
}

QString text(std::u16string_view view)
{
    return QStringView(view.data(), static_cast<qsizetype>(view.size())).toString();
}

} // namespace

QString columnTitle(ListColumn column)
{
    return text(columnFacts(column).title);
}

QString columnLongTitle(ListColumn column, std::int64_t horizon)
{
    const ColumnFacts facts = columnFacts(column);
    return facts.namesHorizon ? intToText(horizon) + text(facts.longTitle) : text(facts.longTitle);
}

QString columnKey(ListColumn column)
{
    return text(columnFacts(column).key);
}

QVariant columnValue(const ScanRow& row, ListColumn column)
{
    switch (column) {
    case ListColumn::Market: return marketKey(row.market);
    case ListColumn::Code: return row.code;
    case ListColumn::Name: return row.name.isEmpty() ? QVariant() : QVariant(row.name);
    case ListColumn::New: return row.isNew ? QVariant(*row.isNew) : QVariant();
    case ListColumn::Class: return classKey(row.securityClass);
    case ListColumn::Board: {
        const QString key = boardKey(BoardOf(row.market, row.code));
        return key.isEmpty() ? QVariant() : QVariant(key);
    }
    case ListColumn::Date: return indicator(row, &DisplayedIndicators::date);
    case ListColumn::Status: return stateText(row);
    case ListColumn::Price: return indicator(row, &DisplayedIndicators::price);
    case ListColumn::Since: return number(row.sinceBp);
    case ListColumn::Recommended: return recommended(row);
    case ListColumn::Points: return statistic(row, &DisplayedStats::points);
    case ListColumn::ProfitShare: return statistic(row, &DisplayedStats::profitShare);
    case ListColumn::Share5: return statistic(row, &DisplayedStats::share5);
    case ListColumn::Share10: return statistic(row, &DisplayedStats::share10);
    case ListColumn::Share50: return statistic(row, &DisplayedStats::share50);
    case ListColumn::Share100: return statistic(row, &DisplayedStats::share100);
    case ListColumn::MaxGain: return statistic(row, &DisplayedStats::maxGain);
    case ListColumn::MaxGainPercent: return statistic(row, &DisplayedStats::maxGainPercent);
    case ListColumn::High: return indicator(row, &DisplayedIndicators::high);
    case ListColumn::Low: return indicator(row, &DisplayedIndicators::low);
    case ListColumn::Error: return row.evaluation ? QVariant() : QVariant(row.error);
    }
    return {};
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
    case ListColumn::Price: return priceCell(row, filePrices(row).close);
    case ListColumn::MaxGain: return priceCell(row, filePrices(row).maxGain);
    case ListColumn::High: return priceCell(row, filePrices(row).high);
    case ListColumn::Low: return priceCell(row, filePrices(row).low);
    case ListColumn::Code:
    case ListColumn::Name:
    case ListColumn::Status:
    case ListColumn::Points:
    case ListColumn::ProfitShare:
    case ListColumn::Share5:
    case ListColumn::Share10:
    case ListColumn::Share50:
    case ListColumn::Share100:
    case ListColumn::MaxGainPercent:
    case ListColumn::Error: return plainCell(columnValue(row, column));
    }
    return {};
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
