#include "cli/TextWindow.h"

#include "analysis/ClearResults.h"

namespace verdaxil {

TextWindow::TextWindow()
{
    texts_[Control::stockcode] = QStringLiteral("请输入股票代码");
    texts_[Control::EdtYYY] = QStringLiteral("D:\\YYY");
    texts_[Control::EdtFee] = QStringLiteral("6");
    texts_[Control::EdtDate] = QStringLiteral("30");
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
