#pragma once

#include "search/SearchQuery.h"

#include <QAbstractTableModel>

// The rows of the search window's result list, in the order found; a sort
// proxy shows them sorted. Names are those of the master at the search.
class SearchHits : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Category, Sub, Out, In, ColumnCount };
    // The value a column sorts by.
    static constexpr int SortRole = Qt::UserRole;

    explicit SearchHits(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void reset(const MasterNames& names);
    void append(const std::vector<SearchHit>& hits);
    const SearchHit& hit(int row) const { return hits_[size_t(row)]; }
    int count() const { return int(hits_.size()); }
    qint64 sumOut() const { return sumOut_; }
    qint64 sumIn() const { return sumIn_; }
    QString cell(int row, int column) const;

private:
    MasterNames names_;
    std::vector<SearchHit> hits_;
    qint64 sumOut_ = 0;
    qint64 sumIn_ = 0;
};
