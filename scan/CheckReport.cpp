#include "scan/CheckReport.h"

#include "quotes/TradingDate.h"
#include "scan/SheetFiles.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace verdaxil {

namespace {

const ListCell kEmpty{CellKind::Fixed2, {}, {}};

// A share of the events in hundredths of a percent, truncated; none without events.
std::optional<std::int64_t> hundredths(std::int64_t part, std::int64_t events)
{
    return events > 0 ? std::optional(part * 10000 / events) : std::nullopt;
}

ListCell percentCell(std::optional<std::int64_t> value)
{
    return value ? fixedCell(*value, 2) : kEmpty;
}

ListCell integerCell(std::int64_t value)
{
    return {CellKind::Integer, static_cast<qint64>(value), QString::number(value)};
}

// 盈亏比: the mean win over the mean loss, two decimals, truncated; none unless both are
// there and the loss is one.
ListCell ratioCell(const CheckCounts& c)
{
    const auto win = c.winBp();
    const auto loss = c.lossBp();
    if (!win || !loss || *loss >= 0)
        return kEmpty;
    return fixedCell(*win * 100 / -*loss, 2);
}

// 胜率差: the kind's win rate less every day's, as both are shown.
ListCell winRateGap(const YearCounts& counts, CheckKind kind)
{
    const CheckCounts& all = countsOf(counts, CheckKind::All);
    const CheckCounts& c = countsOf(counts, kind);
    const auto rate = hundredths(c.wins, c.events);
    const auto base = hundredths(all.wins, all.events);
    return kind != CheckKind::All && rate && base ? fixedCell(*rate - *base, 2) : kEmpty;
}

QJsonValue optionalJson(std::optional<std::int64_t> value)
{
    return value ? QJsonValue(static_cast<qint64>(*value)) : QJsonValue(QJsonValue::Null);
}

QJsonValue day(std::optional<std::int32_t> date)
{
    return date ? QJsonValue(*date) : QJsonValue(QJsonValue::Null);
}

QJsonObject countsJson(const CheckCounts& counts)
{
    return {
        {QStringLiteral("events"), static_cast<qint64>(counts.events)},
        {QStringLiteral("wins"), static_cast<qint64>(counts.wins)},
        {QStringLiteral("hits5"), static_cast<qint64>(counts.hits5)},
        {QStringLiteral("hits10"), static_cast<qint64>(counts.hits10)},
        {QStringLiteral("mean_bp"), optionalJson(counts.meanBp())},
        {QStringLiteral("median_bp"), optionalJson(counts.medianBp())},
        {QStringLiteral("win_bp"), optionalJson(counts.winBp())},
        {QStringLiteral("loss_bp"), optionalJson(counts.lossBp())},
        {QStringLiteral("excluded"), static_cast<qint64>(counts.excluded)},
    };
}

QJsonObject kindsJson(const YearCounts& counts)
{
    QJsonObject kinds;
    for (const CheckKind kind : kCheckKinds)
        kinds.insert(checkKindKey(kind), countsJson(countsOf(counts, kind)));
    return kinds;
}

// Each horizon of the report with its totals, none where there were no events.
std::vector<std::pair<std::int64_t, YearCounts>> horizonCounts(const CheckReport& report)
{
    const auto counted = report.check.horizons(report.securityClass);
    std::vector<std::pair<std::int64_t, YearCounts>> horizons;
    for (const std::int64_t horizon : report.horizons()) {
        const auto found = counted.find(horizon);
        horizons.emplace_back(horizon, found == counted.end() ? YearCounts{} : found->second);
    }
    return horizons;
}

// The figures of one kind, as the files show them.
void addFigures(std::vector<ListCell>& line, const YearCounts& counts, CheckKind kind)
{
    const CheckCounts& c = countsOf(counts, kind);
    line.push_back(integerCell(c.events));
    line.push_back(percentCell(hundredths(c.wins, c.events)));
    line.push_back(percentCell(hundredths(c.hits5, c.events)));
    line.push_back(percentCell(hundredths(c.hits10, c.events)));
    line.push_back(percentCell(c.meanBp()));
    line.push_back(percentCell(c.medianBp()));
    line.push_back(percentCell(c.winBp()));
    line.push_back(percentCell(c.lossBp()));
    line.push_back(ratioCell(c));
    line.push_back(integerCell(c.excluded));
    line.push_back(winRateGap(counts, kind));
}

void addLines(std::vector<std::vector<ListCell>>& table, const QString& label, const YearCounts& counts)
{
    for (const CheckKind kind : kCheckKinds) {
        std::vector<ListCell>& line = table.emplace_back();
        line.push_back({CellKind::Text, label, label});
        line.push_back({CellKind::Text, checkKindName(kind), checkKindName(kind)});
        addFigures(line, counts, kind);
    }
}

QStringList figureTitles(const QString& first)
{
    return {first,
            QStringLiteral("类型"),
            QStringLiteral("样本数"),
            QStringLiteral("胜率%"),
            QStringLiteral("涨5%以上%"),
            QStringLiteral("涨10%以上%"),
            QStringLiteral("平均收益%"),
            QStringLiteral("中位收益%"),
            QStringLiteral("平均盈利%"),
            QStringLiteral("平均亏损%"),
            QStringLiteral("盈亏比"),
            QStringLiteral("除权剔除"),
            QStringLiteral("胜率差")};
}

// The window's figures of a kind, under the kind's name.
QStringList windowTitles(const QString& first)
{
    QStringList titles = {first};
    for (const CheckKind kind : kCheckKinds) {
        QStringList figures = {QStringLiteral("样本数"),    QStringLiteral("胜率%"),     QStringLiteral("涨10%以上%"),
                               QStringLiteral("平均收益%"), QStringLiteral("中位收益%"), QStringLiteral("盈亏比"),
                               QStringLiteral("除权剔除")};
        if (kind != CheckKind::All)
            figures.insert(2, QStringLiteral("胜率差"));
        for (const QString& figure : figures)
            titles.append(checkKindName(kind) + u'\n' + figure);
    }
    return titles;
}

std::vector<ListCell> windowLine(const QString& label, const YearCounts& counts)
{
    std::vector<ListCell> line = {{CellKind::Text, label, label}};
    for (const CheckKind kind : kCheckKinds) {
        const CheckCounts& c = countsOf(counts, kind);
        line.push_back(integerCell(c.events));
        line.push_back(percentCell(hundredths(c.wins, c.events)));
        if (kind != CheckKind::All)
            line.push_back(winRateGap(counts, kind));
        line.push_back(percentCell(hundredths(c.hits10, c.events)));
        line.push_back(percentCell(c.meanBp()));
        line.push_back(percentCell(c.medianBp()));
        line.push_back(ratioCell(c));
        line.push_back(integerCell(c.excluded));
    }
    return line;
}

QString horizonLabel(std::int64_t horizon)
{
    return QStringLiteral("%1 天").arg(horizon);
}

// The settings as the 参数 sheet lists them.
std::vector<std::vector<ListCell>> settingLines(const CheckReport& report)
{
    const auto text = [](const QString& value) { return ListCell{CellKind::Text, value, value}; };
    const auto dayText = [&](std::optional<std::int32_t> date) {
        return date ? text(dateText(*date)) : text(QStringLiteral("不限"));
    };
    QStringList horizons;
    for (const std::int64_t horizon : report.horizons())
        horizons.append(QString::number(horizon));
    return {
        {text(QStringLiteral("持有天数")), integerCell(report.horizon)},
        {text(QStringLiteral("合计的持有天数")), text(horizons.join(u','))},
        {text(QStringLiteral("手续费")), integerCell(report.fee)},
        {text(QStringLiteral("交易成本%")), fixedCell(report.costBp, 2)},
        {text(QStringLiteral("类别")), text(report.securityClass ? className(*report.securityClass) : QStringLiteral("全部"))},
        {text(QStringLiteral("起始日")), dayText(report.days.from)},
        {text(QStringLiteral("截止日")), dayText(report.days.to)},
        {text(QStringLiteral("数据日期")), dayText(report.dataDay)},
        {text(QStringLiteral("程序版本")), text(QCoreApplication::applicationVersion())},
    };
}

} // namespace

