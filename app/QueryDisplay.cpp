#include "app/QueryDisplay.h"

#include "app/ClearResults.h"

namespace verdaxil {

namespace {

// With fewer than two days there is no signal, and nothing of the previous security
// may stay next to the new code.
void showRecommendation(QueryWindow& window, std::optional<bool> recommended)
{
    if (!recommended) {
        resetRecommendation(window);
        return;
    }
    const Control no = *recommended ? Control::RBtnNo : Control::RBtnYes;
    const Control yes = *recommended ? Control::RBtnYes : Control::RBtnNo;
    window.setRadio(no, {false, false});
    window.setRadio(yes, {true, true});
}

} // namespace

void ShowFindings(QueryWindow& window, const QueryFindings& found)
{
    if (found.message == QueryMessage::NotACode)
        resetRecommendation(window);
    for (const FieldText& written : writtenTexts(found))
        window.setText(controlOf(written.field), written.text);
    if (found.indicators)
        showRecommendation(window, found.indicators->recommended);
    if (found.horizonError)
        throw *found.horizonError;
}

bool runQueryCommand(QueryWindow& window)
{
    const QueryFindings found = runQuery({window.text(Control::stockcode), window.text(Control::EdtYYY),
                                          window.text(Control::EdtFee), window.text(Control::EdtDate)});
    ShowFindings(window, found);
    return found.evaluated();
}

} // namespace verdaxil
