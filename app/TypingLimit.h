#pragma once

#include <QValidator>

class QLineEdit;

namespace verdaxil {

// Limits what the user can type or paste into a line edit. Unlike
// QLineEdit::maxLength it never cuts a text the program writes (such as the
// seven-character prompt of the code box); write those with setTextUncut.
class TypingLimit : public QValidator {
public:
    TypingLimit(int maxLength, QLineEdit& edit);
    State validate(QString& input, int& position) const override;

private:
    int maxLength_;
};

void setTextUncut(QLineEdit& edit, const QString& text);

} // namespace verdaxil
