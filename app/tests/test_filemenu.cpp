// The File menu: new year, open, save, CSV export and exit.
#include "app/tests/AppFixture.h"
#include "ledger/tests/LedgerTestData.h"

#include "ledger/Settings.h"
#include "ledger/TextFile.h"

#include <QAction>
#include <QDir>
#include <QToolBar>
#include <QTreeView>

namespace {
const QString kApp = QStringLiteral("Kanelo Y");
const QByteArray kNewLine = "\r\n03/200100700\r\n"; // the entry added in memory by the tests

// A started 2026 with a typed carry-over and one March entry, and one more
// entry added in memory.
void startChanged(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&50000", {"03/010100000100"}));
    if (!f.start())
        qFatal("not started");
    f.model().InsertEntry(entry(QStringLiteral("03/20"), QStringLiteral("01"), 700));
    f.views()->RefreshMonthView();
}
}

class TestFileMenu : public QObject {
    Q_OBJECT
private slots:
    void newYear_data();
    void newYear();
    void open_data();
    void open();
    void saveFromToolbar();
    void exportCsv();
    void exportRefusesWhatTheCodePageCannotHold();
    void exitStoresSettingsAndYear();
    void exitThatCannotSaveKeepsWindow();
    void largeGeometryRoundTrips();
    void toolbarTooltips();
};

void TestFileMenu::newYear_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("existing"); // year file present before
    QTest::addColumn<QList<Prompter::Answer>>("answers");
    QTest::addColumn<QStringList>("carryInputs"); // typed into the carry-over box of a created year
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("openYearSaved");
    QTest::addColumn<int>("rows");       // rows of the March list afterwards
    QTest::addColumn<QString>("carry"); // carry-over of the year shown afterwards: "A" or "M" and the amount

    using A = Prompter::Answer;
    const QStringList none;
    // No 2004 file: the carry-over is typed, in the amounts a user writes.
    QTest::newRow("year with spaces") << "  2005 " << "" << QList<A>{} << QStringList{"12万"} << none << 2005 << true << 1
                                      << "M 120000";
    QTest::newRow("two digits") << "05" << "" << QList<A>{} << none << QStringList{"入力された年度が [4] 桁以外です。"} << 2026
                                << false << 3 << "M 50000";
    QTest::newRow("not numeric") << "20x5" << "" << QList<A>{} << none << QStringList{"入力された年度が数値以外です。"} << 2026
                                 << false << 3 << "M 50000";
    QTest::newRow("signed") << "-200" << "" << QList<A>{} << none << QStringList{"入力された年度が数値以外です。"} << 2026
                            << false << 3 << "M 50000";
    QTest::newRow("cancelled") << "" << "" << QList<A>{} << none << none << 2026 << false << 3 << "M 50000";
    QTest::newRow("open year exists, keep it") << "2026" << "2026" << QList<A>{A::No} << none << none << 2026 << false << 3
                                               << "M 50000";
    QTest::newRow("other year exists, open it") << "2027" << "2027" << QList<A>{A::No} << none << none << 2027 << true << 2
                                                << "M 0";
    // The next year takes the balance of the open one (50000 - 100 - 700).
    QTest::newRow("other year exists, recreate, carried over")
        << "2027" << "2027" << QList<A>{A::Yes, A::Yes} << none << none << 2027 << true << 1 << "A 49200";
    // A typed carry-over is the open year's own: the next year asks anew.
    QTest::newRow("next year, typed carry-over") << "2027" << "" << QList<A>{A::No} << QStringList{"-3千"} << none << 2027
                                                 << true << 1 << "M -3000";
    QTest::newRow("next year, carry-over box cancelled") << "2027" << "" << QList<A>{A::No} << QStringList{""} << none
                                                         << 2027 << true << 1 << "M 0";
    // Re-creating the open year itself is the one way to discard it.
    QTest::newRow("open year recreated") << "2026" << "2026" << QList<A>{A::Yes} << QStringList{"0"} << none << 2026
                                         << false << 1 << "M 0";
}

