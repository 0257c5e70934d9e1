#pragma once

#include "KeyedCollection.h"

#include <QString>
#include <QtGlobal>
#include <vector>

// One sub-item (摘要項目) of a category; memos reuse it as (date key, text).
struct clsTekiyo {
    QString no;   // "01".."99"
    QString name;
};

// One category (費目) with its sub-items.
class clsHimoku {
public:
    QString no;        // "01".."99"
    QString name;      // unique, never holds ":"
    int ioflag = 1;    // 1 expense (出金), 2 income (入金)
    qint32 limit = 0;  // monthly budget in yen
    quint32 color = 0; // 0x00BBGGRR
    KeyedCollection<clsTekiyo> nTekiyo; // keyed by number
    KeyedCollection<clsTekiyo> sTekiyo; // the same objects keyed by name

    // Adds a sub-item under both keys. Returns false, adding nothing, when
    // either key is already taken.
    bool addsub(const QString& subNo, const QString& subName);
    // Removes the sub-item numbered subNo; the name is not consulted.
    void deleachsub(const QString& subNo, const QString& subName = {});
    // Removes every sub-item.
    void delsub();
};

// The amount of one category in one month.
struct clsMoney {
    QString no;
    qint64 money = 0;
};

// One ledger line. Exactly one of the two amounts is used, chosen by the
// category's ioflag. `id` identifies the entry for the lists that show it;
// it plays no part in comparisons or files.
struct Entry {
    QString date; // "mm/dd"
    QString category;
    QString sub = QStringLiteral("00");
    qint32 out = 0;
    qint32 in = 0;
    quint64 id = 0;

    int month() const { return date.left(2).toInt(); }
    int day() const { return date.right(2).toInt(); }
    bool sameContent(const Entry& o) const
    {
        return date == o.date && category == o.category && sub == o.sub && out == o.out && in == o.in;
    }
};

// A month's entries in day order and its totals (the record at position 0).
struct MonthSlot {
    qint64 totalOut = 0;
    qint64 totalIn = 0;
    std::vector<Entry> entries; // position 1..count of the month is entries[0..count-1]

    int count() const { return static_cast<int>(entries.size()); }
};

struct CategoryUseRow {
    int no = 0;
    int count = 0;
};

struct GraphTargetRow {
    int no = 0;
    int show = 1;
};

struct CategorySum {
    QString no;
    qint64 amount = 0;
};
