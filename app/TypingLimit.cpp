#include "app/TypingLimit.h"

#include <QLineEdit>

namespace verdaxil {

TypingLimit::TypingLimit(int maxLength, QLineEdit& edit) : QValidator(&edit), maxLength_(maxLength)
{
    edit.setValidator(this);
}

QValidator::State TypingLimit::validate(QString& input, int&) const
{
    return input.size() <= maxLength_ ? Acceptable : Invalid;
}

void setTextUncut(QLineEdit& edit, const QString& text)
{
    // Without a validator the line edit takes the text as valid, so the next user
    // edit is checked against the limit again.
    const QValidator* validator = edit.validator();
    edit.setValidator(nullptr);
    edit.setText(text);
    edit.setValidator(validator);
}

} // namespace verdaxil
