// The category master reader: whatever MainSub.zbt holds, reading never
// fails unsafely, and what is written reads back to the same categories
// and, written again, to the same bytes. A refused write leaves the file.

#include "ledger/tests/FakePrompter.h"
#include "ledger/fuzz/FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzFolder& folder = FuzzFolder::get();
    const QString file = QStringLiteral("MainSub.zbt");
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    folder.write(file, input);

    FakePrompter p;
    LedgerModel m(p);
    if (!m.ReadCategoryMaster(1)) {
        FUZZ_CHECK(m.categoryList().isEmpty());
        FUZZ_CHECK(folder.read(file) == input);
        return 0;
    }
    FUZZ_CHECK(m.categoryList().count() == m.categoryByName().count());
    FUZZ_CHECK(m.categoryUse().size() == size_t(m.categoryList().count()));
    const QString model = fuzzDumpCategories(m);

    if (!m.WriteCategoryMaster()) {
        FUZZ_CHECK(folder.read(file) == input);
        return 0;
    }
    const QByteArray written = folder.read(file);

    // The program's own file reads back silently to the same model.
    FakePrompter p2;
    LedgerModel back(p2);
    FUZZ_CHECK(back.ReadCategoryMaster(1));
    FUZZ_CHECK(p2.shown.isEmpty());
    FUZZ_CHECK(fuzzDumpCategories(back) == model);
    FUZZ_CHECK(back.WriteCategoryMaster());
    FUZZ_CHECK(folder.read(file) == written);
    return 0;
}
