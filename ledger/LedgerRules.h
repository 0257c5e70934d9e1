#pragma once

#include "ledger/Types.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

// Rules both programs and several windows follow, each kept once: how a
// number is given to a new category or sub-item, how a budget is rounded,
// how a category colour reads, how entries of deleted categories are named
// and where the slices of a pie end.
namespace LedgerRules {

// The smallest number 1..99 that `items` does not hold as a key, as
// "01".."99"; empty text when all 99 are taken. Freed numbers are reused.
template <typename Keyed>
QString smallestFreeNumber(const Keyed& items)
{
    for (int n = 1; n <= 99; ++n) {
        const QString no = n < 10 ? QLatin1Char('0') + QString::number(n) : QString::number(n);
        if (!items.contains(no))
            return no;
    }
    return {};
}

// Why a category or sub-item name cannot stand in the master: a ":" in a
// category name or a line break would split its line when read back, and
// text beyond the code page would be written as "?". Each program words the
// reason for its own window.
struct NameFault {
    enum Kind { None, Colon, LineBreak, Unstorable };
    Kind kind = None;
    QString character; // Unstorable: the first character the code page cannot hold
};
NameFault masterNameFault(const QString& name, bool isCategory, bool checkCodePage = true);

// A typed budget: 0 when empty, else the number rounded to whole yen,
// halves to the even yen. Nothing when the text is not a number or lies
// beyond the 32-bit range.
std::optional<qint32> budgetValue(const QString& text);

// A typed budget as both category editors take it: the value, or why it is
// refused (the message and its title, the same in both programs).
struct BudgetCheck {
    std::optional<qint32> value;
    QString fault;
    QString title;
};
BudgetCheck checkBudget(const QString& text);

// Two categories never share a colour: the message naming the category
// other than number `ownNo` that already shows `colour`, or empty text.
// Its title is kColourTakenTitle.
template <typename Categories>
QString colourTakenFault(const Categories& categories, quint32 colour, const QString& ownNo)
{
    for (const auto& c : categories)
        if (c.item->no != ownNo && c.item->color == colour)
            return QStringLiteral("この表示色はすでに他の費目 [") + c.item->name
                   + QStringLiteral("] で使用されています。\r\n他の色を指定して下さい。");
    return {};
}
inline const QString kColourTakenTitle = QStringLiteral("表示色重複");

// A category colour (0x00BBGGRR, as the master holds it) as 0xFFRRGGBB,
// the form QColor takes; and back from red, green and blue.
quint32 rgbOfColour(quint32 bgr);
quint32 colourOfRgb(int red, int green, int blue);

// How an entry's category and sub-item are named where they are listed by
// name (export, reports): the names the master gives, or for numbers it no
// longer holds, the number and that it was deleted.
struct EntryNames {
    QString category;
    QString sub; // empty for no sub-item of an existing category
};
EntryNames namesOf(const clsHimoku* category, const QString& categoryNo, const QString& subNo);

// Where each slice of a pie of these amounts ends, as a share of the whole
// circle running from 0 to 1, in the order given; amounts of 0 or less get
// no slice (their end is the previous one). The last slice ends at exactly 1.
std::vector<double> pieEnds(const std::vector<qint64>& amounts);

}
