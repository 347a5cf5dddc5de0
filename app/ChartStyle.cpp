#include "app/ChartStyle.h"

#include <QAbstractAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QLegend>

namespace verdaxil {

void makeCompact(QChart* chart)
{
    chart->setMargins(QMargins(4, 2, 4, 0));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    QFont small = chart->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    QFont title = small;
    title.setBold(true);
    chart->setTitleFont(title);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(small);
}

void addCompactAxis(QChart* chart, QAbstractAxis* axis, Qt::Alignment alignment)
{
    axis->setLabelsFont(chart->legend()->font());
    axis->setTitleFont(chart->legend()->font());
    chart->addAxis(axis, alignment);
}

} // namespace verdaxil
