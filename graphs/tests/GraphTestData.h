#pragma once

// A small ledger in memory for the graph tests: categories with colours,
// budgets and sub-items, and entries filed into their months.

#include "ledger/tests/FakePrompter.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"

struct GraphLedger {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};

    GraphLedger()
    {
        model.setYear(2026);
        model.setCurMonth(4);
    }

    // A category and its graphTargets row, shown.
    std::shared_ptr<clsHimoku> category(const QString& no, const QString& name, int ioflag, quint32 color = 0,
                                        qint32 limit = 0, const QStringList& subs = {})
    {
        auto c = addCategory(model, no, name, ioflag, color, limit);
        for (int i = 0; i < subs.size(); ++i)
            c->addsub(Fmt::zero2(i + 1), subs[i]);
                return c;
    }

    // An entry "mm/dd" of a category and sub-item; the amount goes to the
    // field the category's kind uses.
    void add(const QString& date, const QString& categoryNo, qint32 amount, const QString& sub = QStringLiteral("00"))
    {
        const auto c = model.category(categoryNo);
        const bool out = !c || c->ioflag == 1;
        model.InsertEntry(entry(date, categoryNo, out ? amount : 0, out ? 0 : amount, sub));
    }
};

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Runs `act` on the modal window of type W once it is shown (the caller then
// opens it); `act` must close it. Fails the check when another or no window
// is in front.
template <typename W>
void whenShown(std::function<void(W*)> act, bool* seen = nullptr)
{
    QTimer::singleShot(0, [act, seen] {
        auto* w = qobject_cast<W*>(QApplication::activeModalWidget());
        if (seen)
            *seen = w != nullptr;
        if (w)
            act(w);
        else if (QWidget* other = QApplication::activeModalWidget())
            other->close();
    });
}
