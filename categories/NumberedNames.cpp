#include "categories/NumberedNames.h"

NumberedNames::NumberedNames(const QString& nameHeading, QObject* parent)
    : QAbstractTableModel(parent), nameHeading_(nameHeading)
{
}

int NumberedNames::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }
int NumberedNames::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant NumberedNames::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole) {
        const Row& r = rows_[index.row()];
        return index.column() == 0 ? r.no : r.name;
    }
    if (role == Qt::TextAlignmentRole && index.column() == 0)
        return int(Qt::AlignCenter);
    return {};
}

QVariant NumberedNames::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("番号") : nameHeading_;
}

Qt::ItemFlags NumberedNames::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void NumberedNames::setRows(std::vector<Row> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void NumberedNames::append(const Row& row)
{
    beginInsertRows({}, count(), count());
    rows_.push_back(row);
    endInsertRows();
}

void NumberedNames::removeAt(int i)
{
    beginRemoveRows({}, i, i);
    rows_.erase(rows_.begin() + i);
    endRemoveRows();
}

void NumberedNames::setName(int i, const QString& name)
{
    rows_[i].name = name;
    emit dataChanged(index(i, 1), index(i, 1));
}

int NumberedNames::findNo(const QString& no) const
{
    for (int i = 0; i < count(); ++i)
        if (rows_[i].no == no)
            return i;
    return -1;
}

int NumberedNames::findName(const QString& name) const
{
    for (int i = 0; i < count(); ++i)
        if (rows_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
