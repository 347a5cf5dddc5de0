#include "app/ClearResults.h"

namespace verdaxil {

void clearResults(QueryWindow& window)
{
    for (const QueryField field : kQueryFields)
        window.setText(controlOf(field), placeholderText(field));
    resetRecommendation(window);
}

void resetRecommendation(QueryWindow& window)
{
    window.setRadio(Control::RBtnYes, {});
    window.setRadio(Control::RBtnNo, {});
}

} // namespace verdaxil
