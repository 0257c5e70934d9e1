// The memo file reader: memos and the lines kept beside them read back the
// same after a write, and a second write gives the same bytes. A refused
// write leaves the file as it was.

#include "ledger/tests/FakePrompter.h"
#include "ledger/fuzz/FuzzHarness.h"

namespace {
QString dumpMemos(const LedgerModel& m)
{
    QStringList out;
    for (const auto& s : m.memoList()) {
        FUZZ_CHECK(s.key == s.item->no);
        out << s.key + QLatin1Char('=') + s.item->name;
    }
    return (out + m.memoOtherLines()).join(QLatin1Char('\n'));
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& folder = FuzzFolder::get();
    const QString file = QStringLiteral("2026.zbm");
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    folder.write(file, input);

    FakePrompter p;
    LedgerModel m(p);
    m.ReadMemoFile(2026);
    FUZZ_CHECK(p.messages().size() <= 1);
    const QString memos = dumpMemos(m);
    const bool kept = !m.memoOtherLines().isEmpty();
    if (!m.WriteMemoFile(2026)) {
        FUZZ_CHECK(folder.read(file) == input);
        return 0;
    }
    const QByteArray written = folder.read(file);

    FakePrompter p2;
    LedgerModel back(p2);
    back.ReadMemoFile(2026);
    FUZZ_CHECK(dumpMemos(back) == memos);
    FUZZ_CHECK(p2.messages().size() == (kept ? 1 : 0));
    FUZZ_CHECK(back.WriteMemoFile(2026));
    FUZZ_CHECK(folder.read(file) == written);
    return 0;
}
