#include "app/QueryWindow.h"

namespace verdaxil {

const char* controlName(Control control)
{
    switch (control) {
    case Control::stockcode: return "stockcode";
    case Control::EdtYYY: return "EdtYYY";
    case Control::EdtFee: return "EdtFee";
    case Control::EdtDate: return "EdtDate";
    case Control::MemMsg: return "MemMsg";
    case Control::stockprice: return "stockprice";
    case Control::EdtHHigh: return "EdtHHigh";
    case Control::EdtLowest: return "EdtLowest";
    case Control::LblCDate: return "LblCDate";
    case Control::HighestPriceinDate: return "HighestPriceinDate";
    case Control::EdtRiseRateinHistory: return "EdtRiseRateinHistory";
    case Control::Edt5P: return "Edt5P";
    case Control::Edt10P: return "Edt10P";
    case Control::Edt50P: return "Edt50P";
    case Control::Edt100P: return "Edt100P";
    case Control::EdtRiseRateinDate: return "EdtRiseRateinDate";
    case Control::EdtSNum: return "EdtSNum";
    case Control::RBtnYes: return "RBtnYes";
    case Control::RBtnNo: return "RBtnNo";
    }
    return "";
}

Control controlOf(QueryField field)
{
    switch (field) {
    case QueryField::Message: return Control::MemMsg;
    case QueryField::Price: return Control::stockprice;
    case QueryField::High: return Control::EdtHHigh;
    case QueryField::Low: return Control::EdtLowest;
    case QueryField::MaxGain: return Control::HighestPriceinDate;
    case QueryField::MaxGainPercent: return Control::EdtRiseRateinHistory;
    case QueryField::Share5: return Control::Edt5P;
    case QueryField::Share10: return Control::Edt10P;
    case QueryField::Share50: return Control::Edt50P;
    case QueryField::Share100: return Control::Edt100P;
    case QueryField::ProfitShare: return Control::EdtRiseRateinDate;
    case QueryField::Points: return Control::EdtSNum;
    case QueryField::Date: return Control::LblCDate;
    }
    return Control::MemMsg;
}

} // namespace verdaxil
