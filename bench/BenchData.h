#pragma once

// The data the benchmarks time the ledger on: a category master and a year
// file in the forms the program reads, drawn from a fixed seed so every run
// times the same data.

#include "ledger/Formats.h"
#include "ledger/tests/TestHome.h"

#include <QString>
#include <array>
#include <random>

namespace BenchData {

// Categories 1..expense are expenses, the rest income; each holds `subs`
// sub-items. Odd-numbered categories carry a budget, so summaries show both
// kinds of row.
struct Master {
    int categories = 30;
    int expense = 25;
    int subs = 8;
};

inline QString categoryName(int n) { return QStringLiteral("費目%1").arg(n); }
inline QString subName(int category, int sub) { return QStringLiteral("摘要項目%1-%2").arg(category).arg(sub); }

inline QString masterText(const Master& m)
{
    QString t = QStringLiteral("C\n*  Last modified: 01-01-2026\n*\n\n");
    for (int n = 1; n <= m.categories; ++n) {
        t += Fmt::zero2(n) + QStringLiteral("00") + categoryName(n)
            + QStringLiteral(":%1:%2:%3\n").arg(n <= m.expense ? 1 : 2).arg(n * 123457 % 16777216).arg(n % 2 ? 30000 : 0);
        for (int s = 1; s <= m.subs; ++s)
            t += Fmt::zero2(n) + Fmt::zero2(s) + subName(n, s) + QLatin1Char('\n');
    }
    return t;
}

// Entries in each month, January first.
using PerMonth = std::array<int, 12>;

// `entries` spread evenly over the year.
inline PerMonth spread(int entries)
{
    PerMonth per{};
    for (int m = 0; m < 12; ++m)
        per[m] = entries / 12 + (m < entries % 12 ? 1 : 0);
    return per;
}

// `entries` in one month (1..12), `others` in each of the rest.
inline PerMonth oneMonth(int month, int entries, int others = 0)
{
    PerMonth per;
    per.fill(others);
    per[month - 1] = entries;
    return per;
}

struct Entries {
    PerMonth perMonth{};
    int amounts = 50000; // amounts are 100 .. 100 + amounts - 1 yen
    int days = 28;       // a month's entries run in day order over days 1..days
    unsigned seed = 42;
};

// An entry line "mm/ddccssamount" as the year file holds it.
inline QString entryLine(int month, int day, int category, int sub, qint32 amount)
{
    return Fmt::zero2(month) + QLatin1Char('/') + Fmt::zero2(day) + Fmt::zero2(category) + Fmt::zero2(sub)
        + QString::number(amount);
}

// A year file: the carry-over, entries of random categories and sub-items
// ("00", none, now and then) and the year-end balance line.
inline QString yearText(const Master& master, const Entries& entries, qint32 carryOver)
{
    std::mt19937 rng(entries.seed);
    QString t = QStringLiteral("C\n* Last modified: 01-01-2026\n*\n\n&") + QString::number(carryOver) + QLatin1Char('\n');
    qint64 balance = carryOver;
    for (int month = 1; month <= 12; ++month) {
        const int count = entries.perMonth[month - 1];
        for (int i = 0; i < count; ++i) {
            const int category = 1 + int(rng() % unsigned(master.categories));
            const int sub = int(rng() % unsigned(master.subs + 1));
            const qint32 amount = 100 + qint32(rng() % unsigned(entries.amounts));
            balance += category <= master.expense ? -amount : amount;
            t += entryLine(month, 1 + int(qint64(i) * entries.days / count), category, sub, amount) + QLatin1Char('\n');
        }
    }
    return t + QLatin1Char('$') + QString::number(balance) + QLatin1Char('\n');
}

// Writes the master and the file of `year` into the program folder.
inline void writeFolder(const TestHome& home, int year, const Master& master, const Entries& entries, qint32 carryOver)
{
    home.writeText(QStringLiteral("MainSub.zbt"), masterText(master));
    home.writeText(QString::number(year) + QStringLiteral(".zbl"), yearText(master, entries, carryOver));
}
}
