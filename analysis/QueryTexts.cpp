#include "analysis/QueryTexts.h"

#include "runtime/IntegerText.h"

#include <optional>

namespace verdaxil {

namespace {

QString messageText(QueryMessage message)
{
    switch (message) {
    case QueryMessage::NotACode: return QStringLiteral("注意：您输入的不是股票代码请重新输入！！");
    case QueryMessage::Explanation: return placeholderText(QueryField::Message);
    case QueryMessage::NoDayFile: return QStringLiteral("注意：对应文件不存在，请检查系统状况是否稳定，然后重新再试！");
    }
    return {};
}

// A figure, or the field's placeholder where there is none: nothing of the previous
// security may stay next to the new code.
FieldText figure(QueryField field, std::optional<std::int64_t> value)
{
    return {field, value ? intToText(*value) : placeholderText(field)};
}

void addIndicators(const IndicatorSummary& summary, std::vector<FieldText>& texts)
{
    const DisplayedIndicators shown = displayed(summary);
    texts.push_back(figure(QueryField::High, shown.high));
    texts.push_back(figure(QueryField::Low, shown.low));
    texts.push_back(figure(QueryField::Date, shown.date));
    texts.push_back(figure(QueryField::Price, shown.price));
}

void addStats(const SelectionStats& stats, std::vector<FieldText>& texts)
{
    const DisplayedStats shown = displayed(stats);
    texts.push_back(figure(QueryField::MaxGain, shown.maxGain));
    texts.push_back(figure(QueryField::MaxGainPercent, shown.maxGainPercent));
    texts.push_back(figure(QueryField::Share5, shown.share5));
    texts.push_back(figure(QueryField::Share10, shown.share10));
    texts.push_back(figure(QueryField::Share50, shown.share50));
    texts.push_back(figure(QueryField::Share100, shown.share100));
    texts.push_back(figure(QueryField::ProfitShare, shown.profitShare));
    texts.push_back(figure(QueryField::Points, shown.points));
}

} // namespace

QString placeholderText(QueryField field)
{
    switch (field) {
    case QueryField::Message: return QStringLiteral("说明性信息！");
    case QueryField::Price: return QStringLiteral("当前股价");
    case QueryField::High: return QStringLiteral("历史最高股价");
    case QueryField::Low: return QStringLiteral("历史最低股价");
    case QueryField::MaxGain: return QStringLiteral("历史最大涨幅");
    case QueryField::MaxGainPercent: return QStringLiteral("历史最高上升比");
    case QueryField::Share5: return QStringLiteral("上涨5%的几率");
    case QueryField::Share10: return QStringLiteral("上涨10%以上的几率");
    case QueryField::Share50: return QStringLiteral("上涨50%以上的几率");
    case QueryField::Share100: return QStringLiteral("上涨100%以上的几率");
    case QueryField::ProfitShare: return QStringLiteral("上涨比例");
    case QueryField::Points: return QStringLiteral("选股点数");
    // Not the label's initial "当前日期": Clear names the recommendation date.
    case QueryField::Date: return QStringLiteral("当前荐股日期");
    }
    return {};
}

std::vector<FieldText> writtenTexts(const QueryFindings& found)
{
    std::vector<FieldText> texts;
    if (found.message == QueryMessage::NotACode) {
        for (const QueryField field : kQueryFields)
            texts.push_back({field, placeholderText(field)});
    }
    texts.push_back({QueryField::Message, messageText(found.message)});
    if (found.indicators)
        addIndicators(*found.indicators, texts);
    if (found.stats)
        addStats(*found.stats, texts);
    return texts;
}

} // namespace verdaxil
