#pragma once

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>

class QDateEdit;

namespace verdaxil {

// Lets a day be typed into a date box as its eight digits (20261120) whatever section
// of the date has the cursor, and chosen with Enter; picking a day in the box's
// calendar chooses it too. Arrows and the rest work as the box makes them.
class DayTyping : public QObject {
    Q_OBJECT

public:
    // Installs itself on the box, which owns it; `chosen` is told each day chosen.
    DayTyping(QDateEdit& box, std::function<void(QDate)> chosen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDateEdit& box_;
    std::function<void(QDate)> chosen_;
    QString digits_;
};

} // namespace verdaxil
