#include "app/DayTyping.h"

#include "quotes/TradingDate.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>

namespace verdaxil {

DayTyping::DayTyping(QDateEdit& box, std::function<void(QDate)> chosen) : QObject(&box), box_(box), chosen_(std::move(chosen))
{
    box.installEventFilter(this);
    connect(box.calendarWidget(), &QCalendarWidget::clicked, this, [this](QDate day) { chosen_(day); });
}

bool DayTyping::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &box_)
        return false;
    if (event->type() == QEvent::FocusIn)
        digits_.clear();
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 && key->modifiers() == Qt::NoModifier) {
        digits_ = (digits_.size() == 8 ? QString() : digits_) + QChar(u'0' + (key->key() - Qt::Key_0));
        // Shown as soon as the eight digits name a day; the box keeps the days it allows.
        if (const auto day = dateFromText(digits_))
            box_.setDate(calendarDay(*day));
        return true;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Eight digits typed are the day, even one outside the box's range.
        const auto typed = dateFromText(digits_);
        digits_.clear();
        chosen_(typed ? calendarDay(*typed) : box_.date());
        return true;
    }
    digits_.clear();
    return false;
}

} // namespace verdaxil
