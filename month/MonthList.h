#pragma once

#include <QTreeView>

class MonthListModel;

// The view of lvwMonth and lvwMonthC: single-line rows of one height in the
// order they were built, whole rows selected, nothing edited in place.
// A month can hold thousands of rows of which some 25 are in view, so cells
// are drawn as plain text and a change of cells repaints only what is seen.
class MonthList : public QTreeView {
    Q_OBJECT
public:
    MonthList(const QString& name, MonthListModel* rows, QWidget* parent);

protected:
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) override;
};
