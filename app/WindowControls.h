#pragma once

#include "app/QueryWindow.h"

class QWidget;

namespace verdaxil {

// The query command's view of a form: each control is found by its object name.
class WindowControls : public QueryWindow {
public:
    explicit WindowControls(QWidget& form);

    QString text(Control control) const override;
    void setText(Control control, const QString& text) override;
    void setRadio(Control control, RadioState state) override;

private:
    QWidget* find(Control control) const;

    QWidget& form_;
};

} // namespace verdaxil
