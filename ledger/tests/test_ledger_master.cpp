// The category master MainSub.zbt: what is written, byte for byte, and what
// is read back from well-formed and broken files.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/tests/TestHome.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestLedgerMaster : public QObject {
    Q_OBJECT
private slots:
    void writesLayout();
    void readsMaster_data();
    void readsMaster();
    void readRebuildsTables();
    void missingMaster();
    void roundTripsCp932_data();
    void roundTripsCp932();
    void refusesUnstorableNames_data();
    void refusesUnstorableNames();
    void reportsWriteFailure();
};

void TestLedgerMaster::writesLayout()
{
    TestHome home;
    FakePrompter p;
    LedgerModel m(p);
    // Added out of order: the file is in number order whatever the collection order.
    auto c5 = addCategory(m, "05", "給与", 2, 16711680, 0);
    c5->addsub("03", "賞与");
    c5->addsub("01", "本給");
    addCategory(m, "02", "日用品", 1, 0, -1500);
    addCategory(m, "01", "食費", 1, 255, 30000)->addsub("01", "外食");
    QVERIFY(m.WriteCategoryMaster());
    QVERIFY(p.shown.isEmpty());

    const QByteArray expected = sjis(QStringLiteral("C\r\n"
                                                    "*  Last modified: 03-15-2026\r\n"
                                                    "*\r\n"
                                                    "*  Kanelo Y -費目・摘要項目管理ファイル-\r\n"
                                                    "*\r\n"
                                                    "\r\n"
                                                    "0100食費:1:255:30000\r\n"
                                                    "0101外食\r\n"
                                                    "0200日用品:1:0:-1500\r\n"
                                                    "0500給与:2:16711680:0\r\n"
                                                    "0501本給\r\n"
                                                    "0503賞与\r\n"));
    QCOMPARE(home.readBytes("MainSub.zbt"), expected);
    // 食費 in CP932, independent of any encoder.
    QVERIFY(home.readBytes("MainSub.zbt").contains("0100\x90\x48\x94\xef:1:255:30000\r\n"));
}

void TestLedgerMaster::readsMaster_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("eol");
    QTest::addColumn<QString>("categories");
    QTest::addColumn<QString>("skippedLines"); // empty: no message at all

    const QString good = QStringLiteral("01食費:1:255:30000[01外食,02食材] 02日用品:1:65280:5000[] "
                                        "05給与:2:16711680:0[01本給,03賞与]");
    QTest::newRow("crlf") << QString::fromUtf8(kMasterText) << QByteArray("\r\n") << good << QString();
    QTest::newRow("lf only") << QString::fromUtf8(kMasterText) << QByteArray("\n") << good << QString();
    QTest::newRow("spaces around lines, comment lines anywhere")
        << QStringLiteral("C\n  0100食費:1:255:30000  \n0101外食   \nC comment\n* note\n\n0102食材\n")
        << QByteArray("\r\n") << QStringLiteral("01食費:1:255:30000[01外食,02食材]") << QString();
    QTest::newRow("empty names read back as written")
        << QStringLiteral("0100:1:0:0\n0101\n") << QByteArray("\r\n") << QStringLiteral("01:1:0:0[01]") << QString();
    QTest::newRow("negative budget, sub-item name with colon")
        << QStringLiteral("0300雑費:1:0:-200\n0301a:b\n") << QByteArray("\r\n")
        << QStringLiteral("03雑費:1:0:-200[01a:b]") << QString();

    QTest::newRow("category line without its second colon")
        << QStringLiteral("0100食費:1:255:30000\n0300雑費:1\n0301文具\n0200日用品:1:0:0\n") << QByteArray("\r\n")
        << QStringLiteral("01食費:1:255:30000[] 02日用品:1:0:0[]") << QStringLiteral("2, 3");
    QTest::newRow("sub-item before any category")
        << QStringLiteral("C\n0101外食\n0100食費:1:255:30000\n0102食材\n") << QByteArray("\n")
        << QStringLiteral("01食費:1:255:30000[02食材]") << QStringLiteral("2");
    QTest::newRow("sub-item of a category the file does not hold")
        << QStringLiteral("0100食費:1:255:30000\n0901旅行\n") << QByteArray("\r\n")
        << QStringLiteral("01食費:1:255:30000[]") << QStringLiteral("2");
    QTest::newRow("numbers beyond 32 bits")
        << QStringLiteral("0100食費:1:4294967296:0\n0200日用品:1:0:2147483648\n0300雑費:1:0:2147483647\n")
        << QByteArray("\r\n") << QStringLiteral("03雑費:1:0:2147483647[]") << QStringLiteral("1, 2");
    QTest::newRow("non-numeric fields, short lines")
        << QStringLiteral("0100食費:1:red:0\n0200日用品:1:0:0x\n01\n0300雑費:1:0:\nx\n0400交通費:1:0:0\n")
        << QByteArray("\r\n") << QStringLiteral("04交通費:1:0:0[]") << QStringLiteral("1, 2, 3, 4, 5");
    QTest::newRow("duplicate numbers and names")
        << QStringLiteral("0100食費:1:0:0\n0100別名:1:0:0\n0200食費:1:0:0\n0101外食\n0101昼食\n0102外食\n")
        << QByteArray("\r\n") << QStringLiteral("01食費:1:0:0[01外食]") << QStringLiteral("2, 3, 5, 6");
}

