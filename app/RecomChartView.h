#pragma once

#include "analysis/EvaluatedDays.h"

#include <QChartView>

namespace verdaxil {

// The chart of one security's latest trading days: its average trade price, 10-day
// and 60-day averages, close and selection points. A rubber band or the wheel zooms,
// a double click shows the whole span again.
class RecomChartView : public QChartView {
    Q_OBJECT

public:
    static constexpr int kDaysShown = 250;

    explicit RecomChartView(QWidget* parent = nullptr);

    // Draws the latest kDaysShown days; no days clear the chart.
    void showDays(const EvaluatedDays& days, const QString& title);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace verdaxil
