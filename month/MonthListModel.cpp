#include "MonthListModel.h"

MonthListModel::MonthListModel(QObject* parent) : QAbstractTableModel(parent) {}

int MonthListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }
int MonthListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant MonthListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return rows_[index.row()].cells[index.column()];
    if (role == Qt::TextAlignmentRole)
        return int((amountColumns_.contains(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

QVariant MonthListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section >= headings_.size())
        return {};
    if (role == Qt::DisplayRole)
        return headings_[section];
    if (role == Qt::TextAlignmentRole)
        return int((amountColumns_.contains(section) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

// Cells are never edited in place.
Qt::ItemFlags MonthListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void MonthListModel::setHeadings(const QStringList& headings)
{
    headings_ = headings;
    emit headerDataChanged(Qt::Horizontal, 0, 5);
}

void MonthListModel::clear()
{
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void MonthListModel::appendRow(const MonthRow& row) { insertRow(count(), row); }

void MonthListModel::insertRow(int at, const MonthRow& row)
{
    beginInsertRows({}, at, at);
    rows_.insert(rows_.begin() + at, row);
    endInsertRows();
}

void MonthListModel::removeRowAt(int at)
{
    beginRemoveRows({}, at, at);
    rows_.erase(rows_.begin() + at);
    endRemoveRows();
}

void MonthListModel::setRow(int at, const MonthRow& row)
{
    rows_[at] = row;
    emit dataChanged(index(at, 0), index(at, 5));
}

void MonthListModel::setCell(int row, int column, const QString& text)
{
    rows_[row].cells[column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

void MonthListModel::setRows(std::vector<MonthRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void MonthListModel::setColumn(int column, const std::vector<QString>& texts)
{
    const int n = std::min<int>(count(), static_cast<int>(texts.size()));
    for (int i = 0; i < n; ++i)
        rows_[i].cells[column] = texts[i];
    if (n > 0)
        emit dataChanged(index(0, column), index(n - 1, column));
}

int MonthListModel::findEntry(EntryId id, int from) const
{
    for (int i = from; i < count(); ++i)
        if (rows_[i].entryId == id)
            return i;
    return -1;
}
