#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <vector>

// A month of a year, "yyyy/mm" in the rules file.
struct YearMonth {
    int year = 0;
    int month = 0; // 1..12; 0 for none

    bool valid() const { return month >= 1 && month <= 12 && year >= 1 && year <= 9999; }
    int index() const { return year * 12 + month - 1; }
    static YearMonth ofIndex(int i) { return {i / 12, i % 12 + 1}; }
    static YearMonth of(const QDate& d) { return {d.year(), d.month()}; }
    YearMonth next() const { return ofIndex(index() + 1); }
    YearMonth previous() const { return ofIndex(index() - 1); }
    QString text() const; // "yyyy/mm", empty for none
    // "yyyy/mm" (also "yyyy/m"); none for any other text.
    static bool parse(QStringView text, YearMonth& out);
    bool operator==(const YearMonth&) const = default;
};

// One recurring entry (定期入力): rent, insurance, a subscription, the
// salary. On its day of each of its months it is due as an entry of its
// category and sub-item; a day past the month's end means the last day.
struct TeikiRule {
    static constexpr quint16 kEveryMonth = 0x0FFF;

    QString name;
    quint8 categoryNo = 0; // 1..99
    quint8 subNo = 0;      // 0 for no sub-item
    qint32 amount = 0;     // 1 or more, on the side the category's kind says
    int day = 1;           // 1..31
    quint16 months = kEveryMonth; // bit m-1 for month m
    YearMonth first;       // none: from when the rule was made
    YearMonth last;        // none: no end
    bool on = true;
    // The last month applied, one per year, oldest year first.
    std::vector<YearMonth> applied;
    // Identifies the rule while the program runs; not in the file.
    int id = 0;

    bool inMonth(int month) const { return months & (1u << (month - 1)); }
    // The month applied last in that year (none when nothing was).
    YearMonth appliedIn(int year) const;
    // Records that the rule is applied up to that month of its year.
    void markApplied(const YearMonth& ym);
    // The date of its entry in a month: its day, or the month's last day.
    QDate dateIn(const YearMonth& ym) const;
    // The months of `year` whose entry is due by `today` and not yet
    // applied: from the later of the first month and the month after the
    // last one applied, up to today and the last month. A rule without a
    // first month starts after the oldest month applied (a new rule is
    // marked as applied up to the month before it was made). A rule that
    // is off is never due.
    std::vector<YearMonth> dueIn(int year, const QDate& today) const;

    // "毎月" or "6,12" for the lists.
    QString monthsText() const;
};
