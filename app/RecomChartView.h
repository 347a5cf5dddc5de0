#pragma once

#include <QChartView>

namespace verdaxil {

struct DayTable;

// The chart of one security's latest trading days: its average trade price, 10-day
// and 60-day averages, close and selection points. A rubber band or the wheel zooms,
// a double click shows the whole span again.
class RecomChartView : public QChartView {
    Q_OBJECT

public:
    static constexpr int kDaysShown = 250;

    explicit RecomChartView(QWidget* parent = nullptr);

    // Draws the table's latest kDaysShown days; an empty table or none clears the chart.
    void showDays(const DayTable* table, const QString& title);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace verdaxil
