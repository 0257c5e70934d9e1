#pragma once

#include "ledger/KeyedCollection.h"

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

// Identifies an entry for the lists that show it, for the life of the program.
using EntryId = quint32;

// One ledger line, held as numbers: a year of 100,000 entries takes 1.6 MB.
// Exactly one of the two amounts is used, chosen by the category's ioflag.
// `id` plays no part in comparisons or files.
struct Entry {
    qint32 out = 0;
    qint32 in = 0;
    EntryId id = 0;
    quint8 monthNo = 0;    // 1..12; 0 while no valid date is set
    quint8 dayNo = 0;      // 1..31
    quint8 categoryNo = 0; // 1..99; 0 while no category is set
    quint8 subNo = 0;      // 1..99, or 0 for no sub-item

    int month() const { return monthNo; }
    int day() const { return dayNo; }
    bool hasDate() const { return monthNo != 0; }
    QString date() const;     // "mm/dd"
    QString category() const; // "01".."99"
    QString sub() const;      // "00".."99"

    // Each takes its field from the text the files and the master use and
    // returns false, changing nothing, when the text is not of that form:
    // "mm/dd" with month 01-12 and day 01-31, "01".."99", "00".."99".
    bool setDate(QStringView mmdd);
    bool setCategory(QStringView no);
    bool setSub(QStringView no);

    bool sameContent(const Entry& o) const
    {
        return monthNo == o.monthNo && dayNo == o.dayNo && categoryNo == o.categoryNo && subNo == o.subNo
            && out == o.out && in == o.in;
    }
};
static_assert(sizeof(Entry) == 16);

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
