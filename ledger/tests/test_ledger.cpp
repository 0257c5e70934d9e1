#include "FakePrompter.h"
#include "LedgerModel.h"
#include "TestHome.h"

#include <QTest>

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void masterRoundTrip();
};

void TestLedger::masterRoundTrip()
{
    TestHome home;
    home.writeText("MainSub.zbt", "C\n*\n\n0100食費:1:255:30000\n0101外食\n0200給与:2:65280:0\n");
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    QCOMPARE(m.categoryList.count(), 2);
    QVERIFY(m.WriteCategoryMaster());
    QVERIFY(home.readBytes("MainSub.zbt").endsWith("0100\x90\x48\x94\xef:1:255:30000\r\n0101\x8a\x4f\x90\x48\r\n0200\x8b\x8b\x97\x5e:2:65280:0\r\n"));
}

QTEST_GUILESS_MAIN(TestLedger)
#include "test_ledger.moc"
