#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include "Types.h"
#include <array>
#include <vector>

// One row of a month list: six cell texts, the day tag "dd" and, for entry
// rows, the id of the entry the row shows (0 for the carry-over row and for
// summary rows). Rows address their entries by that id, never by position.
struct MonthRow {
    std::array<QString, 6> cells;
    QString tag;
    EntryId entryId = 0;
};

// The rows behind lvwMonth and lvwMonthC. Row 0 is the first row of the
// list (the carry-over row of the entry list).
class MonthListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date = 0, Category = 1, Sub = 2, Out = 3, In = 4, Balance = 5 };

    explicit MonthListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return static_cast<int>(rows_.size()); }
    const MonthRow& row(int i) const { return rows_[i]; }
    QString cell(int row, int column) const { return rows_[row].cells[column]; }

    void setHeadings(const QStringList& headings);
    QStringList headings() const { return headings_; }
    // Columns whose cells are right-aligned (amounts).
    void setAmountColumns(const QList<int>& columns) { amountColumns_ = columns; }

    void clear();
    void appendRow(const MonthRow& row);
    void insertRow(int at, const MonthRow& row);
    void removeRowAt(int at);
    void setRow(int at, const MonthRow& row);
    void setCell(int row, int column, const QString& text);
    // Replaces every row at once (one reset instead of one signal per row).
    void setRows(std::vector<MonthRow> rows);
    // Sets one column for all rows and signals one change.
    void setColumn(int column, const std::vector<QString>& texts);
    // The first row (from `from`) whose entry id is id, or -1.
    int findEntry(EntryId id, int from = 0) const;

private:
    std::vector<MonthRow> rows_;
    QStringList headings_;
    QList<int> amountColumns_{Out, In, Balance};
};
