#include "month/MonthListModel.h"

#include "ledger/Formats.h"

namespace {
QString monthDay(int month, int day) { return Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(day); }
}

MonthRow MonthRow::carryOver(int month, qint64 brought)
{
    MonthRow r;
    r.kind = CarryRow;
    r.month = quint8(month);
    r.day = 1;
    if (brought < 0)
        r.out = -brought;
    else
        r.in = brought;
    r.balance = brought;
    return r;
}

MonthRow MonthRow::textRow(Texts cells)
{
    MonthRow r;
    r.kind = TextRow;
    r.texts = std::make_shared<const Texts>(std::move(cells));
    return r;
}

MonthListModel::MonthListModel(QObject* parent) : QAbstractTableModel(parent) {}

int MonthListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }
int MonthListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

void MonthListModel::setCategories(const KeyedCollection<clsHimoku>* categories)
{
    categories_ = categories;
    categoryCache_ = {};
}

std::shared_ptr<clsHimoku> MonthListModel::categoryOf(int no) const
{
    if (no <= 0 || no > 99 || !categories_)
        return nullptr;
    auto& cached = categoryCache_[no];
    if (!cached)
        cached = categories_->find(Fmt::zero2(no));
    return cached;
}

QString MonthListModel::cell(int row, int column) const
{
    const MonthRow& r = rows_[row];
    switch (column) {
    case Out:
        return r.kind == MonthRow::TextRow ? (*r.texts)[column] : Fmt::hash(r.out);
    case In:
        return r.kind == MonthRow::TextRow ? (*r.texts)[column] : Fmt::hash(r.in);
    case Balance:
        return r.kind == MonthRow::TextRow ? (*r.texts)[column] : Fmt::hash(r.balance);
    default:
        break;
    }
    switch (r.kind) {
    case MonthRow::TextRow:
        return (*r.texts)[column];
    case MonthRow::DayRow:
        return column == Date ? monthDay(r.month, r.day) : QString();
    case MonthRow::CarryRow:
        if (column == Category)
            return r.month == 1 ? QStringLiteral("前年度繰越残高") : QStringLiteral("前月繰越残高");
        return {};
    case MonthRow::EntryRow:
        break;
    }
    if (column == Date)
        return r.showsDate ? monthDay(r.month, r.day) : QString();
    const auto category = categoryOf(r.categoryNo);
    if (!category)
        return {};
    if (column == Category)
        return category->name;
    if (r.subNo == 0)
        return {};
    const auto sub = category->nTekiyo.find(Fmt::zero2(r.subNo));
    return sub ? sub->name : QString();
}

QVariant MonthListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
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

void MonthListModel::clear() { setRows({}); }

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
    rowChanged(at);
}

void MonthListModel::setRows(std::vector<MonthRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    categoryCache_ = {};
    endResetModel();
}

void MonthListModel::rowChanged(int at) { emit dataChanged(index(at, 0), index(at, 5)); }

void MonthListModel::columnChanged(int column)
{
    if (count() > 0)
        emit dataChanged(index(0, column), index(count() - 1, column));
}

int MonthListModel::findEntry(EntryId id, int from) const
{
    for (int i = from; i < count(); ++i)
        if (rows_[i].entryId == id)
            return i;
    return -1;
}
