#pragma once

// A ledger in memory for the report tests: categories added directly and
// entries filed through InsertEntry, as the year file loader files them.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"

#include <QStringList>

struct ReportLedger {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};

    // "no:name:ioflag[:color]" per category.
    explicit ReportLedger(const QStringList& categories, int year = 2026)
    {
        model.setYear(year);
        for (const QString& c : categories) {
            const QStringList f = c.split(QLatin1Char(':'));
            addCategory(model, f[0], f[1], f[2].toInt(), f.size() > 3 ? f[3].toUInt() : 0);
        }
    }

    // "mm/dd cc amount [ss]"; the amount goes to the side of the category.
    void add(const QStringList& entries)
    {
        for (const QString& line : entries) {
            const QStringList f = line.split(QLatin1Char(' '));
            const qint32 amount = f[2].toInt();
            const bool income = model.category(f[1])->ioflag == 2;
            model.InsertEntry(entry(f[0], f[1], income ? 0 : amount, income ? amount : 0,
                                    f.size() > 3 ? f[3] : QStringLiteral("00")));
        }
        model.BuildMonthCatTotals();
    }
};

// The usual household: four expense categories, two income categories.
inline QStringList householdCategories()
{
    return {QStringLiteral("01:食費:1:255"), QStringLiteral("02:日用品:1:65280"), QStringLiteral("03:交際費:1:16711680"),
            QStringLiteral("04:医療費:1:8421504"), QStringLiteral("05:給与:2:33023"), QStringLiteral("06:雑収入:2:12632256")};
}

// n categories named 費目1.., every third one income.
inline QStringList numberedCategories(int n)
{
    QStringList list;
    for (int i = 1; i <= n; ++i)
        list << QStringLiteral("%1:費目%2:%3:%4").arg(i, 2, 10, QLatin1Char('0')).arg(i).arg(i % 3 ? 1 : 2).arg(i * 40503);
    return list;
}
