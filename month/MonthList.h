#pragma once

#include <QTreeView>
#include <array>

class MonthListModel;

// The view of lvwMonth and lvwMonthC: single-line rows of one height in the
// order they were built, whole rows selected, nothing edited in place.
// A month can hold thousands of rows of which some 25 are in view, so cells
// are drawn as plain text and a change of cells repaints only what is seen.
class MonthList : public QTreeView {
    Q_OBJECT
public:
    MonthList(const QString& name, MonthListModel* rows, QWidget* parent);

    // Column widths the cells need; what the window leaves over is shared
    // by the text columns.
    void setColumnWidths(const std::array<int, 6>& widths);
    void setTextColumns(const QList<int>& columns);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void spreadColumns();

    std::array<int, 6> widths_{};
    QList<int> textColumns_{1, 2};
};
