#pragma once

// Shared by the fuzz targets of the file readers: one program folder for
// the whole run, a fixed "today" (so the header lines of two saves match),
// a check that stops the run, and descriptions of the model to compare.
//
// A target defines LLVMFuzzerTestOneInput. Built with clang and
// -DKANELO_FUZZ=ON it is a libFuzzer program (build/fuzz/fuzz_<name>);
// always it is also built with FuzzReplay.cpp as replay_<name>, which CTest
// runs over the checked-in seeds in corpus/<name>.

#include "ledger/Clock.h"
#include "ledger/LedgerModel.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                                        \
    do {                                                                                                        \
        if (!(cond)) {                                                                                          \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);                 \
            std::abort();                                                                                       \
        }                                                                                                       \
    } while (false)

class FuzzFolder {
public:
    static FuzzFolder& get()
    {
        static FuzzFolder folder;
        return folder;
    }

    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(f.write(bytes) == bytes.size());
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void remove(const QString& name) const { QFile::remove(path(name)); }

private:
    FuzzFolder()
    {
        FUZZ_CHECK(dir_.isValid());
        qputenv("KANELO_HOME", dir_.path().toLocal8Bit());
        Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    }
    QTemporaryDir dir_;
};

// A master of expense and income categories with sub-items, CP932 CR LF,
// for the targets that read entries.
inline QByteArray fuzzMaster()
{
    return QByteArray("C\r\n*\r\n\r\n"
                      "0100\x90\x48\x94\xef:1:255:30000\r\n0101a\r\n0102b\r\n"
                      "0200x:1:0:0\r\n"
                      "0500\x8b\x8b\x97\x5e:2:0:0\r\n0501c\r\n0503d\r\n");
}

// Categories and sub-items in number order: the writer puts them in that
// order whatever order the file read had.
inline QString fuzzDumpCategories(const LedgerModel& m)
{
    QStringList out;
    for (const auto& slot : m.categoryList()) {
        const auto& c = slot.item;
        FUZZ_CHECK(m.categoryNamed(c->name) == c);
        QStringList subs;
        for (int i = 0; i < c->nTekiyo.count(); ++i) {
            FUZZ_CHECK(c->sTekiyo.at(i) == c->nTekiyo.at(i));
            subs << QStringLiteral("  %1|%2").arg(c->nTekiyo.at(i)->no, c->nTekiyo.at(i)->name);
        }
        subs.sort();
        out << QStringLiteral("%1|%2|%3|%4|%5").arg(c->no, c->name).arg(c->ioflag).arg(c->color).arg(c->limit) + QLatin1Char('\n')
                + subs.join(QLatin1Char('\n'));
    }
    out.sort();
    return out.join(QLatin1Char('\n'));
}

// Carry-over and every entry in slot order; checks each month's totals
// against its entries on the way.
inline QString fuzzDumpYear(const LedgerModel& m)
{
    QStringList out{QStringLiteral("%1 %2").arg(m.carryOver()).arg(m.carryAuto())};
    for (int month = 1; month <= 12; ++month) {
        const MonthSlot& s = m.slot(month);
        qint64 sumOut = 0, sumIn = 0;
        for (const Entry& e : s.entries) {
            FUZZ_CHECK(e.month() == month);
            const auto c = m.category(e.category());
            FUZZ_CHECK(c);
            FUZZ_CHECK(e.subNo == 0 || c->nTekiyo.contains(e.sub()));
            FUZZ_CHECK(c->ioflag == 1 ? e.in == 0 : e.out == 0);
            sumOut += e.out;
            sumIn += e.in;
            out << QStringLiteral("%1 %2 %3 %4 %5").arg(e.date(), e.category(), e.sub()).arg(e.out).arg(e.in);
        }
        FUZZ_CHECK(s.totalOut == sumOut && s.totalIn == sumIn);
    }
    return out.join(QLatin1Char('\n'));
}