void TestLedgerMaster::readsMaster()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, eol);
    QFETCH(QString, categories);
    QFETCH(QString, skippedLines);

    TestHome home;
    home.writeText("MainSub.zbt", text, eol.constData());
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    QCOMPARE(dumpCategories(m), categories);
    if (skippedLines.isEmpty()) {
        QVERIFY(p.shown.isEmpty());
    } else {
        // Told once for the whole file, with every skipped line.
        QCOMPARE(p.messages().size(), 1);
        QVERIFY2(p.messages().first().contains(QStringLiteral("行番号 : ") + skippedLines + QStringLiteral("\r\n")),
                 qPrintable(p.messages().first()));
        QVERIFY(p.messages().first().startsWith(QStringLiteral("MainSub.zbt ")));
        QCOMPARE(p.shown.first().icon, Prompter::Icon::Warning);
    }
}

void TestLedgerMaster::readRebuildsTables()
{
    TestHome home;
    home.writeText("MainSub.zbt", QString::fromUtf8(kMasterText));
    FakePrompter p;
    LedgerModel m(p);
    LedgerInternals::categoryList(m).add("09", std::make_shared<clsHimoku>()); // replaced, not merged
    QVERIFY(m.ReadCategoryMaster(1));
    QCOMPARE(m.categoryList().count(), 3);
    QCOMPARE(m.categoryByName().count(), 3);
    QCOMPARE(m.categoryUse().size(), size_t(3));
    QCOMPARE(m.categoryUse()[2].no, 5);

    // Mode 0 leaves the dialog's order alone but shows every category in the graphs again.
    LedgerInternals::categoryUse(m) = {{5, 4}, {1, 2}, {2, 0}};
    m.SetGraphTargetsShown(std::vector<bool>(m.graphTargets().size(), false));
    QVERIFY(m.ReadCategoryMaster(0));
    QCOMPARE(m.categoryUse()[0].no, 5);
    QCOMPARE(m.categoryUse()[0].count, 4);
    QCOMPARE(m.graphTargets().size(), size_t(3));
    for (const auto& r : m.graphTargets())
        QCOMPARE(r.show, 1);
    QCOMPARE(m.graphTargets()[1].no, 2);
}

void TestLedgerMaster::missingMaster()
{
    TestHome home;
    FakePrompter p;
    LedgerModel m(p);
    addCategory(m, "01", "食費", 1);
    QVERIFY(!m.ReadCategoryMaster(1));
    QCOMPARE(p.messages(),
             QStringList{QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。\r\n\r\n"
                                        "インストール（圧縮ファイルの解凍）が失敗している可能性があります。\r\n"
                                        "再度、インストールしてみて下さい。")});
    QCOMPARE(p.shown.first().icon, Prompter::Icon::Warning);
    QCOMPARE(m.categoryList().count(), 0);
    QVERIFY(!home.exists("MainSub.zbt"));
}

