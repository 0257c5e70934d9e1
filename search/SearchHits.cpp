#include "search/SearchHits.h"

#include "ledger/Formats.h"

SearchHits::SearchHits(QObject* parent) : QAbstractTableModel(parent) {}

int SearchHits::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }
int SearchHits::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

void SearchHits::reset(const MasterNames& names)
{
    beginResetModel();
    names_ = names;
    hits_.clear();
    sumOut_ = sumIn_ = 0;
    endResetModel();
}

void SearchHits::append(const std::vector<SearchHit>& hits)
{
    if (hits.empty())
        return;
    beginInsertRows({}, count(), count() + int(hits.size()) - 1);
    for (const SearchHit& h : hits) {
        hits_.push_back(h);
        sumOut_ += h.entry.out;
        sumIn_ += h.entry.in;
    }
    endInsertRows();
}

QString SearchHits::cell(int row, int column) const
{
    const SearchHit& h = hit(row);
    const MasterNames::Category& c = names_.categories[h.entry.categoryNo % 100];
    switch (column) {
    case Date:
        return QString::number(h.year) + QLatin1Char('/') + h.entry.date();
    case Category:
        return c.name;
    case Sub:
        return c.subs.value(h.entry.subNo);
    case Out:
        return Fmt::hash(h.entry.out);
    case In:
        return Fmt::hash(h.entry.in);
    default:
        return {};
    }
}

QVariant SearchHits::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole)
        return cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Out || index.column() == In))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == SortRole) {
        const SearchHit& h = hit(index.row());
        // Ties keep the order of the ledger: date, then place in the month.
        const qint64 order = ((qint64(h.year) * 100 + h.entry.month()) * 100 + h.entry.day()) * 1000000 + h.indexInMonth;
        switch (index.column()) {
        case Out:
            return qint64(h.entry.out);
        case In:
            return qint64(h.entry.in);
        case Category:
        case Sub:
            return cell(index.row(), index.column());
        default:
            return order;
        }
    }
    return {};
}

QVariant SearchHits::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const headings[ColumnCount] = {"日付", "費目", "摘要項目", "出金", "入金"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return {};
    return QString::fromUtf8(headings[section]);
}
