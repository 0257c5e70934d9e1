// The import path: source bytes read, categories registered, numbers
// resolved, files written, and read back through the ledger's readers. The
// input is the source, optionally after a first line choosing the folder:
// "L" linked (a master and a year, the starting KaneloY running), "S" on its
// own beside a master and a year, "F" (or none) an empty folder. Every
// question is answered Yes. Either the import is refused with a message and
// every file stays as it was, or the files read back to the master extended
// (existing categories untouched) and the year holding the entries written.

#include "ledger/tests/FakePrompter.h"
#include "ledger/fuzz/FuzzHarness.h"
#include "ledger/ImportHandOff.h"
#include "import/ImportSession.h"

#include <QLockFile>
#include <QMap>

namespace {
const QByteArray kYear("C\r\n*\r\n\r\n&1000\r\n01/050101300\r\n03/030500250000\r\n$250700\r\n");

QMap<QString, QByteArray> filesOf(const FuzzFolder& folder)
{
    QMap<QString, QByteArray> out;
    for (const QString& name : QDir(folder.path(QStringLiteral("."))).entryList(QDir::Files))
        if (name != QLatin1String("KaneloY.lock"))
            out[name] = folder.read(name);
    return out;
}

QStringList entriesOf(const LedgerModel& m)
{
    QStringList out;
    for (const MonthSlot& s : m.monthSlots())
        for (const Entry& e : s.entries)
            out << QStringLiteral("%1 %2 %3 %4 %5").arg(e.date(), e.category(), e.sub()).arg(e.out).arg(e.in);
    out.sort();
    return out;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& folder = FuzzFolder::get();
    QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    char scenario = 'F';
    if (input.size() >= 2 && input[1] == '\n' && (input[0] == 'L' || input[0] == 'S' || input[0] == 'F')) {
        scenario = input[0];
        input.remove(0, 2);
    }
    for (const QString& name : filesOf(folder).keys())
        folder.remove(name);
    if (scenario != 'F') {
        folder.write(QStringLiteral("MainSub.zbt"), fuzzMaster());
        folder.write(QStringLiteral("2026.zbl"), kYear);
    }
    static QLockFile ledgerLock(HandOff::ledgerLockPath());
    if (scenario == 'L')
        ledgerLock.tryLock(0);
    else
        ledgerLock.unlock();
    const QMap<QString, QByteArray> before = filesOf(folder);

    FakePrompter p;
    for (int i = 0; i < 8; ++i)
        p.answers << Prompter::Answer::Yes;
    Import::ImportSession s(p);
    s.setCommandLine(scenario == 'L' ? QStringLiteral("2026 ") + HandOff::newToken() : QString());
    s.importYear = QStringLiteral("2026");
    // The folder as the import finds it.
    FakePrompter existingPrompter;
    LedgerModel existing(existingPrompter);
    existing.setYear(2026);
    if (scenario != 'F')
        FUZZ_CHECK(existing.ReadCategoryMaster(1) && existing.LoadYearFile());

    const bool read = s.LoadMasterToExtend() && s.ReadSourceBytes(input);
    if (read)
        s.AssignGreenShades();
    const auto written = read ? s.WriteOutput() : Import::ImportSession::Written::No;
    FUZZ_CHECK(p.unexpected == 0);
    if (written != Import::ImportSession::Written::Yes) {
        FUZZ_CHECK(!p.messages().isEmpty());
        FUZZ_CHECK(filesOf(folder) == before);
        return 0;
    }
    FUZZ_CHECK(s.written > 0 && s.written <= s.entryCount());

    FakePrompter p2;
    LedgerModel back(p2);
    FUZZ_CHECK(back.ReadCategoryMaster(1));
    FUZZ_CHECK(p2.shown.isEmpty());
    fuzzDumpCategories(back);
    // Existing categories keep number, name, kind, colour, budget and sub-items.
    for (const auto& c : existing.categoryList()) {
        const auto now = back.category(c.item->no);
        FUZZ_CHECK(now && now->name == c.item->name && now->ioflag == c.item->ioflag && now->color == c.item->color
                   && now->limit == c.item->limit);
        for (const auto& t : c.item->nTekiyo)
            FUZZ_CHECK(now->nTekiyo.find(t.item->no) && now->nTekiyo.find(t.item->no)->name == t.item->name);
    }
    // Every category of the import is in the master under its number.
    for (const auto& c : s.sourceCategories)
        FUZZ_CHECK(back.category(c.item->no) && back.category(c.item->no)->name == c.item->name);

    back.setYear(2026);
    FUZZ_CHECK(back.LoadYearFile());
    const QStringList incoming = entriesOf(s.ledger); // what was written, resolved
    FUZZ_CHECK(int(incoming.size()) == s.written);
    if (scenario == 'L') {
        int merged = 0;
        FUZZ_CHECK(HandOff::tokenOf(folder.read(QStringLiteral("2026_add.zbl"))) == s.token);
        FUZZ_CHECK(back.MergeAddFile(2026, &merged) && merged == s.written);
    }
    for (const QString& text : p2.messages())
        FUZZ_CHECK(text == QStringLiteral("家計簿データファイルが異常です。"));
    fuzzDumpYear(back);
    FUZZ_CHECK(LedgerModel::balanceFits(back.yearEndBalance()));
    // The year holds what it held and what was written, nothing else.
    QStringList expected = entriesOf(existing) + incoming;
    expected.sort();
    FUZZ_CHECK(entriesOf(back) == expected);
    for (const QString& name : filesOf(folder).keys())
        FUZZ_CHECK(!name.endsWith(QLatin1String(".kanelo-new")) && !name.endsWith(QLatin1String(".journal")));
    return 0;
}
