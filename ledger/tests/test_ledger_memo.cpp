// The memo file yyyy.zbm and the per-user settings store.

#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "ledger/tests/LedgerTestData.h"
#include "ledger/Settings.h"
#include "ledger/tests/TestHome.h"

#include <QDir>
#include <QSettings>
#include <QTest>

namespace {
QString dumpMemos(const LedgerModel& m)
{
    QStringList out;
    for (const auto& s : m.memoList()) {
        out << s.key + QLatin1Char('=') + s.item->name;
        if (s.item->no != s.key)
            out << QStringLiteral("<key and no differ>");
    }
    return out.join(QLatin1Char('|'));
}

void addMemo(LedgerModel& m, const QString& key, const QString& text)
{
    m.SetMemo(key, text);
}
}

class TestLedgerMemo : public QObject {
    Q_OBJECT
private slots:
    void readsMemos_data();
    void readsMemos();
    void missingFileLeavesList();
    void writesMemos();
    void refusesUnstorableMemo();
    void reportsWriteFailure();
    void settingsRoundTrip();
};

void TestLedgerMemo::readsMemos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("eol");
    QTest::addColumn<QString>("memos");
    QTest::addColumn<QString>("skippedLines"); // empty: no message

    const QString file = QStringLiteral("*  Last modified: 2026/01/02\n*\n*  メモデータ管理ファイル  [2026年度]\n*\n\n"
                                        "04/15歯医者\n\n  05/01  給料日  \n* 04/20 not a memo\n12/31大晦日\n");
    // The line is trimmed, the text after the key kept as it was typed.
    const QString memos = QStringLiteral("04/15=歯医者|05/01=  給料日|12/31=大晦日");
    QTest::newRow("crlf, comments and blank lines") << file << QByteArray("\r\n") << memos << QString();
    QTest::newRow("lf only") << file << QByteArray("\n") << memos << QString();
    QTest::newRow("text with ideographic space and ascii") << QStringLiteral("06/06　ＡＢＣ abc\n") << QByteArray("\r\n")
                                                           << QStringLiteral("06/06=　ＡＢＣ abc") << QString();
    QTest::newRow("broken keys and a second memo of a day")
        << QStringLiteral("4/15歯医者\n13/01x\n04-15y\nab\n04/15歯医者\n04/15眼科\n04/32z\n") << QByteArray("\r\n")
        << QStringLiteral("04/15=歯医者") << QStringLiteral("1, 2, 3, 4, 6, 7");
}

void TestLedgerMemo::readsMemos()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, eol);
    QFETCH(QString, memos);
    QFETCH(QString, skippedLines);
    TestHome home;
    home.writeText("2026.zbm", text, eol.constData());
    FakePrompter p;
    LedgerModel m(p);
    m.ReadMemoFile(2026);
    QCOMPARE(dumpMemos(m), memos);
    if (skippedLines.isEmpty()) {
        QVERIFY(p.shown.isEmpty());
    } else {
        QCOMPARE(p.messages().size(), 1);
        QVERIFY2(p.messages().first().startsWith(QStringLiteral("2026.zbm ")), qPrintable(p.messages().first()));
        QVERIFY2(p.messages().first().contains(QStringLiteral("行番号 : ") + skippedLines + QStringLiteral("\r\n")),
                 qPrintable(p.messages().first()));
    }
}

void TestLedgerMemo::missingFileLeavesList()
{
    TestHome home;
    FakePrompter p;
    LedgerModel m(p);
    addMemo(m, "01/01", "元日");
    m.ReadMemoFile(2026);
    QCOMPARE(dumpMemos(m), QStringLiteral("01/01=元日"));
    QVERIFY(p.shown.isEmpty());
}

