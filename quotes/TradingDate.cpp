#include "quotes/TradingDate.h"

#include <algorithm>

namespace verdaxil {

std::int32_t todayAsDate()
{
    return dateOf(QDate::currentDate());
}

std::int32_t lastWeekdayBefore(std::int32_t today)
{
    QDate day = calendarDay(today).addDays(-1);
    while (day.dayOfWeek() > 5)
        day = day.addDays(-1);
    return dateOf(day);
}

std::optional<std::int32_t> dateFromText(const QString& text)
{
    const bool digits = text.size() == 8 && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!digits || !calendarDay(text.toInt()).isValid())
        return std::nullopt;
    return text.toInt();
}

QString dateText(std::int32_t date)
{
    const QDate day = calendarDay(date);
    return day.isValid() ? day.toString(QStringLiteral("yyyy-MM-dd")) : QString::number(date);
}

} // namespace verdaxil
