#include "app/WindowControls.h"

#include "app/TypingLimit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <stdexcept>

namespace verdaxil {

WindowControls::WindowControls(QWidget& form) : form_(form) {}

QWidget* WindowControls::find(Control control) const
{
    auto* widget = form_.findChild<QWidget*>(QString::fromLatin1(controlName(control)));
    if (!widget)
        throw std::logic_error(std::string("The form has no control ") + controlName(control));
    return widget;
}

QString WindowControls::text(Control control) const
{
    QWidget* widget = find(control);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        return memo->toPlainText();
    throw std::logic_error(std::string("No text to read in control ") + controlName(control));
}

void WindowControls::setText(Control control, const QString& text)
{
    QWidget* widget = find(control);
    // The layout cuts long texts (the memo's warnings among them): hovering shows them whole.
    widget->setToolTip(text);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        setTextUncut(*edit, text);
        edit->setCursorPosition(0);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
        label->adjustSize();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        memo->setPlainText(text);
    else
        throw std::logic_error(std::string("No text to write in control ") + controlName(control));
}

void WindowControls::setRadio(Control control, RadioState state)
{
    auto* button = qobject_cast<QRadioButton*>(find(control));
    if (!button)
        throw std::logic_error(std::string("Not a radio button: ") + controlName(control));
    button->setEnabled(state.enabled);
    // An exclusive radio button refuses to be unchecked directly.
    button->setAutoExclusive(false);
    button->setChecked(state.checked);
    button->setAutoExclusive(true);
}

} // namespace verdaxil
