// The merge file reader. Any bytes parse without harm into entries with
// valid fields; merged into a year they keep the month totals equal to the
// entries; the entries written back as a merge file read back the same.

#include "ledger/tests/FakePrompter.h"
#include "ledger/fuzz/FuzzHarness.h"
#include "ledger/MergeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& folder = FuzzFolder::get();
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const MergeFile::Parsed parsed = MergeFile::parse(input);
    for (const MergeFile::Line& line : parsed.data) {
        const Entry& e = line.entry;
        FUZZ_CHECK(e.month() >= 1 && e.month() <= 12 && e.day() >= 1 && e.day() <= 31);
        FUZZ_CHECK(e.categoryNo >= 1 && e.categoryNo <= 99 && e.subNo <= 99 && e.in == 0);
    }

    folder.write(QStringLiteral("MainSub.zbt"), fuzzMaster());
    folder.write(QStringLiteral("2026_add.zbl"), input);
    FakePrompter p;
    LedgerModel m(p);
    FUZZ_CHECK(m.ReadCategoryMaster(1));
    m.setYear(2026);
    FUZZ_CHECK(m.MergeAddFile(2026));
    FUZZ_CHECK(p.unexpected == 0);
    int merged = 0;
    for (const MonthSlot& s : m.monthSlots()) {
        qint64 out = 0, in = 0;
        for (int i = 0; i < s.count(); ++i) {
            out += s.entries[i].out;
            in += s.entries[i].in;
            FUZZ_CHECK(i == 0 || s.entries[i - 1].day() <= s.entries[i].day());
        }
        FUZZ_CHECK(s.totalOut == out && s.totalIn == in);
        merged += s.count();
    }
    FUZZ_CHECK(merged <= int(parsed.data.size()));

    // Merging files entries of one day in reverse order of arrival, so the
    // round trip keeps each day's entries but not their order.
    auto sortedDump = [](const LedgerModel& model) {
        QStringList lines = fuzzDumpYear(model).split(QLatin1Char('\n'));
        lines.sort();
        return lines;
    };
    const QStringList before = sortedDump(m);
    FUZZ_CHECK(m.WriteMergeFile(2026));
    m.clearMonthSlots();
    FUZZ_CHECK(m.MergeAddFile(2026));
    FUZZ_CHECK(sortedDump(m) == before);
    return 0;
}
