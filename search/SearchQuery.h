#pragma once

#include "ledger/Types.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <array>
#include <bitset>
#include <optional>
#include <vector>

class LedgerModel;

// What the search window asks for. Every part left empty matches all.
struct SearchQuery {
    enum class Side { Both, Out, In };

    QString text; // in the category or sub-item name
    std::optional<qint64> amountFrom;
    std::optional<qint64> amountTo;
    QDate dateFrom; // any year
    QDate dateTo;
    Side side = Side::Both;
};

// Text as it is compared: full-width letters and digits and half-width kana
// in one form (ＡＢＣ = ABC, ｶﾀｶﾅ = カタカナ), letter case ignored.
QString foldForSearch(const QString& text);

// The names and kinds of the categories as the master gives them, copied
// so that a search may read them on another thread.
struct MasterNames {
    struct Category {
        QString name;
        int kind = 0; // ioflag; 0: no such category
        QHash<int, QString> subs;
    };
    std::array<Category, 100> categories;

    static MasterNames of(const LedgerModel& model);
};

// One entry found: the year, the entry with its amount on its side, and
// where it stands among the entries of its month as a load of that year
// gives them (the open year's entries also by their id).
struct SearchHit {
    int year = 0;
    Entry entry;
    int indexInMonth = 0;
};

// A query made ready for many entries: which category and sub-item
// numbers its text matches is worked out once.
class SearchMatcher {
public:
    SearchMatcher(const SearchQuery& query, const MasterNames& names);

    // Whether any entry of that year can fall within the dates.
    bool yearInRange(int year) const;
    // An entry of a category the master holds, its amount already on its side.
    bool matches(int year, const Entry& e) const;
    const MasterNames& names() const { return names_; }
    bool subExists(int category, int sub) const { return subExists_[size_t(category % 100)].test(size_t(sub % 100)); }

private:
    SearchQuery query_;
    MasterNames names_;
    std::array<std::bitset<100>, 100> nameMatch_; // [category][sub-item]
    std::array<std::bitset<100>, 100> subExists_;
};

// The hits among the entries of one month of a year, in their order. The
// entries carry their amount in `out` as the file reader leaves it (raw) or
// on their side already (as the month slots hold them).
void searchMonth(int year, const std::vector<Entry>& entries, bool raw, const SearchMatcher& matcher,
                 std::vector<SearchHit>& hits);
