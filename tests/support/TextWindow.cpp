#include "support/TextWindow.h"

#include "analysis/InitialTexts.h"
#include "app/ClearResults.h"

namespace verdaxil {

TextWindow::TextWindow()
{
    texts_[Control::stockcode] = InitialTexts::kCode;
    texts_[Control::EdtYYY] = InitialTexts::kQuoteDir;
    texts_[Control::EdtFee] = InitialTexts::kFee;
    texts_[Control::EdtDate] = InitialTexts::kHorizon;
    clearResults(*this);
}

QString TextWindow::text(Control control) const
{
    return texts_.value(control);
}

void TextWindow::setText(Control control, const QString& text)
{
    texts_[control] = text;
}

void TextWindow::setRadio(Control control, RadioState state)
{
    radios_[control] = state;
}

RadioState TextWindow::radio(Control control) const
{
    return radios_.value(control);
}

} // namespace verdaxil
