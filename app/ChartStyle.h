#pragma once

#include <Qt>

class QAbstractAxis;
class QChart;

namespace verdaxil {

// The list window's charts share its height with a table: margins, title, legend and
// labels take as little of it as they can, so that the plot keeps the rest.
void makeCompact(QChart* chart);

// Adds an axis whose labels and title are as small as the compact chart's legend.
void addCompactAxis(QChart* chart, QAbstractAxis* axis, Qt::Alignment alignment);

} // namespace verdaxil
