#pragma once

#include <QTableView>

namespace verdaxil {

// A table whose first columns stay in view while the others scroll sideways, as quote
// terminals show their lists: a second view of the same model and selection lies over
// the first columns, its rows scrolling with the table's.
class FrozenTableView : public QTableView {
    Q_OBJECT

public:
    static constexpr int kFrozenColumns = 3;

    explicit FrozenTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    // The view over the first columns, for sizing its rows as the table's.
    QTableView* frozenView() const { return frozen_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    void updateGeometries() override;

private:
    void placeFrozen();
    int frozenWidth() const;

    QTableView* frozen_;
};

} // namespace verdaxil
