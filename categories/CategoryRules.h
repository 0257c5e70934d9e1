#pragma once

#include "KeyedCollection.h"

#include <QSet>
#include <QString>
#include <QtGlobal>
#include <optional>

class LedgerModel;

// The rules of the category editor that need no window: numbers, budgets,
// and bringing the open year and the use ranking in line with a changed
// category set.
namespace CategoryRules {

// The smallest number 1..99 not used as a key of `items`, as "01".."99";
// empty text when all 99 are taken. Freed numbers are reused.
template <typename T>
QString smallestFreeNumber(const KeyedCollection<T>& items)
{
    for (int n = 1; n <= 99; ++n) {
        const QString no = n < 10 ? QLatin1Char('0') + QString::number(n) : QString::number(n);
        if (!items.contains(no))
            return no;
    }
    return {};
}

// The budget typed into the field: 0 when empty, else the number rounded to
// whole yen, halves to the even yen. Nothing when the text is not a number
// or lies beyond the 32-bit range.
std::optional<qint32> budgetValue(const QString& text);

// How many entries of the open year carry the category number.
int entriesOf(const LedgerModel& model, int categoryNo);

// After the master was reread: the entries of the deleted category numbers
// that no category holds again leave the month slots, and every other entry holds its amount on the
// side its category's kind asks for, as a reload of the year would give.
void alignYear(LedgerModel& model, const QSet<int>& deleted);

// categoryUse keeps the rows of the categories that still exist, in their
// order, loses the others and gains a row (count 0) for each new category.
void alignCategoryUse(LedgerModel& model);

}
