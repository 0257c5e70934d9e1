#pragma once

// Small helpers shared by the ledger's test files.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/TestHome.h"

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <memory>

// CP932 bytes of a text, encoded here rather than through the code under test.
inline QByteArray sjis(const QString& text)
{
    QStringEncoder enc("windows-31j");
    return enc.encode(text);
}

// A master as a user's folder holds it: three categories, two with sub-items.
inline const char* const kMasterText = "C\n"
                                       "*  Last modified: 01-02-2026\n"
                                       "*\n"
                                       "*  Kanelo Y -費目・摘要項目管理ファイル-\n"
                                       "*\n"
                                       "\n"
                                       "0100食費:1:255:30000\n"
                                       "0101外食\n"
                                       "0102食材\n"
                                       "0200日用品:1:65280:5000\n"
                                       "0500給与:2:16711680:0\n"
                                       "0501本給\n"
                                       "0503賞与\n";

// The model's tables as they are, for tests that start from a state no
// routine makes (stale rows, a totals record out of step with its entries).
struct LedgerInternals {
    static std::vector<CategoryUseRow>& categoryUse(LedgerModel& m) { return m.categoryUse_; }
    static std::vector<GraphTargetRow>& graphTargets(LedgerModel& m) { return m.graphTargets_; }
    static MonthSlot& slot(LedgerModel& m, int month) { return m.monthSlots_[month - 1]; }
    static KeyedCollection<clsTekiyo>& memoList(LedgerModel& m) { return m.memoList_; }
    static KeyedCollection<clsHimoku>& categoryList(LedgerModel& m) { return m.categoryList_; }
};

inline std::shared_ptr<clsHimoku> addCategory(LedgerModel& m, const QString& no, const QString& name, int ioflag,
                                              quint32 color = 0, qint32 limit = 0)
{
    auto c = std::make_shared<clsHimoku>();
    c->no = no;
    c->name = name;
    c->ioflag = ioflag;
    c->color = color;
    c->limit = limit;
    // A name the master already holds is added under its number only, as a
    // hand-edited state would have it.
    if (!m.AddCategory(c))
        LedgerInternals::categoryList(m).add(no, c);
    return c;
}

inline Entry entry(const QString& date, const QString& category, qint32 out, qint32 in = 0,
                   const QString& sub = QStringLiteral("00"))
{
    Entry e;
    e.setDate(date);
    e.setCategory(category);
    e.setSub(sub);
    e.out = out;
    e.in = in;
    return e;
}

// "no name:ioflag:color:limit[sub,sub]" per category in collection order.
inline QString dumpCategories(const LedgerModel& m)
{
    QStringList out;
    for (const auto& slot : m.categoryList()) {
        const auto& c = slot.item;
        QStringList subs;
        for (int i = 0; i < c->nTekiyo.count(); ++i) {
            subs << c->nTekiyo.at(i)->no + c->nTekiyo.at(i)->name;
            if (c->sTekiyo.at(i) != c->nTekiyo.at(i))
                subs << QStringLiteral("<sTekiyo out of step>");
        }
        out << QStringLiteral("%1%2:%3:%4:%5[%6]")
                   .arg(c->no, c->name)
                   .arg(c->ioflag)
                   .arg(c->color)
                   .arg(c->limit)
                   .arg(subs.join(QLatin1Char(',')));
        if (m.categoryByName().find(c->name) != c)
            out << QStringLiteral("<not found by name>");
    }
    return out.join(QLatin1Char(' '));
}

// "date cat sub out/in" per entry of a month, in slot order.
inline QString dumpMonth(const LedgerModel& m, int month)
{
    QStringList out;
    for (const Entry& e : m.slot(month).entries)
        out << QStringLiteral("%1 %2 %3 %4/%5").arg(e.date(), e.category(), e.sub()).arg(e.out).arg(e.in);
    return out.join(QStringLiteral("; "));
}

// A model with the usual master read from a test folder, for one year.
struct LedgerFixture {
    TestHome home;
    FakePrompter p;
    LedgerModel m{p};
    explicit LedgerFixture(int year = 2026)
    {
        home.writeText("MainSub.zbt", QString::fromUtf8(kMasterText));
        m.ReadCategoryMaster(1);
        m.setYear(year);
    }
};
