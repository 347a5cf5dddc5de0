#include "analysis/QueryWindow.h"

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

} // namespace verdaxil
