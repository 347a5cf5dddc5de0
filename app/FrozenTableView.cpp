#include "app/FrozenTableView.h"

#include <QHeaderView>
#include <QScrollBar>

namespace verdaxil {

FrozenTableView::FrozenTableView(QWidget* parent) : QTableView(parent), frozen_(new QTableView(this))
{
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollMode(ScrollPerPixel);
    frozen_->setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 1px solid palette(mid); }"));
    viewport()->stackUnder(frozen_);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] { placeFrozen(); });
    connect(verticalHeader(), &QHeaderView::sectionResized, frozen_,
            [this](int row, int, int size) { frozen_->setRowHeight(row, size); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(), &QAbstractSlider::setValue);
    // Its header sorts the table as the table's own does, and shows the same order.
    connect(frozen_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        const bool again = horizontalHeader()->sortIndicatorSection() == column;
        const Qt::SortOrder order = horizontalHeader()->sortIndicatorOrder();
        sortByColumn(column, again && order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder);
    });
    connect(horizontalHeader(), &QHeaderView::sortIndicatorChanged, frozen_->horizontalHeader(), &QHeaderView::setSortIndicator);
    connect(frozen_, &QAbstractItemView::activated, this, &QAbstractItemView::activated);
    frozen_->horizontalHeader()->setSortIndicatorShown(true);
}

void FrozenTableView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    frozen_->setSelectionBehavior(selectionBehavior());
    frozen_->setSelectionMode(selectionMode());
    frozen_->setAlternatingRowColors(alternatingRowColors());
    frozen_->setWordWrap(wordWrap());
    frozen_->setEditTriggers(editTriggers());
    connect(model, &QAbstractItemModel::modelReset, this, [this] { placeFrozen(); });
    frozen_->show();
    placeFrozen();
}

int FrozenTableView::frozenWidth() const
{
    int width = 0;
    for (int column = 0; column < kFrozenColumns; ++column)
        width += isColumnHidden(column) ? 0 : columnWidth(column);
    return width;
}

// Over the first columns, from the header's top to the viewport's bottom.
void FrozenTableView::placeFrozen()
{
    if (frozen_->model()) {
        for (int column = 0; column < frozen_->model()->columnCount(); ++column) {
            frozen_->setColumnHidden(column, column >= kFrozenColumns);
            if (column < kFrozenColumns)
                frozen_->setColumnWidth(column, columnWidth(column));
        }
    }
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                         viewport()->height() + horizontalHeader()->height());
}

void FrozenTableView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeFrozen();
}

void FrozenTableView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozen();
}

// The cursor moved to a column under the frozen ones scrolls it out from under them.
QModelIndex FrozenTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    if (cursorAction == MoveLeft && current.column() >= kFrozenColumns && visualRect(current).topLeft().x() < frozenWidth()) {
        const int shift = visualRect(current).topLeft().x() - frozenWidth();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + shift);
    }
    return current;
}

void FrozenTableView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // A frozen column is always in view: only its row scrolls.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() < kFrozenColumns)
        horizontalScrollBar()->setValue(sideways);
}

} // namespace verdaxil
