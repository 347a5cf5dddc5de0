#pragma once

#include "app/QueryWindow.h"

#include <QHash>

namespace verdaxil {

// A window of plain texts, to run the window's commands without a display. It starts as
// Clear leaves the main window, with the main window's initial inputs.
class TextWindow : public QueryWindow {
public:
    TextWindow();

    QString text(Control control) const override;
    void setText(Control control, const QString& text) override;
    void setRadio(Control control, RadioState state) override;
    RadioState radio(Control control) const;

private:
    QHash<Control, QString> texts_;
    QHash<Control, RadioState> radios_;
};

} // namespace verdaxil
