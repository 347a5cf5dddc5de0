#include "scan/CheckReport.h"

#include "scan/SheetFiles.h"

#include <QJsonArray>

namespace verdaxil {

namespace {

// A share of the events in percent, two decimals, truncated: hundredths of a percent.
ListCell share(std::int64_t part, std::int64_t events)
{
    return events > 0 ? fixedCell(part * 10000 / events, 2) : ListCell{CellKind::Fixed2, {}, {}};
}

QJsonValue day(std::optional<std::int32_t> date)
{
    return date ? QJsonValue(*date) : QJsonValue(QJsonValue::Null);
}

QJsonObject countsJson(const CheckCounts& counts)
{
    const auto mean = counts.meanBp();
    return {
        {QStringLiteral("events"), static_cast<qint64>(counts.events)},
        {QStringLiteral("wins"), static_cast<qint64>(counts.wins)},
        {QStringLiteral("hits5"), static_cast<qint64>(counts.hits5)},
        {QStringLiteral("hits10"), static_cast<qint64>(counts.hits10)},
        {QStringLiteral("mean_bp"), mean ? QJsonValue(static_cast<qint64>(*mean)) : QJsonValue(QJsonValue::Null)},
    };
}

QJsonObject yearJson(QJsonValue year, const YearCounts& counts)
{
    return {
        {QStringLiteral("year"), year},
        {QStringLiteral("all"), countsJson(counts[static_cast<std::size_t>(CheckKind::All)])},
        {QStringLiteral("selection"), countsJson(counts[static_cast<std::size_t>(CheckKind::Selection)])},
        {QStringLiteral("recommended"), countsJson(counts[static_cast<std::size_t>(CheckKind::Recommended)])},
    };
}

void addLines(std::vector<std::vector<ListCell>>& table, const QString& year, const YearCounts& counts)
{
    for (const CheckKind kind : kCheckKinds) {
        const CheckCounts& c = counts[static_cast<std::size_t>(kind)];
        const auto mean = c.meanBp();
        table.push_back({
            {CellKind::Text, year, year},
            {CellKind::Text, checkKindName(kind), checkKindName(kind)},
            {CellKind::Integer, static_cast<qint64>(c.events), QString::number(c.events)},
            share(c.wins, c.events),
            share(c.hits5, c.events),
            share(c.hits10, c.events),
            mean ? fixedCell(*mean, 2) : ListCell{CellKind::Fixed2, {}, {}},
        });
    }
}

} // namespace

QString checkKindName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::All: return QStringLiteral("全部交易日");
    case CheckKind::Selection: return QStringLiteral("选股点");
    case CheckKind::Recommended: return QStringLiteral("推荐日");
    }
    return {};
}

QStringList checkTitles()
{
    return {QStringLiteral("年份"),      QStringLiteral("类型"),       QStringLiteral("样本数"),   QStringLiteral("胜率%"),
            QStringLiteral("涨5%以上%"), QStringLiteral("涨10%以上%"), QStringLiteral("平均收益%")};
}

std::vector<std::vector<ListCell>> checkTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    for (const auto& [year, counts] : report.check.years(report.securityClass))
        addLines(table, QString::number(year), counts);
    addLines(table, QStringLiteral("合计"), report.check.total(report.securityClass));
    return table;
}

QStringList checkYearTitles()
{
    QStringList titles = {QStringLiteral("年份")};
    for (const CheckKind kind : kCheckKinds) {
        for (const QString& figure :
             {QStringLiteral("样本数"), QStringLiteral("胜率%"), QStringLiteral("涨10%以上%"), QStringLiteral("平均收益%")})
            titles.append(checkKindName(kind) + u'\n' + figure);
    }
    return titles;
}

std::vector<std::vector<ListCell>> checkYearTable(const CheckReport& report)
{
    std::vector<std::vector<ListCell>> table;
    const auto addYear = [&](const QString& year, const YearCounts& counts) {
        std::vector<ListCell>& line = table.emplace_back();
        line.push_back({CellKind::Text, year, year});
        for (const CheckKind kind : kCheckKinds) {
            const CheckCounts& c = counts[static_cast<std::size_t>(kind)];
            const auto mean = c.meanBp();
            line.push_back({CellKind::Integer, static_cast<qint64>(c.events), QString::number(c.events)});
            line.push_back(share(c.wins, c.events));
            line.push_back(share(c.hits10, c.events));
            line.push_back(mean ? fixedCell(*mean, 2) : ListCell{CellKind::Fixed2, {}, {}});
        }
    };
    for (const auto& [year, counts] : report.check.years(report.securityClass))
        addYear(QString::number(year), counts);
    addYear(QStringLiteral("合计"), report.check.total(report.securityClass));
    return table;
}

QByteArray checkCsv(const CheckReport& report)
{
    return csvTable(checkTitles(), checkTable(report));
}

QByteArray checkXlsx(const CheckReport& report)
{
    return xlsxTable(QStringLiteral("信号检验"), checkTitles(), checkTable(report));
}

QJsonObject checkJson(const CheckReport& report)
{
    QJsonArray years;
    for (const auto& [year, counts] : report.check.years(report.securityClass))
        years.append(yearJson(year, counts));
    years.append(yearJson(QJsonValue::Null, report.check.total(report.securityClass)));
    return {
        {QStringLiteral("horizon"), static_cast<qint64>(report.horizon)},
        {QStringLiteral("fee"), static_cast<qint64>(report.fee)},
        {QStringLiteral("class"), report.securityClass ? classKey(*report.securityClass) : QStringLiteral("all")},
        {QStringLiteral("from"), day(report.days.from)},
        {QStringLiteral("to"), day(report.days.to)},
        {QStringLiteral("scanned"), static_cast<qint64>(report.scanned)},
        {QStringLiteral("errors"), static_cast<qint64>(report.errors)},
        {QStringLiteral("years"), years},
    };
}

} // namespace verdaxil