std::vector<std::int64_t> CheckReport::horizons() const
{
    return days.horizons.empty() ? defaultHorizons(horizon) : days.horizons;
}

QString checkKindName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::All: return QStringLiteral("全部交易日");
    case CheckKind::Selection: return QStringLiteral("选股点");
    case CheckKind::Recommended: return QStringLiteral("推荐日");
    }
    return {};
}

QString checkKindKey(CheckKind kind)
{
    switch (kind) {
    case CheckKind::All: return QStringLiteral("all");
    case CheckKind::Selection: return QStringLiteral("selection");
    case CheckKind::Recommended: return QStringLiteral("recommended");
    }
    return {};
}

QString checkYearLabel(int year, std::optional<std::int32_t> dataDay)
{
    if (!dataDay || dateParts(*dataDay).year != year)
        return QString::number(year);
    return QStringLiteral("%1（至%2-%3）")
        .arg(year)
        .arg(dateParts(*dataDay).month, 2, 10, QChar(u'0'))
        .arg(dateParts(*dataDay).day, 2, 10, QChar(u'0'));
}

QStringList checkTitles()
{
    return figureTitles(QStringLiteral("年份"));
}

std::vector<std::vector<ListCell>> checkTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    for (const auto& [year, counts] : report.check.years(report.securityClass))
        addLines(table, checkYearLabel(year, report.dataDay), counts);
    addLines(table, QStringLiteral("合计"), report.check.total(report.securityClass));
    return table;
}

