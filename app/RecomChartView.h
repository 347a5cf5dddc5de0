#pragma once

#include "analysis/EvaluatedDays.h"
#include "app/ChartSeries.h"

#include <QChartView>

class QGraphicsLineItem;
class QLabel;

namespace verdaxil {

// The chart of one security's latest trading days: each day's range with a tick at its
// close, red for a rise and green for a fall, its average trade price and 10-day and
// 60-day averages over them, the volume in a pane below, its selection points coloured
// by how they did and the day of a past list. Hovering over the plot reads out the day
// under the mouse, and a selection point's outcome; a rubber band or the wheel zooms, a
// double click shows the whole span again.
class RecomChartView : public QChartView {
    Q_OBJECT

public:
    explicit RecomChartView(QWidget* parent = nullptr);

    // Draws the latest ChartSeries::kDaysShown days; no days clear the chart.
    void showDays(const EvaluatedDays& days, const ChartRequest& request);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw();
    int priceIntervals() const;

    void showReadout(QPointF position);
    void hideReadout();

    ChartSeries shown_;
    ChartRequest request_;
    int drawnIntervals_ = 0;
    QLabel* readout_;
    QGraphicsLineItem* hoveredDay_ = nullptr; // a child of the chart, gone with it
};

} // namespace verdaxil
