#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>

namespace verdaxil::testing {

// Waits for the next modal message box, records what it shows and closes it with
// its OK button, so that a test can run a command that opens one.
class MessageBoxCatcher {
public:
    struct Seen {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttonCount = 0;
        bool applicationModal = false;
    };

    MessageBoxCatcher();

    int count() const { return count_; }
    const Seen& last() const { return last_; }

private:
    void poll();

    QTimer timer_;
    int count_ = 0;
    Seen last_;
};

} // namespace verdaxil::testing
