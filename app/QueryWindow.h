#pragma once

#include "analysis/QueryTexts.h"

#include <QString>

namespace verdaxil {

// The controls the query command reads and writes, named as in the main window.
enum class Control {
    stockcode,
    EdtYYY,
    EdtFee,
    EdtDate,
    MemMsg,
    stockprice,
    EdtHHigh,
    EdtLowest,
    LblCDate,
    HighestPriceinDate,
    EdtRiseRateinHistory,
    Edt5P,
    Edt10P,
    Edt50P,
    Edt100P,
    EdtRiseRateinDate,
    EdtSNum,
    RBtnYes,
    RBtnNo,
};

const char* controlName(Control control);

// The box that shows a result field.
Control controlOf(QueryField field);

struct RadioState {
    bool enabled = false;
    bool checked = false;
    bool operator==(const RadioState&) const = default;
};

// What the query command sees of a window: the texts of its controls and the states
// of its two radio buttons.
class QueryWindow {
public:
    virtual ~QueryWindow() = default;
    virtual QString text(Control control) const = 0;
    virtual void setText(Control control, const QString& text) = 0;
    virtual void setRadio(Control control, RadioState state) = 0;
};

} // namespace verdaxil