void TestLedgerMaster::roundTripsCp932_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("circled digit") << QStringLiteral("①特別費") << QByteArray("\x87\x40\x93\xc1\x95\xca\x94\xef");
    QTest::newRow("parenthesised kabu") << QStringLiteral("㈱商事") << QByteArray("\x87\x8a\x8f\xa4\x8e\x96");
    QTest::newRow("fullwidth tilde") << QStringLiteral("1～2月") << QByteArray("1\x81\x60\x32\x8c\x8e");
    QTest::newRow("fullwidth minus") << QStringLiteral("－調整") << QByteArray("\x81\x7c\x92\xb2\x90\xae");
    QTest::newRow("yen sign") << QStringLiteral("￥小遣い") << QByteArray("\x81\x8f\x8f\xac\x8c\xad\x82\xa2");
    QTest::newRow("halfwidth katakana") << QStringLiteral("ｶﾀｶﾅ") << QByteArray("\xb6\xc0\xb6\xc5");
    QTest::newRow("ibm extension kanji") << QStringLiteral("髙島屋") << QByteArray("\xfb\xfc\x93\x87\x89\xae");
}

void TestLedgerMaster::roundTripsCp932()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    TestHome home;
    FakePrompter p;
    LedgerModel m(p);
    addCategory(m, "01", name, 1)->addsub("01", name);
    QVERIFY(m.WriteCategoryMaster());

    const QByteArray file = home.readBytes("MainSub.zbt");
    QVERIFY(file.contains("\r\n0100" + bytes + ":1:0:0\r\n0101" + bytes + "\r\n"));

    LedgerModel back(p);
    QVERIFY(back.ReadCategoryMaster(1));
    QCOMPARE(back.categoryList().find("01")->name, name);
    QCOMPARE(back.categoryList().find("01")->nTekiyo.find("01")->name, name);
    QVERIFY(p.shown.isEmpty());
}

void TestLedgerMaster::refusesUnstorableNames_data()
{
    QTest::addColumn<QString>("categoryName");
    QTest::addColumn<QString>("subName");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("emoji in a category") << QStringLiteral("食費😀") << QStringLiteral("外食") << QStringLiteral("食費😀");
    QTest::newRow("emoji in a sub-item") << QStringLiteral("食費") << QStringLiteral("外食🍣") << QStringLiteral("外食🍣");
    QTest::newRow("wave dash outside the code page") << QStringLiteral("1〜2月") << QStringLiteral("a")
                                                     << QStringLiteral("1〜2月");
    QTest::newRow("colon in a category") << QStringLiteral("食費:外食") << QStringLiteral("a") << QStringLiteral("食費:外食");
    QTest::newRow("line break in a sub-item") << QStringLiteral("食費") << QStringLiteral("外\n食") << QStringLiteral("外\n食");
}

void TestLedgerMaster::refusesUnstorableNames()
{
    QFETCH(QString, categoryName);
    QFETCH(QString, subName);
    QFETCH(QString, named);
    TestHome home;
    home.writeText("MainSub.zbt", QString::fromUtf8(kMasterText));
    const QByteArray before = home.readBytes("MainSub.zbt");
    FakePrompter p;
    LedgerModel m(p);
    QVERIFY(m.ReadCategoryMaster(1));
    addCategory(m, "07", categoryName, 1)->addsub("01", subName);

    QVERIFY(!m.WriteCategoryMaster());
    QCOMPARE(p.messages().size(), 1);
    QVERIFY2(p.messages().first().contains(QLatin1Char('[') + named + QLatin1Char(']')), qPrintable(p.messages().first()));
    QCOMPARE(p.shown.first().icon, Prompter::Icon::Warning);
    QCOMPARE(home.readBytes("MainSub.zbt"), before); // never written with "?"
}

void TestLedgerMaster::reportsWriteFailure()
{
    TestHome home;
    QVERIFY(QDir().mkdir(home.path("MainSub.zbt"))); // a folder where the file belongs
    QFile keep(home.path("MainSub.zbt/keep"));
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();
    FakePrompter p;
    LedgerModel m(p);
    addCategory(m, "01", "食費", 1);
    QVERIFY(!m.WriteCategoryMaster());
    QCOMPARE(p.messages().size(), 1);
    QVERIFY(p.messages().first().contains(m.masterPath()));
    QVERIFY(p.messages().first().contains(QStringLiteral("保存できませんでした")));
    QVERIFY(QFileInfo(home.path("MainSub.zbt/keep")).isFile());
}

QTEST_GUILESS_MAIN(TestLedgerMaster)
#include "test_ledger_master.moc"
