#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include "ledger/KeyedCollection.h"
#include "ledger/Types.h"

#include <array>
#include <memory>
#include <vector>

// One row of a month list, held as numbers; its cells are formatted only
// when the view asks for them. Entry rows address their entries by id,
// never by position.
struct MonthRow {
    enum Kind : quint8 {
        EntryRow, // an entry of the month
        CarryRow, // the balance brought forward, first row of the entry list
        DayRow,   // one day of the day summary
        TextRow,  // ready texts (the category summary, a few rows per category)
    };
    using Texts = std::array<QString, 6>;

    qint64 out = 0;         // 出金
    qint64 in = 0;          // 入金
    qint64 balance = 0;     // 残高
    EntryId entryId = 0;    // the entry an entry row shows
    Kind kind = EntryRow;
    quint8 month = 0;       // of the 日付 cell; the carry-over row's caption follows it
    quint8 day = 0;         // the row's day; the carry-over row counts as day 1
    quint8 categoryNo = 0;  // 費目
    quint8 subNo = 0;       // 摘要項目, 0 for none
    bool showsDate = false; // an entry row that opens its day shows the date
    std::shared_ptr<const Texts> texts; // a text row's cells

    // The carry-over row of `month` with the balance brought forward.
    static MonthRow carryOver(int month, qint64 brought);
    static MonthRow textRow(Texts cells);
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
    // The text the list shows in a cell ("#,#" amounts: 0 shows empty).
    QString cell(int row, int column) const;

    // Where entry rows find their category and sub-item names.
    void setCategories(const KeyedCollection<clsHimoku>* categories);

    void setHeadings(const QStringList& headings);
    QStringList headings() const { return headings_; }
    // Columns whose cells are right-aligned (amounts).
    void setAmountColumns(const QList<int>& columns) { amountColumns_ = columns; }

    void clear();
    void insertRow(int at, const MonthRow& row);
    void removeRowAt(int at);
    void setRow(int at, const MonthRow& row);
    // Replaces every row at once (one reset instead of one signal per row).
    void setRows(std::vector<MonthRow> rows);
    // Changes through editRow show once rowChanged or columnChanged signals them.
    MonthRow& editRow(int at) { return rows_[at]; }
    void rowChanged(int at);
    void columnChanged(int column);
    // The first row (from `from`) whose entry id is id, or -1.
    int findEntry(EntryId id, int from = 0) const;

private:
    std::shared_ptr<clsHimoku> categoryOf(int no) const;

    std::vector<MonthRow> rows_;
    QStringList headings_;
    QList<int> amountColumns_{Out, In, Balance};
    const KeyedCollection<clsHimoku>* categories_ = nullptr;
    // Each category is looked up once per rebuild of the rows.
    mutable std::array<std::shared_ptr<clsHimoku>, 100> categoryCache_;
};
