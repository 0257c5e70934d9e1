#pragma once

#include "ledger/Types.h"

#include <array>
#include <vector>

namespace Import {

struct Duplicates {
    std::vector<char> flagged; // one per incoming entry
    int inYear = 0;            // equal to an entry the year holds
    int repeated = 0;          // equal to an earlier incoming entry only
};

// Incoming entries that equal (date, category, sub-item, amount) an entry
// of the year, or an earlier incoming entry: the first of repeated ones is
// not flagged.
Duplicates findDuplicates(const std::array<MonthSlot, 12>& year, const std::vector<Entry>& incoming);

}
