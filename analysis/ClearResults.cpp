#include "analysis/ClearResults.h"

namespace verdaxil {

void clearResults(QueryWindow& window)
{
    static constexpr Control clearedInOrder[] = {
        Control::stockprice,           Control::EdtHHigh, Control::EdtLowest, Control::MemMsg, Control::HighestPriceinDate,
        Control::EdtRiseRateinHistory, Control::Edt5P,    Control::Edt10P,    Control::Edt50P, Control::Edt100P,
        Control::EdtRiseRateinDate,    Control::EdtSNum,  Control::LblCDate,
    };
    for (Control control : clearedInOrder)
        window.setText(control, placeholderText(control));
    resetRecommendation(window);
}

QString placeholderText(Control control)
{
    switch (control) {
    case Control::stockprice: return QStringLiteral("当前股价");
    case Control::EdtHHigh: return QStringLiteral("历史最高股价");
    case Control::EdtLowest: return QStringLiteral("历史最低股价");
    case Control::MemMsg: return QStringLiteral("说明性信息！");
    case Control::HighestPriceinDate: return QStringLiteral("历史最大涨幅");
    case Control::EdtRiseRateinHistory: return QStringLiteral("历史最高上升比");
    case Control::Edt5P: return QStringLiteral("上涨5%的几率");
    case Control::Edt10P: return QStringLiteral("上涨10%以上的几率");
    case Control::Edt50P: return QStringLiteral("上涨50%以上的几率");
    case Control::Edt100P: return QStringLiteral("上涨100%以上的几率");
    case Control::EdtRiseRateinDate: return QStringLiteral("上涨比例");
    case Control::EdtSNum: return QStringLiteral("选股点数");
    // Not the label's initial "当前日期": Clear names the recommendation date.
    case Control::LblCDate: return QStringLiteral("当前荐股日期");
    default: return {};
    }
}

void resetRecommendation(QueryWindow& window)
{
    window.setRadio(Control::RBtnYes, {});
    window.setRadio(Control::RBtnNo, {});
}

} // namespace verdaxil