void TestLedgerMemo::writesMemos()
{
    TestHome home;
    FakePrompter p;
    LedgerModel m(p);
    addMemo(m, "05/01", "給料日");
    addMemo(m, "04/15", "歯医者 ～ 眼科");
    QVERIFY(m.WriteMemoFile(2026));
    QVERIFY(p.shown.isEmpty());
    QCOMPARE(home.readBytes("2026.zbm"), sjis(QStringLiteral("*  Last modified: 2026/03/15\r\n"
                                                             "*\r\n"
                                                             "*  メモデータ管理ファイル  [2026年度]\r\n"
                                                             "*\r\n"
                                                             "\r\n"
                                                             "05/01給料日\r\n"
                                                             "04/15歯医者 ～ 眼科\r\n")));
    QVERIFY(m.memoList().isEmpty());

    m.ReadMemoFile(2026);
    QCOMPARE(dumpMemos(m), QStringLiteral("05/01=給料日|04/15=歯医者 ～ 眼科"));
}

void TestLedgerMemo::refusesUnstorableMemo()
{
    TestHome home;
    home.writeText("2026.zbm", "*\n\n01/01元日\n");
    const QByteArray before = home.readBytes("2026.zbm");
    FakePrompter p;
    LedgerModel m(p);
    addMemo(m, "01/01", "元日");
    addMemo(m, "04/15", "ケーキ🎂");
    QVERIFY(!m.WriteMemoFile(2026));
    QCOMPARE(p.messages().size(), 1);
    QVERIFY(p.messages().first().contains(QStringLiteral("[04/15]")));
    QVERIFY(p.messages().first().contains(QStringLiteral("🎂")));
    QCOMPARE(home.readBytes("2026.zbm"), before);
    QCOMPARE(m.memoList().count(), 2); // kept for another try
}

void TestLedgerMemo::reportsWriteFailure()
{
    TestHome home;
    QVERIFY(QDir().mkdir(home.path("2026.zbm")));
    FakePrompter p;
    LedgerModel m(p);
    addMemo(m, "01/01", "元日");
    QVERIFY(!m.WriteMemoFile(2026));
    QCOMPARE(p.messages().size(), 1);
    QVERIFY(p.messages().first().contains(m.memoPath(2026)));
    QCOMPARE(m.memoList().count(), 1);
}

void TestLedgerMemo::settingsRoundTrip()
{
    TestHome home;
    // A first run: every key yields the caller's default.
    QCOMPARE(ReadSetting(kAppName, "Options", "fontsize", "11"), QStringLiteral("11"));
    QCOMPARE(ReadSetting(kAppName, "Options", "movewith", "False"), QStringLiteral("False"));
    QCOMPARE(ReadSetting(kAppName, "Settings", "toolbar", "True"), QStringLiteral("True"));

    WriteSetting(kAppName, "Settings", "left", "1200");
    WriteSetting(kAppName, "Settings", "toolbar", "False");
    WriteSetting(kAppName, "Options", "movewith", "True");
    WriteSetting(kAppName, "Options", "consumetax", "");
    QCOMPARE(ReadSetting(kAppName, "Settings", "left", "0"), QStringLiteral("1200"));
    QCOMPARE(ReadSetting(kAppName, "Settings", "toolbar", "True"), QStringLiteral("False"));
    QCOMPARE(ReadSetting(kAppName, "Options", "movewith", "False"), QStringLiteral("True"));
    QCOMPARE(ReadSetting(kAppName, "Options", "consumetax", "5"), QString("")); // stored, though empty
    // Same key in another section, or another application, is another value.
    QCOMPARE(ReadSetting(kAppName, "Options", "left", "none"), QStringLiteral("none"));
    QCOMPARE(ReadSetting("Other", "Settings", "left", "none"), QStringLiteral("none"));

    // Kept outside the program folder, per user.
    QVERIFY(!QDir(home.path(".")).entryList(QDir::Files).contains(QStringLiteral("Kanelo Y.conf")));
    QSettings direct(QSettings::NativeFormat, QSettings::UserScope, kAppName, kAppName);
    QCOMPARE(direct.value("Settings/left").toString(), QStringLiteral("1200"));
}

QTEST_GUILESS_MAIN(TestLedgerMemo)
#include "test_ledger_memo.moc"
