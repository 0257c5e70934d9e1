#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

// The rows of a two-column list of numbered names: the categories of the
// editor's lvwMain and the sub-items of lvwSub. Nothing in it is editable.
class NumberedNames : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        QString no;
        QString name;
    };

    NumberedNames(const QString& nameHeading, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int count() const { return int(rows_.size()); }
    const Row& row(int i) const { return rows_[i]; }
    void setRows(std::vector<Row> rows);
    void append(const Row& row);
    void removeAt(int i);
    void setName(int i, const QString& name);
    // The row of a number, or -1.
    int findNo(const QString& no) const;
    // The row of a name, letter case ignored, or -1.
    int findName(const QString& name) const;

private:
    QString nameHeading_;
    std::vector<Row> rows_;
};
