#include "search/SearchQuery.h"

#include "ledger/LedgerModel.h"

QString foldForSearch(const QString& text) { return text.normalized(QString::NormalizationForm_KC).toCaseFolded(); }

MasterNames MasterNames::of(const LedgerModel& model)
{
    MasterNames n;
    for (const auto& c : model.categoryList()) {
        const int no = c.item->no.toInt();
        if (no < 1 || no > 99)
            continue;
        Category& cat = n.categories[size_t(no)];
        cat.name = c.item->name;
        cat.kind = c.item->ioflag;
        for (const auto& t : c.item->nTekiyo)
            cat.subs.insert(t.item->no.toInt(), t.item->name);
    }
    return n;
}

SearchMatcher::SearchMatcher(const SearchQuery& query, const MasterNames& names) : query_(query), names_(names)
{
    const QString text = foldForSearch(query.text.trimmed());
    for (int c = 1; c <= 99; ++c) {
        const MasterNames::Category& cat = names_.categories[size_t(c)];
        if (cat.kind == 0)
            continue;
        const bool inCategory = text.isEmpty() || foldForSearch(cat.name).contains(text);
        nameMatch_[size_t(c)].set(0, inCategory);
        for (int s = 1; s <= 99; ++s) {
            const auto sub = cat.subs.find(s);
            subExists_[size_t(c)].set(size_t(s), sub != cat.subs.end());
            nameMatch_[size_t(c)].set(size_t(s), inCategory || (sub != cat.subs.end() && foldForSearch(*sub).contains(text)));
        }
    }
}

bool SearchMatcher::yearInRange(int year) const
{
    return (!query_.dateFrom.isValid() || year >= query_.dateFrom.year())
        && (!query_.dateTo.isValid() || year <= query_.dateTo.year());
}

bool SearchMatcher::matches(int year, const Entry& e) const
{
    if (!nameMatch_[e.categoryNo % 100].test(e.subNo % 100))
        return false;
    if (query_.side != SearchQuery::Side::Both) {
        const bool isOut = names_.categories[e.categoryNo % 100].kind == 1;
        if (isOut != (query_.side == SearchQuery::Side::Out))
            return false;
    }
    const qint64 amount = qint64(e.out) + e.in;
    if ((query_.amountFrom && amount < *query_.amountFrom) || (query_.amountTo && amount > *query_.amountTo))
        return false;
    if (query_.dateFrom.isValid() || query_.dateTo.isValid()) {
        const QDate d(year, e.month(), e.day());
        // "02/30" in a hand-edited file is no date; it counts as its month's end.
        const QDate day = d.isValid() ? d : QDate(year, e.month(), 1).addMonths(1).addDays(-1);
        if ((query_.dateFrom.isValid() && day < query_.dateFrom) || (query_.dateTo.isValid() && day > query_.dateTo))
            return false;
    }
    return true;
}

void searchMonth(int year, const std::vector<Entry>& entries, bool raw, const SearchMatcher& matcher,
                 std::vector<SearchHit>& hits)
{
    const auto& cats = matcher.names().categories;
    int index = 0;
    for (Entry e : entries) {
        const MasterNames::Category& cat = cats[e.categoryNo % 100];
        // As a load of the year gives it: no entry of a deleted category,
        // no deleted sub-item, the amount on its side.
        if (cat.kind == 0)
            continue;
        if (raw) {
            e.id = 0; // the file's line number: no entry of the open year
            if (e.subNo != 0 && !matcher.subExists(e.categoryNo, e.subNo))
                e.subNo = 0;
            if (cat.kind != 1)
                std::swap(e.out, e.in);
        }
        if (matcher.matches(year, e))
            hits.push_back({year, e, index});
        ++index;
    }
}