void TestFileMenu::newYear()
{
    QFETCH(QString, answer);
    QFETCH(QString, existing);
    QFETCH(QList<Prompter::Answer>, answers);
    QFETCH(QStringList, carryInputs);
    QFETCH(QStringList, messages);
    QFETCH(int, year);
    QFETCH(bool, openYearSaved);
    QFETCH(int, rows);
    QFETCH(QString, carry);

    AppFixture f;
    if (existing == QLatin1String("2027"))
        f.home.writeText(QStringLiteral("2027.zbl"), AppFixture::yearText("&0", {"03/050200000300"}));
    startChanged(f);
    const QByteArray before = f.home.readBytes(QStringLiteral("2026.zbl"));
    f.prompter.inputs.enqueue(answer);
    for (const QString& c : carryInputs)
        f.prompter.inputs.enqueue(c);
    for (auto a : answers)
        f.prompter.answers.enqueue(a);
    f.window()->mnuFileItem[0]->trigger();

    const FakePrompter::Shown& box = f.prompter.shown.first();
    QCOMPARE(box.text, QStringLiteral("作成する年度を西暦(4桁)で入力して下さい。(半角入力)"));
    QCOMPARE(box.title, QStringLiteral("新規家計簿ファイル作成"));
    QCOMPARE(box.defaultText, QStringLiteral("2026"));
    if (!existing.isEmpty() && !answers.isEmpty()) {
        QVERIFY(f.prompter.shown[1].text.startsWith(
            QStringLiteral("すでに %1 年度のデータファイルが存在しますが、作成し直しますか。").arg(answer)));
        QCOMPARE(f.prompter.shown[1].title, QStringLiteral("新規データファイル作成"));
        QCOMPARE(f.prompter.shown[1].defaultAnswer, Prompter::Answer::No);
    }
    // A created year asks for its carry-over as a first start does: taken
    // from the previous year's file unless the user says No.
    for (const FakePrompter::Shown& s : f.prompter.shown) {
        if (s.text.contains(QStringLiteral("年度のデータファイルを作成します。"))) {
            QVERIFY(s.text.startsWith(QStringLiteral("%1 年度のデータファイルを作成します。\r\n前年度 (%2年)").arg(year).arg(year - 1)));
            QCOMPARE(s.defaultAnswer, Prompter::Answer::Yes);
        }
        if (s.kind == FakePrompter::Shown::Input && s.title == QStringLiteral("前年度繰越残高の設定"))
            QCOMPARE(s.defaultText, QStringLiteral("0"));
    }
    QCOMPARE(f.prompter.messages(), messages);
    QCOMPARE(f.prompter.unexpected, 0);
    QVERIFY(f.prompter.inputs.isEmpty());
    QCOMPARE(f.model().curYear(), year);
    QCOMPARE(f.model().startYear(), year);
    QCOMPARE(f.model().curMonth(), 3);
    // The changed year still open is still unsaved; a year loaded or made is not.
    const bool changedYearShown = !openYearSaved && rows > 1;
    QCOMPARE(f.window()->windowTitle(),
             QStringLiteral("Kanelo Y -ぽるもさん!?  [%1 年度]").arg(year) + (changedYearShown ? " *" : ""));
    QCOMPARE(f.views()->monthRows->count(), rows);
    QCOMPARE(QStringLiteral("%1 %2").arg(f.model().carryAuto() ? "A" : "M").arg(f.model().carryOver()), carry);
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")).contains(kNewLine), openYearSaved);
    // Still showing its rows, the open year's file is untouched.
    if (!openYearSaved && rows > 1)
        QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")), before);
    if (year != 2026)
        QVERIFY(f.home.exists(QStringLiteral("%1.zbl").arg(year)));
}

void TestFileMenu::open_data()
{
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("openYearSaved");

    const QString extension = QStringLiteral("家計簿データファイルを指定して下さい。\r\n\r\n  形式は [yyyy.zbl (yyyy:西暦年(4桁))]");
    const QString badName = QStringLiteral("指定された家計簿データファイル名が正しくありません。\r\n\r\n"
                                           "  正しい形式は [yyyy.zbl (yyyy:西暦年(4桁))] です。");
    QTest::newRow("cancelled") << QStringList{""} << QStringList{} << 2026 << false;
    QTest::newRow("upper-case extension, then cancel") << QStringList{"/data/2004.ZBL", ""} << QStringList{extension}
                                                        << 2026 << false;
    QTest::newRow("bad name, then another year")
        << QStringList{"/data/abcd.zbl", "/somewhere/else/2025.zbl"} << QStringList{badName} << 2025 << true;
    QTest::newRow("the open year") << QStringList{"/other/2026.zbl"} << QStringList{} << 2026 << false;
    QTest::newRow("cut at NUL") << QStringList{QStringLiteral("/data/2025.zbl") + QChar(0) + QStringLiteral("junk")}
                                << QStringList{} << 2025 << true;
}