QStringList checkHorizonTitles()
{
    return figureTitles(QStringLiteral("持有天数"));
}

std::vector<std::vector<ListCell>> checkHorizonTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    for (const auto& [horizon, counts] : horizonCounts(report))
        addLines(table, horizonLabel(horizon), counts);
    return table;
}

QStringList checkYearTitles()
{
    return windowTitles(QStringLiteral("年份"));
}

std::vector<std::vector<ListCell>> checkYearTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    for (const auto& [year, counts] : report.check.years(report.securityClass))
        table.push_back(windowLine(checkYearLabel(year, report.dataDay), counts));
    table.push_back(windowLine(QStringLiteral("合计"), report.check.total(report.securityClass)));
    return table;
}

QStringList checkHorizonYearTitles()
{
    return windowTitles(QStringLiteral("持有天数"));
}

std::vector<std::vector<ListCell>> checkHorizonYearTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    for (const auto& [horizon, counts] : horizonCounts(report))
        table.push_back(windowLine(horizonLabel(horizon), counts));
    return table;
}

QByteArray checkCsv(const CheckReport& report)
{
    // The second table's byte-order mark goes: it is one file.
    return csvTable(checkTitles(), checkTable(report)) + "\r\n"
        + csvTable(checkHorizonTitles(), checkHorizonTable(report)).mid(3);
}

QByteArray checkXlsx(const CheckReport& report)
{
    return xlsxSheets({{QStringLiteral("信号检验"), checkTitles(), checkTable(report)},
                       {QStringLiteral("持有天数"), checkHorizonTitles(), checkHorizonTable(report)},
                       {QStringLiteral("参数"), {QStringLiteral("参数"), QStringLiteral("值")}, settingLines(report)}});
}

QJsonObject checkJsonHead(const CheckReport& report)
{
    QJsonArray horizons;
    for (const std::int64_t horizon : report.horizons())
        horizons.append(static_cast<qint64>(horizon));
    return {
        {QStringLiteral("horizon"), static_cast<qint64>(report.horizon)},
        {QStringLiteral("horizons"), horizons},
        {QStringLiteral("fee"), static_cast<qint64>(report.fee)},
        {QStringLiteral("cost_bp"), static_cast<qint64>(report.costBp)},
        {QStringLiteral("class"), report.securityClass ? classKey(*report.securityClass) : QStringLiteral("all")},
        {QStringLiteral("from"), day(report.days.from)},
        {QStringLiteral("to"), day(report.days.to)},
        {QStringLiteral("data_day"), day(report.dataDay)},
        {QStringLiteral("scanned"), static_cast<qint64>(report.scanned)},
        {QStringLiteral("errors"), static_cast<qint64>(report.errors)},
    };
}

QJsonObject checkJson(const CheckReport& report)
{
    QJsonArray years;
    for (const auto& [year, counts] : report.check.years(report.securityClass)) {
        QJsonObject entry = kindsJson(counts);
        entry.insert(QStringLiteral("year"), year);
        entry.insert(QStringLiteral("partial"), report.dataDay && dateParts(*report.dataDay).year == year);
        years.append(entry);
    }
    QJsonObject total = kindsJson(report.check.total(report.securityClass));
    total.insert(QStringLiteral("year"), QJsonValue::Null);
    years.append(total);
    QJsonArray horizons;
    for (const auto& [horizon, counts] : horizonCounts(report)) {
        QJsonObject entry = kindsJson(counts);
        entry.insert(QStringLiteral("horizon"), static_cast<qint64>(horizon));
        horizons.append(entry);
    }
    QJsonObject json = checkJsonHead(report);
    json.insert(QStringLiteral("years"), years);
    json.insert(QStringLiteral("horizons"), horizons);
    return json;
}

} // namespace verdaxil
