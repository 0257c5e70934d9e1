#include "import/ImportDuplicates.h"

#include <algorithm>

namespace Import {

namespace {
// Date, category and sub-item in the high bits, the written amount below:
// one number per entry, so the year sorts once and is searched.
quint64 key(const Entry& e)
{
    const quint64 where = ((quint64(e.monthNo) * 32 + e.dayNo) * 128 + e.categoryNo) * 128 + e.subNo;
    return (where << 32) | quint32(e.out != 0 ? e.out : e.in);
}
}

Duplicates findDuplicates(const std::array<MonthSlot, 12>& year, const std::vector<Entry>& incoming)
{
    Duplicates d;
    d.flagged.assign(incoming.size(), 0);
    std::vector<quint64> held;
    for (const MonthSlot& s : year)
        for (const Entry& e : s.entries)
            held.push_back(key(e));
    std::sort(held.begin(), held.end());

    std::vector<std::pair<quint64, size_t>> in(incoming.size());
    for (size_t i = 0; i < incoming.size(); ++i)
        in[i] = {key(incoming[i]), i};
    std::sort(in.begin(), in.end());
    for (size_t i = 0; i < in.size();) {
        size_t j = i;
        while (j < in.size() && in[j].first == in[i].first)
            ++j;
        const bool inYear = std::binary_search(held.begin(), held.end(), in[i].first);
        for (size_t k = inYear ? i : i + 1; k < j; ++k) {
            d.flagged[in[k].second] = 1;
            ++(inYear ? d.inYear : d.repeated);
        }
        i = j;
    }
    return d;
}

}
