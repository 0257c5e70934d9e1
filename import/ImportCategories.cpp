// The category pages' work on the session: the new order, the greens and
// the information of new categories.
#include "import/ImportSession.h"

#include "ledger/Formats.h"
#include "ledger/LedgerRules.h"
#include "ledger/LineText.h"

#include <QSet>

namespace Import {

bool moveRow(QStringList& names, int from, int target, bool before)
{
    if (from == target || from < 0 || target < 0 || from >= names.size() || target >= names.size())
        return false;
    // The row lands at v + 1 when it comes from below, at v when from above.
    const int v = before ? target - 1 : target;
    if (from == v || (from > v && from == v + 1))
        return false;
    const QString dragged = names[from];
    if (from < v) {
        for (int r = from; r < v; ++r)
            names[r] = names[r + 1];
        names[v] = dragged;
    } else {
        for (int r = from; r >= v + 2; --r)
            names[r] = names[r - 1];
        names[v + 1] = dragged;
    }
    return true;
}

quint32 greenShade(int i, int n)
{
    // 255 * (n - i) / n rounded to the nearest whole number, halves to even.
    const int num = 255 * (n - i);
    int g = num / n;
    const int twice = 2 * (num % n);
    if (twice > n || (twice == n && g % 2 == 1))
        ++g;
    return quint32(g) << 8;
}

QStringList ImportSession::namesInNumberOrder() const
{
    QStringList names;
    for (const auto& s : categoryNumbers)
        names << s.item->name;
    return names;
}

void ImportSession::ApplyOrder(const QStringList& names)
{
    QStringList numbers;
    for (const auto& s : categoryNumbers)
        numbers << s.item->no;
    for (int r = 0; r < names.size() && r < numbers.size(); ++r) {
        if (ImportCategory* c = categoryNamed(names[r]))
            c->no = numbers[r];
        categoryNumbers.at(r)->name = names[r];
    }
}

ImportCategory* ImportSession::categoryNamed(const QString& name) const { return sourceCategories.find(name).get(); }

void ImportSession::AssignGreenShades()
{
    const int n = sourceCategories.count();
    QSet<quint32> taken;
    for (const auto& s : sourceCategories)
        if (extendsMaster && s.item->color != quint32(-1))
            taken.insert(s.item->color);
    for (int i = 1; i <= n; ++i) {
        ImportCategory& c = *sourceCategories.at(i - 1);
        if (extendsMaster && c.color != quint32(-1))
            continue;
        // A green an existing category already shows is moved by one step,
        // so that keeping the colours given here is never refused.
        quint32 color = greenShade(i, n);
        while (taken.contains(color))
            color = ((((color >> 8) & 0xFF) + 1) % 256) << 8;
        c.color = color;
        taken.insert(color);
    }
}

bool ImportSession::ChangeCategoryInfo(const QString& name, quint32 color, const QString& limitText, int ioflag)
{
    ImportCategory* target = categoryNamed(name);
    if (!target)
        return false;
    const QString taken = LedgerRules::colourTakenFault(sourceCategories, color, target->no);
    if (!taken.isEmpty()) {
        prompter_->message(taken, Prompter::Icon::Warning, LedgerRules::kColourTakenTitle);
        return false;
    }
    const LedgerRules::BudgetCheck budget = LedgerRules::checkBudget(trimSpaces(limitText));
    if (!budget.value) {
        prompter_->message(budget.fault, Prompter::Icon::Warning, budget.title);
        return false;
    }
    target->color = color;
    target->limit = *budget.value;
    target->ioflag = ioflag == 2 ? 2 : 1;
    return true;
}

}
