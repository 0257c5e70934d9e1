#pragma once

#include <QAbstractTableModel>

class LedgerModel;
class TeikiBook;

// The rows of the rule list of 定期入力の設定, one per rule of the book, in
// the file's order; the category and sub-item names as the master gives them.
class TeikiRows : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Category, Sub, Kind, Amount, Day, Months, Period, State, Applied, ColumnCount };

    TeikiRows(const TeikiBook& book, const LedgerModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString cell(int row, int column) const;
    // The rule shown in a row, and the row of a rule (-1 for none).
    int ruleId(int row) const;
    int rowOf(int ruleId) const;

private:
    const TeikiBook& book_;
    const LedgerModel& model_;
};