void TestFileMenu::open()
{
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, messages);
    QFETCH(int, year);
    QFETCH(bool, openYearSaved);

    AppFixture f;
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {"03/090300050000"}));
    startChanged(f);
    const QByteArray before = f.home.readBytes(QStringLiteral("2026.zbl"));
    for (const QString& c : chosen)
        f.prompter.files.enqueue(c);
    f.window()->tbrOpen->trigger();

    QCOMPARE(f.prompter.shown.first().title, QStringLiteral("Kanelo Y -家計簿ファイルを開く"));
    QCOMPARE(f.prompter.messages(), messages);
    QCOMPARE(f.prompter.unexpected, 0);
    QCOMPARE(f.model().curYear(), year);
    // The changed year stays unsaved until another is opened.
    QCOMPARE(f.window()->windowTitle(), QStringLiteral("Kanelo Y -ぽるもさん!?  [%1 年度]").arg(year) + (openYearSaved ? "" : " *"));
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")).contains(kNewLine), openYearSaved);
    if (!openYearSaved)
        QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")), before);
    // The list shows the year that is open: the year's own March entries.
    QCOMPARE(f.views()->monthRows->cell(1, 0), (year == 2025 ? QStringLiteral("03/09") : QStringLiteral("03/01")));
    QCOMPARE(f.views()->monthRows->count(), year == 2025 ? 2 : 3);
}

void TestFileMenu::saveFromToolbar()
{
    AppFixture f;
    startChanged(f);
    f.window()->tbrSave->trigger();
    QVERIFY(f.home.readBytes(QStringLiteral("2026.zbl")).contains(kNewLine));
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestFileMenu::exportCsv()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"),
                     AppFixture::yearText("&0", {"01/050101001200", "03/030100000500", "03/040102000300", "03/100200000100",
                                                 "03/110201000050", "04/250300250000"}));
    QVERIFY(f.start());
    // Deleted in the category editor after loading: sub-item 食料品 and 日用品.
    f.model().category(QStringLiteral("01"))->deleachsub(QStringLiteral("02"));
    f.model().RemoveCategory(QStringLiteral("02"));
    // Names with a separator or a quote are quoted.
    f.model().category(QStringLiteral("03"))->name = QStringLiteral("給与,\"賞与\"");

    // The chooser proposes the year's file in the program folder; the user
    // names another.
    const QString chosen = f.home.path(QStringLiteral("家計簿2026"));
    f.prompter.files.enqueue(chosen);
    f.window()->mnuFileItem[6]->trigger();
    QCOMPARE(f.prompter.shown.first().kind, FakePrompter::Shown::SaveFile);
    QCOMPARE(f.prompter.shown.first().title, QStringLiteral("家計簿データのエクスポート"));
    QCOMPARE(f.prompter.shown.first().text, f.home.path(QStringLiteral("2026.csv")));
    QVERIFY(!f.home.exists(QStringLiteral("2026.csv")));
    const QString expected = QStringLiteral("01/05,食費,外食,1200,0\r\n"
                                            "03/03,食費,,500,0\r\n"
                                            "03/04,食費,摘要項目番号: 02 (削除されています),300,0\r\n"
                                            "03/10,費目番号: 02 (削除されています),摘要項目なし,100,0\r\n"
                                            "03/11,費目番号: 02 (削除されています),摘要項目番号: 01 (費目が削除されています),50,0\r\n"
                                            "04/25,\"給与,\"\"賞与\"\"\",,0,250000\r\n");
    QByteArray bytes;
    QVERIFY(TextFile::encode(expected, bytes));
    QCOMPARE(f.home.readBytes(QStringLiteral("家計簿2026.csv")), bytes);
    QCOMPARE(f.prompter.messages(), QStringList{QStringLiteral("CSV出力が完了しました。\r\n\r\nファイル名 [%1]")
                                                    .arg(QDir::toNativeSeparators(chosen + QStringLiteral(".csv")))});
    QCOMPARE(f.prompter.shown.last().icon, Prompter::Icon::Information);

    // Cancelled: nothing is written, nothing is said.
    f.prompter.clear();
    f.prompter.files.enqueue(QString());
    f.window()->mnuFileItem[6]->trigger();
    QCOMPARE(f.prompter.shown.size(), 1);
    QVERIFY(!f.home.exists(QStringLiteral("2026.csv")));
}

