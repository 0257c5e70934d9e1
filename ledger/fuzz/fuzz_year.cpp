// The year file reader. The input is the year file of 2026, optionally
// followed by two NUL bytes and the file of 2025 (for automatic
// carry-overs). Loading never fails unsafely; the month totals equal their
// entries; a saved year loads back to the same entries and carry-over and
// saves to the same bytes; a refused save leaves the file as it was.

#include "ledger/tests/FakePrompter.h"
#include "ledger/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& folder = FuzzFolder::get();
    const QString file = QStringLiteral("2026.zbl");
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf(QByteArray("\0\0", 2));
    const QByteArray year = split < 0 ? input : input.left(split);
    folder.write(QStringLiteral("MainSub.zbt"), fuzzMaster());
    folder.write(file, year);
    if (split < 0)
        folder.remove(QStringLiteral("2025.zbl"));
    else
        folder.write(QStringLiteral("2025.zbl"), input.mid(split + 2));

    FakePrompter p;
    LedgerModel m(p);
    FUZZ_CHECK(m.ReadCategoryMaster(1));
    m.setYear(2026);
    FUZZ_CHECK(m.LoadYearFile());
    FUZZ_CHECK(p.unexpected == 0);
    fuzzDumpYear(m);
    m.BuildMonthCatTotals();
    qint64 out = 0, in = 0;
    for (const MonthSlot& s : m.monthSlots()) {
        out += s.totalOut;
        in += s.totalIn;
    }
    FUZZ_CHECK(m.yearOut() == out && m.yearIn() == in);

    if (!m.SaveYearFile(1)) {
        FUZZ_CHECK(folder.read(file) == year);
        return 0;
    }
    FUZZ_CHECK(LedgerModel::balanceFits(m.yearEndBalance()));
    const QString model = fuzzDumpYear(m);
    const QByteArray written = folder.read(file);

    FakePrompter p2;
    LedgerModel back(p2);
    FUZZ_CHECK(back.ReadCategoryMaster(1));
    back.setYear(2026);
    FUZZ_CHECK(back.LoadYearFile());
    // Only a previous year without its balance line is worth a word now.
    for (const QString& text : p2.messages())
        FUZZ_CHECK(text == QStringLiteral("家計簿データファイルが異常です。"));
    FUZZ_CHECK(fuzzDumpYear(back) == model);
    FUZZ_CHECK(back.SaveYearFile(1));
    FUZZ_CHECK(folder.read(file) == written);
    return 0;
}