void TestFileMenu::exportRefusesWhatTheCodePageCannotHold()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"01/050101001200"}));
    QVERIFY(f.start());
    f.model().category(QStringLiteral("01"))->name = QStringLiteral("食費😀");
    f.prompter.files.enqueue(f.home.path(QStringLiteral("2026.csv")));
    f.window()->ExportCsv();
    QCOMPARE(f.prompter.messages(),
             QStringList{QStringLiteral("CSVファイル [%1] を作成できませんでした。\r\n\r\n「食費😀,外食」の文字「😀」は保存できない文字です。")
                             .arg(QDir::toNativeSeparators(f.home.path(QStringLiteral("2026.csv"))))});
    QVERIFY(!f.home.exists(QStringLiteral("2026.csv")));
}

void TestFileMenu::exitStoresSettingsAndYear()
{
    AppFixture f;
    startChanged(f);
    f.window()->move(40, 30);
    f.window()->resize(900, 640);
    f.window()->ToggleToolbar();
    f.views()->setListFontSize(13, true);
    f.window()->linkCalendar = true;

    f.window()->tbrExit->trigger();
    QVERIFY(!f.window()->isVisible());
    QVERIFY(f.prompter.shown.isEmpty()); // no close question
    QVERIFY(f.home.readBytes(QStringLiteral("2026.zbl")).contains(kNewLine));
    const QString s = QStringLiteral("Settings"), o = QStringLiteral("Options");
    QCOMPARE(ReadSetting(kApp, s, QStringLiteral("left"), {}), QStringLiteral("600"));
    QCOMPARE(ReadSetting(kApp, s, QStringLiteral("top"), {}), QStringLiteral("450"));
    QCOMPARE(ReadSetting(kApp, s, QStringLiteral("width"), {}), QStringLiteral("13500"));
    QCOMPARE(ReadSetting(kApp, s, QStringLiteral("height"), {}), QStringLiteral("9600"));
    QCOMPARE(ReadSetting(kApp, s, QStringLiteral("toolbar"), {}), QStringLiteral("False"));
    QCOMPARE(ReadSetting(kApp, o, QStringLiteral("fontsize"), {}), QStringLiteral("13"));
    QCOMPARE(ReadSetting(kApp, o, QStringLiteral("movewith"), {}), QStringLiteral("True"));
}

void TestFileMenu::exitThatCannotSaveKeepsWindow()
{
    AppFixture f;
    startChanged(f);
    QFile::remove(f.home.path(QStringLiteral("2026.zbl")));
    QVERIFY(QDir(f.home.path({})).mkdir(QStringLiteral("2026.zbl")));
    f.window()->mnuFileItem[10]->trigger();
    QVERIFY(f.window()->isVisible());
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.messages().first().contains(QStringLiteral("保存できませんでした")));
}

void TestFileMenu::largeGeometryRoundTrips()
{
    QPoint pos;
    QSize size;
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    // A window on a large screen: 45,000 twips do not fit 16 bits.
    f.window()->move(2600, 1210);
    f.window()->resize(3000, 1900);
    pos = f.window()->pos();
    size = f.window()->size();
    f.window()->ExitProgram();
    QCOMPARE(ReadSetting(kApp, QStringLiteral("Settings"), QStringLiteral("width"), {}), QStringLiteral("45000"));
    f.app.reset();

    QVERIFY(f.start());
    QCOMPARE(f.window()->pos(), pos);
    QCOMPARE(f.window()->size(), size);
}

void TestFileMenu::toolbarTooltips()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    QStringList tips;
    for (QAction* a : f.window()->tbrToolBar->actions())
        if (!a->isSeparator() && !a->toolTip().isEmpty() && !a->objectName().startsWith(QLatin1String("pic")))
            tips << a->toolTip();
    QCOMPARE(tips, (QStringList{"Kanelo Y の終了", "新規作成", "家計簿データファイルを開く", "上書き保存", "月間収支報告の印刷",
                                "年間支出報告の印刷", "データ追加", "データ内容変更", "データ削除", "費目・摘要項目 編集",
                                "月間収支内訳グラフ", "年間支出推移グラフ", "日単位 -オフ", "費目単位 -オフ", "カレンダー", "電卓",
                                "ヘルプの表示"}));
}

QTEST_MAIN(TestFileMenu)
#include "test_filemenu.moc"
