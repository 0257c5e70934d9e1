// The category editor driven as a user drives it: numbers, the checks on
// the fields, sub-items, OK and every way of discarding the edits.

#include "categories/ColourSwatch.h"
#include "ledger/tests/FakePrompter.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "categories/NumberedNames.h"
#include "ledger/tests/TestHome.h"
#include "ledger/TextFile.h"
#include "categories/frmMainSub.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeView>

namespace {
// 01 食費 (with 外食, Lunch), 02 Books, 04 給与 (income, with 本給): 03 is free.
const char* kMaster = "C\n*\n\n"
                      "0100食費:1:255:30000\n0101外食\n0102Lunch\n"
                      "0200Books:1:65280:0\n"
                      "0400給与:2:16711680:0\n0401本給\n";

struct Editor {
    TestHome home;
    FakePrompter prompter;
    LedgerModel model{prompter};
    std::unique_ptr<frmMainSub> w;

    explicit Editor(const QString& master = QString::fromUtf8(kMaster))
    {
        home.writeText(QStringLiteral("MainSub.zbt"), master);
        model.ReadCategoryMaster(1);
        model.setStart(2026, 3);
        w = std::make_unique<frmMainSub>(model);
    }
    bool open() { return w->Form_Load(); }
    QByteArray masterBytes() const { return home.readBytes(QStringLiteral("MainSub.zbt")); }

    void clickRow(QTreeView* list, int row, Qt::MouseButton button = Qt::LeftButton) const
    {
        const QPoint at = list->visualRect(list->model()->index(row, 1)).center();
        QTest::mouseClick(list->viewport(), button, {}, at);
    }
    void selectCategory(const QString& no) const { clickRow(w->lvwMain, w->mainRows->findNo(no)); }
    void fields(const QString& name, quint32 colour, const QString& budget) const
    {
        w->txtMain->setText(name);
        w->lblMain->setColour(colour);
        w->txtLimit->setText(budget);
    }
    QString subList(const QString& categoryNo) const
    {
        QStringList out;
        for (const auto& t : model.category(categoryNo)->nTekiyo)
            out << t.item->no + t.item->name;
        return out.join(QLatin1Char('|'));
    }
    // "text|title" of every box shown, in order.
    QStringList boxes() const
    {
        QStringList out;
        for (const auto& s : prompter.shown)
            out << s.text + QLatin1Char('|') + s.title;
        return out;
    }
    void seed(const QString& date, int category, qint32 amount)
    {
        Entry e;
        e.setDate(date);
        e.categoryNo = quint8(category);
        (model.category(Fmt::zero2(category))->ioflag == 1 ? e.out : e.in) = amount;
        model.InsertEntry(e);
    }
};

QString box(const QString& text, const QString& title) { return text + QLatin1Char('|') + title; }
}

class TestCategoryEditor : public QObject {
    Q_OBJECT
private slots:
    void shownFields_data();
    void shownFields();
    void numbersAreSmallestFree();
    void deletedNumberEntries_data();
    void deletedNumberEntries();
    void fullLists();
    void validation_data();
    void validation();
    void takenColourNamedWhenChosen_data();
    void takenColourNamedWhenChosen();
    void subItems_data();
    void subItems();
    void discardRestoresMasterByteForByte_data();
    void discardRestoresMasterByteForByte();
    void okWritesMasterAndAlignsTheYear();
    void snapshotThatCannotBeTaken();
    void lastCategoryStays();
    void keyboard();
    void contextMenu();
};

void TestCategoryEditor::shownFields_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("shown"); // no|name|colour|budget|kind|sub-items|panel|変更
    QTest::addColumn<int>("selected");
    QTest::newRow("opened: the first row") << "" << "01|食費|255|30000|出金|2|panel|変更" << 0;
    QTest::newRow("row clicked") << "click" << "04|給与|16711680|0|入金|1|panel|変更" << 2;
    QTest::newRow("arrow key") << "down" << "02|Books|65280|0|出金|0|panel|変更" << 1;
    QTest::newRow("費目情報クリア") << "clear" << "||0|0|出金|0|-|-" << -1;
}

void TestCategoryEditor::shownFields()
{
    QFETCH(QString, action);
    QFETCH(QString, shown);
    QFETCH(int, selected);
    Editor e;
    QVERIFY(e.open());
    QCOMPARE(e.w->windowTitle(), QStringLiteral("費目・摘要項目 編集"));
    if (action == QLatin1String("click"))
        e.clickRow(e.w->lvwMain, 2);
    else if (action == QLatin1String("down"))
        QTest::keyClick(e.w->lvwMain, Qt::Key_Down);
    else if (action == QLatin1String("clear"))
        e.w->mnuEditItem(0);
    frmMainSub& w = *e.w;
    QCOMPARE(QStringList({w.lblMainNo->text(), w.txtMain->text(), QString::number(w.lblMain->colour()), w.txtLimit->text(),
                          w.optOut->isChecked() ? QStringLiteral("出金") : QStringLiteral("入金"),
                          QString::number(w.subRows->count()), w.picDummy->isHidden() ? "-" : "panel",
                          w.cmdChange->isEnabled() ? "変更" : "-"})
                 .join(QLatin1Char('|')),
             shown);
    QCOMPARE(w.selectedMainRow(), selected);
    w.cmdCancel_Click();
}

void TestCategoryEditor::numbersAreSmallestFree()
{
    Editor e;
    QVERIFY(e.open());
    // Added while 食費 is shown: a copy of its sub-items, numbers included.
    e.fields(QStringLiteral("雑費"), 1, QString());
    e.w->cmdNew_Click();
    QCOMPARE(e.w->mainRows->row(3).no, QStringLiteral("03"));
    QCOMPARE(e.subList(QStringLiteral("03")), QStringLiteral("01外食|02Lunch"));
    // The new category is shown, and the sub-item commands act on it alone.
    QCOMPARE(e.w->selectedMainRow(), 3);
    QCOMPARE(e.w->lblMainNo->text(), QStringLiteral("03"));
    e.w->lvwSub_Click(0);
    e.prompter.answers << Prompter::Answer::Yes;
    e.w->cmdDelsub_Click();
    e.w->txtSub->setText(QStringLiteral("おやつ"));
    e.w->cmdAddsub_Click();
    QCOMPARE(e.subList(QStringLiteral("03")), QStringLiteral("02Lunch|01おやつ"));
    QCOMPARE(e.subList(QStringLiteral("01")), QStringLiteral("01外食|02Lunch"));

    e.selectCategory(QStringLiteral("02"));
    e.prompter.answers << Prompter::Answer::Yes;
    QTest::keyClick(e.w->lvwMain, Qt::Key_Delete);
    e.w->mnuEditItem(0);
    e.fields(QStringLiteral("教養"), 2, QString());
    e.w->cmdNew_Click();
    QCOMPARE(e.model.category(QStringLiteral("02"))->name, QStringLiteral("教養")); // the freed number
    QCOMPARE(e.subList(QStringLiteral("02")), QString());                        // after Clear: none
    e.fields(QStringLiteral("旅行"), 3, QString());
    e.w->cmdNew_Click();
    QCOMPARE(e.model.category(QStringLiteral("05"))->name, QStringLiteral("旅行"));

    // Sub-items: a deleted number goes to the next sub-item added.
    e.selectCategory(QStringLiteral("01"));
    e.clickRow(e.w->lvwSub, 0);
    e.prompter.answers << Prompter::Answer::Yes;
    e.w->cmdDelsub_Click();
    for (const char* name : {"朝食", "夕食"}) {
        e.w->txtSub->setText(QString::fromUtf8(name));
        e.w->cmdAddsub_Click();
    }
    QCOMPARE(e.subList(QStringLiteral("01")), QStringLiteral("02Lunch|01朝食|03夕食"));
    QCOMPARE(e.prompter.messages(), QStringList());
    e.w->cmdCancel_Click();
}

void TestCategoryEditor::deletedNumberEntries_data()
{
    QTest::addColumn<bool>("reuse");
    QTest::addColumn<QString>("march"); // the month's entries after OK
    QTest::newRow("number left free: its entries leave the year") << false << "03/02 01 00 1200/0";
    QTest::newRow("number given to a new category: it keeps them") << true << "03/02 01 00 1200/0; 03/04 02 00 500/0";
}

void TestCategoryEditor::deletedNumberEntries()
{
    QFETCH(bool, reuse);
    QFETCH(QString, march);
    Editor e;
    e.seed(QStringLiteral("03/02"), 1, 1200);
    e.seed(QStringLiteral("03/04"), 2, 500);
    QVERIFY(e.open());
    e.selectCategory(QStringLiteral("02"));
    e.prompter.answers << Prompter::Answer::Yes;
    e.w->mnuEditItem(2);
    if (reuse) {
        e.fields(QStringLiteral("旅行"), 77, QString());
        e.w->cmdNew_Click();
    }
    e.w->cmdOK_Click();
    QStringList out;
    for (const Entry& x : e.model.slot(3).entries)
        out << QStringLiteral("%1 %2 %3 %4/%5").arg(x.date(), x.category(), x.sub()).arg(x.out).arg(x.in);
    QCOMPARE(out.join(QStringLiteral("; ")), march);
    QCOMPARE(e.model.slot(3).totalOut, reuse ? 1700 : 1200);
}

void TestCategoryEditor::fullLists()
{
    QString master = QStringLiteral("C\n");
    for (int n = 1; n <= 99; ++n)
        master += Fmt::zero2(n) + QStringLiteral("00費目%1:1:%1:0\n").arg(n);
    for (int s = 1; s <= 99; ++s)
        master += QStringLiteral("01") + Fmt::zero2(s) + QStringLiteral("摘要%1\n").arg(s);
    Editor e(master);
    QVERIFY(e.open());

    e.fields(QStringLiteral("百番目"), 1000, QString());
    e.w->cmdNew_Click();
    QCOMPARE(e.boxes(), QStringList{box("登録可能な費目数は [99] です。", "費目数オーバー")});
    QCOMPARE(e.model.categoryList().count(), 99);

    // A full list still takes changes to its categories.
    e.prompter.clear();
    e.fields(QStringLiteral("食費"), 1, QStringLiteral("5000"));
    e.w->cmdChange_Click();
    QCOMPARE(e.prompter.messages(), QStringList());
    QCOMPARE(e.model.category(QStringLiteral("01"))->name, QStringLiteral("食費"));

    e.w->txtSub->setText(QStringLiteral("百番目"));
    e.w->cmdAddsub_Click();
    QCOMPARE(e.boxes(), QStringList{box("登録可能な摘要項目数は [99] です。", "摘要項目数オーバー")});
    QCOMPARE(e.model.category(QStringLiteral("01"))->nTekiyo.count(), 99);
    e.w->cmdCancel_Click();
}

void TestCategoryEditor::validation_data()
{
    QTest::addColumn<QString>("selected"); // category shown; empty after Clear
    QTest::addColumn<bool>("change");      // 変更 rather than 新規追加
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<QString>("budget");
    QTest::addColumn<QString>("refusal"); // "text|title", empty when accepted
    QTest::addColumn<int>("limit");       // the stored budget when accepted

    const QString dup01 = box("同一名称の費目がすでに存在します。(費目番号：01）", "費目名重複");
    const QString dup02 = box("同一名称の費目がすでに存在します。(費目番号：02）", "費目名重複");
    const QString notNumber = box("予算のデータが不正(数値以外)です。", "予算データ不正");
    QTest::newRow("empty name") << "" << false << "" << 9u << "0" << box("費目名が未入力です。", "費目名未入力") << 0;
    QTest::newRow("blank name") << "" << false << "   " << 9u << "0" << box("費目名が未入力です。", "費目名未入力") << 0;
    QTest::newRow("same name") << "" << false << "食費" << 9u << "0" << dup01 << 0;
    QTest::newRow("same name in other case") << "" << false << "BOOKS" << 9u << "0" << dup02 << 0;
    QTest::newRow("own name in other case") << "02" << true << "books" << 65280u << "0" << "" << 0;
    QTest::newRow("rename onto another") << "01" << true << "books" << 255u << "0" << dup02 << 0;
    QTest::newRow("colour of another")
        << "" << false << "雑費" << 255u << "0"
        << box("この表示色はすでに他の費目 [食費] で使用されています。\r\n他の色を指定して下さい。", "表示色重複") << 0;
    QTest::newRow("change to the colour of another")
        << "01" << true << "食費" << 16711680u << "0"
        << box("この表示色はすでに他の費目 [給与] で使用されています。\r\n他の色を指定して下さい。", "表示色重複") << 0;
    QTest::newRow("keeping its own colour") << "01" << true << "食費" << 255u << "20000" << "" << 20000;
    QTest::newRow("budget of letters") << "" << false << "雑費" << 9u << "abc" << notNumber << 0;
    QTest::newRow("empty budget") << "" << false << "雑費" << 9u << "" << "" << 0;
    QTest::newRow("separators") << "" << false << "雑費" << 9u << "1,500" << "" << 1500;
    QTest::newRow("half to even, down") << "" << false << "雑費" << 9u << "2.5" << "" << 2;
    QTest::newRow("half to even, up") << "" << false << "雑費" << 9u << "3.5" << "" << 4;
    QTest::newRow("lowest 32-bit") << "" << false << "雑費" << 9u << "-2147483648" << "" << -2147483647 - 1;
    QTest::newRow("beyond 32 bits")
        << "" << false << "雑費" << 9u << "2147483648"
        << box("予算の金額が大きすぎます。\r\n\r\n-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。", "予算データ不正")
        << 0;
    QTest::newRow("field separator")
        << "" << false << "食:費" << 9u << "0" << box("この費目名は登録できません。\r\n\r\n費目名に「:」は使えません。", "費目名不正") << 0;
    QTest::newRow("line break") << "01" << true << "食\n費" << 255u << "0"
                                << box("この費目名は登録できません。\r\n\r\n名前に改行は使えません。", "費目名不正") << 0;
    QTest::newRow("beyond CP932")
        << "" << false << "食費😀" << 9u << "0"
        << box("この費目名は登録できません。\r\n\r\n文字「😀」は保存できない文字です。", "費目名不正") << 0;
}

void TestCategoryEditor::validation()
{
    QFETCH(QString, selected);
    QFETCH(bool, change);
    QFETCH(QString, name);
    QFETCH(uint, colour);
    QFETCH(QString, budget);
    QFETCH(QString, refusal);
    QFETCH(int, limit);
    Editor e;
    QVERIFY(e.open());
    if (selected.isEmpty())
        e.w->mnuEditItem(0);
    else
        e.selectCategory(selected);
    const QStringList before = e.model.masterLines();
    e.fields(name, colour, budget);
    change ? e.w->cmdChange_Click() : e.w->cmdNew_Click();

    if (!refusal.isEmpty()) {
        QCOMPARE(e.boxes(), QStringList{refusal});
        QVERIFY(e.prompter.shown.first().icon == Prompter::Icon::Warning);
        QCOMPARE(e.model.masterLines(), before);
        QCOMPARE(e.w->mainRows->count(), 3);
    } else {
        QCOMPARE(e.boxes(), QStringList());
        const auto c = e.model.categoryNamed(name);
        QVERIFY(c);
        QCOMPARE(c->no, change ? selected : QStringLiteral("03"));
        QCOMPARE(c->limit, limit);
        QCOMPARE(e.w->mainRows->row(e.w->mainRows->findNo(c->no)).name, name);
    }
    e.w->cmdCancel_Click();
}

void TestCategoryEditor::takenColourNamedWhenChosen_data()
{
    QTest::addColumn<QString>("selected"); // category shown, empty after Clear
    QTest::addColumn<QList<uint>>("chosen"); // the chooser's answers in turn; 1 is Cancel
    QTest::addColumn<uint>("swatch");
    QTest::addColumn<QStringList>("named"); // categories named as using the colour

    QTest::newRow("free colour") << "01" << QList<uint>{0x123456} << 0x123456u << QStringList{};
    QTest::newRow("its own colour") << "01" << QList<uint>{255} << 255u << QStringList{};
    QTest::newRow("another's, then a free one") << "01" << QList<uint>{65280, 0x123456} << 0x123456u << QStringList{"Books"};
    QTest::newRow("others' twice, then cancelled")
        << "01" << QList<uint>{65280, 16711680, 1} << 255u << QStringList{"Books", "給与"};
    QTest::newRow("after Clear every colour counts") << "" << QList<uint>{255, 1} << 0u << QStringList{"食費"};
}

void TestCategoryEditor::takenColourNamedWhenChosen()
{
    QFETCH(QString, selected);
    QFETCH(QList<uint>, chosen);
    QFETCH(uint, swatch);
    QFETCH(QStringList, named);
    Editor e;
    QVERIFY(e.open());
    if (selected.isEmpty())
        e.w->ClearCategoryFields();
    else
        e.selectCategory(selected);
    for (uint c : chosen)
        e.prompter.colors << (c == 1 ? std::nullopt : std::optional<quint32>(c));
    e.w->lblMain_Click();

    QCOMPARE(e.w->lblMain->colour(), swatch);
    QStringList messages, starts;
    for (const QString& name : named)
        messages << QStringLiteral("この表示色はすでに他の費目 [%1] で使用されています。\r\n他の色を指定して下さい。|表示色重複").arg(name);
    QStringList boxes = e.boxes();
    boxes.removeAll(QStringLiteral("|")); // the chooser
    QCOMPARE(boxes, messages);
    // The chooser opens again on the refused colour.
    for (const auto& s : e.prompter.shown)
        if (s.kind == FakePrompter::Shown::Color)
            starts << s.defaultText;
    QCOMPARE(starts.size(), chosen.size());
    for (int i = 1; i < chosen.size(); ++i)
        QCOMPARE(starts[i], QString::number(chosen[i - 1]));
    QCOMPARE(e.prompter.unexpected, 0);
}

void TestCategoryEditor::subItems_data()
{
    QTest::addColumn<QString>("action"); // add, change, delete
    QTest::addColumn<QString>("categoryName");
    QTest::addColumn<int>("row"); // sub-item row clicked first, -1 none
    QTest::addColumn<QString>("sub");
    QTest::addColumn<bool>("yes"); // the answer to a delete question
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("subs"); // 食費's sub-items afterwards

    const QString dup = box("同一名称の摘要項目がすでに存在しています。(摘要項目番号：02)", "摘要項目名重複");
    const QString unchanged = QStringLiteral("01外食|02Lunch");
    const QString askDelete = box("摘要項目 [外食] を削除しますが、よろしいですか。", "摘要項目 削除");
    QTest::newRow("add") << "add" << "食費" << -1 << "  朝食 " << false << "" << "01外食|02Lunch|03朝食";
    QTest::newRow("add with a colon") << "add" << "食費" << -1 << "外食:昼" << false << "" << "01外食|02Lunch|03外食:昼";
    QTest::newRow("add empty") << "add" << "食費" << -1 << "" << false << box("摘要項目名が未入力です。", "摘要項目名未入力")
                               << unchanged;
    QTest::newRow("add without category name") << "add" << "" << -1 << "朝食" << false << box("費目名が未入力です。", "")
                                               << unchanged;
    QTest::newRow("add under an unsaved name")
        << "add" << "食費2" << -1 << "朝食" << false
        << box("この費目はまだ登録されていません。\r\n\r\nまず[新規追加]で費目を追加した後、摘要項目の追加を行って下さい。", "費目未登録")
        << unchanged;
    QTest::newRow("add same name in other case") << "add" << "食費" << -1 << "LUNCH" << false << dup << unchanged;
    QTest::newRow("add beyond CP932")
        << "add" << "食費" << -1 << "🍙" << false
        << box("この摘要項目名は登録できません。\r\n\r\n文字「🍙」は保存できない文字です。", "摘要項目名不正") << unchanged;
    QTest::newRow("change") << "change" << "食費" << 1 << "昼食" << false << "" << "01外食|02昼食";
    QTest::newRow("change only in case") << "change" << "食費" << 1 << "lunch" << false << dup << unchanged;
    QTest::newRow("change with nothing selected") << "change" << "食費" << -1 << "昼食" << false << "" << unchanged;
    QTest::newRow("delete") << "delete" << "食費" << 0 << "" << true << askDelete << "02Lunch";
    QTest::newRow("delete answered no") << "delete" << "食費" << 0 << "" << false << askDelete << unchanged;
    QTest::newRow("delete under a changed name")
        << "delete" << "食費2" << 0 << "" << true
        << box("[費目名]が変更されている可能性があります。\r\n\r\n費目名の変更を行った後、摘要項目の削除を行って下さい。",
               "削除できません")
        << unchanged;
}

void TestCategoryEditor::subItems()
{
    QFETCH(QString, action);
    QFETCH(QString, categoryName);
    QFETCH(int, row);
    QFETCH(QString, sub);
    QFETCH(bool, yes);
    QFETCH(QString, boxes);
    QFETCH(QString, subs);
    Editor e;
    QVERIFY(e.open());
    if (row >= 0)
        e.clickRow(e.w->lvwSub, row);
    e.w->txtMain->setText(categoryName);
    if (action != QLatin1String("delete"))
        e.w->txtSub->setText(sub);
    e.prompter.answers << (yes ? Prompter::Answer::Yes : Prompter::Answer::No);
    if (action == QLatin1String("add"))
        e.w->cmdAddsub_Click();
    else if (action == QLatin1String("change"))
        e.w->cmdChangesub_Click();
    else
        QTest::keyClick(e.w->lvwSub, Qt::Key_Delete);

    QCOMPARE(e.boxes().join(QLatin1Char('\n')), boxes);
    for (const auto& s : e.prompter.shown)
        QVERIFY(s.kind == FakePrompter::Shown::Message || s.defaultAnswer == Prompter::Answer::No);
    QCOMPARE(e.subList(QStringLiteral("01")), subs);
    // The list shows what the category holds.
    QStringList shown;
    for (int i = 0; i < e.w->subRows->count(); ++i)
        shown << e.w->subRows->row(i).no + e.w->subRows->row(i).name;
    QCOMPARE(shown.join(QLatin1Char('|')), subs);
    e.w->cmdCancel_Click();
}

void TestCategoryEditor::discardRestoresMasterByteForByte_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("キャンセル") << "button";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("window frame") << "close";
}

void TestCategoryEditor::discardRestoresMasterByteForByte()
{
    QFETCH(QString, way);
    Editor e;
    e.seed(QStringLiteral("03/02"), 2, 500);
    const QByteArray before = e.masterBytes();
    const QStringList lines = e.model.masterLines();
    QVERIFY(e.open());
    e.w->show();

    e.fields(QStringLiteral("雑費"), 7, QStringLiteral("1,000"));
    e.w->cmdNew_Click();
    e.selectCategory(QStringLiteral("01"));
    e.fields(QStringLiteral("食料費"), 8, QStringLiteral("9"));
    e.w->optIn->setChecked(true);
    e.w->cmdChange_Click();
    e.w->txtSub->setText(QStringLiteral("朝食"));
    e.w->cmdAddsub_Click();
    e.clickRow(e.w->lvwSub, 1);
    e.w->txtSub->setText(QStringLiteral("昼食"));
    e.w->cmdChangesub_Click();
    e.clickRow(e.w->lvwSub, 0);
    e.prompter.answers << Prompter::Answer::Yes << Prompter::Answer::Yes;
    e.w->cmdDelsub_Click();
    e.selectCategory(QStringLiteral("02"));
    e.w->mnuEditItem(2);
    QCOMPARE(e.prompter.messages(), QStringList());
    QCOMPARE(e.model.categoryList().count(), 3);
    QVERIFY(e.model.masterLines() != lines);
    QCOMPARE(e.home.readBytes(QStringLiteral("MainSub.z__")), before);

    if (way == QLatin1String("button"))
        QTest::mouseClick(e.w->cmdCancel, Qt::LeftButton);
    else if (way == QLatin1String("esc"))
        QTest::keyClick(e.w.get(), Qt::Key_Escape);
    else
        e.w->close();
    QVERIFY(!e.w->isVisible());
    QCOMPARE(e.masterBytes(), before);
    QCOMPARE(e.model.masterLines(), lines);
    QVERIFY(!e.home.exists(QStringLiteral("MainSub.z__")));
    QCOMPARE(e.model.slot(3).count(), 1); // the year keeps the entry of the category deleted in vain
    QCOMPARE(e.prompter.messages(), QStringList());
}

void TestCategoryEditor::lastCategoryStays()
{
    // The master must keep one category, or the next start cannot read it.
    Editor e(QStringLiteral("C\n0100食費:1:255:0\n"));
    QVERIFY(e.open());
    e.selectCategory(QStringLiteral("01"));
    QTest::keyClick(e.w->lvwMain, Qt::Key_Delete);
    QCOMPARE(e.prompter.messages().size(), 1);
    QVERIFY(e.prompter.messages().first().startsWith(QStringLiteral("費目が 1 つしかないため")));
    QCOMPARE(e.w->mainRows->count(), 1);
    e.w->cmdOK_Click();
    QVERIFY(e.model.category(QStringLiteral("01")));
}

void TestCategoryEditor::okWritesMasterAndAlignsTheYear()
{
    Editor e;
    e.seed(QStringLiteral("02/10"), 4, 300000); // income, becomes an expense
    e.seed(QStringLiteral("03/02"), 1, 1200);
    e.seed(QStringLiteral("03/03"), 1, 900);
    e.seed(QStringLiteral("03/04"), 2, 500); // its category is deleted
    e.model.RankCategoriesByUse();
    QVERIFY(e.open());

    // Deleting a category tells what becomes of its entries; Enter keeps it.
    e.selectCategory(QStringLiteral("02"));
    e.prompter.answers << Prompter::Answer::Yes;
    e.w->mnuEditItem(2);
    QCOMPARE(e.boxes(), QStringList{box("費目 [Books] を削除しますが、よろしいですか。\r\n\r\n"
                                        "2026 年度の家計簿データのうち 1 件にこの費目が付いています。\r\n"
                                        "削除すると、これらのデータは表示されなくなり、家計簿データファイルにも保存されません。",
                                        "費目 削除")});
    QVERIFY(e.prompter.shown[0].defaultAnswer == Prompter::Answer::No);
    e.selectCategory(QStringLiteral("04"));
    e.w->optOut->setChecked(true);
    e.w->txtLimit->setText(QStringLiteral("50,000"));
    e.w->cmdChange_Click();
    e.w->mnuEditItem(0);
    e.fields(QStringLiteral("旅行"), 77, QString());
    e.w->cmdNew_Click();
    e.fields(QStringLiteral("教養"), 78, QString());
    e.w->cmdNew_Click();
    e.w->cmdOK_Click();

    QVERIFY(!e.w->isVisible());
    QVERIFY(!e.home.exists(QStringLiteral("MainSub.z__")));
    const QStringList file = TextFile::splitLines(TextFile::decode(e.masterBytes()));
    QCOMPARE(file.mid(6), (QStringList{"0100食費:1:255:30000", "0101外食", "0102Lunch", "0200旅行:1:77:0", "0300教養:1:78:0",
                                       "0400給与:1:16711680:50000", "0401本給"}));
    QCOMPARE(e.model.masterLines(), file);

    // One use row per category, ranked by February and March.
    QStringList use;
    for (const CategoryUseRow& r : e.model.categoryUse())
        use << QStringLiteral("%1:%2").arg(r.no).arg(r.count);
    QCOMPARE(use, (QStringList{"1:2", "2:1", "4:1", "3:0"}));

    // The deleted number went to 旅行, which keeps its entry; the rest sit on the side of their category.
    QCOMPARE(e.model.slot(3).count(), 3);
    QCOMPARE(e.model.slot(3).totalOut, 2600);
    QCOMPARE(e.model.slot(2).entries[0].out, 300000);
    QCOMPARE(e.model.slot(2).entries[0].in, 0);
    QCOMPARE(e.model.slot(2).totalIn, 0);
    QCOMPARE(e.prompter.messages(), QStringList());
}

void TestCategoryEditor::snapshotThatCannotBeTaken()
{
    Editor e;
    QVERIFY(QDir().mkpath(e.home.path(QStringLiteral("MainSub.z__")))); // a folder is in the way
    const QStringList lines = e.model.masterLines();
    QVERIFY(!e.open());
    QCOMPARE(e.prompter.messages().size(), 1);
    QVERIFY(e.prompter.messages().first().startsWith(
        QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)の控え(MainSub.z__)を作成できないため")));
    QCOMPARE(e.model.masterLines(), lines);
    QVERIFY(QFileInfo(e.home.path(QStringLiteral("MainSub.z__"))).isDir());
}

void TestCategoryEditor::keyboard()
{
    Editor e;
    QVERIFY(e.open());
    e.w->show();
    QVERIFY(QTest::qWaitForWindowActive(e.w.get()));
    QCOMPARE(QApplication::focusWidget(), e.w->lvwMain);

    // Tab visits every field once and comes back.
    QStringList order;
    do {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (QApplication::focusWidget() != e.w->lvwMain && order.size() < 30);
    QCOMPARE(order, (QStringList{"lvwMain", "txtMain", "optOut", "lblMain", "txtLimit", "cmdNew", "cmdChange", "lvwSub",
                                 "txtSub", "cmdAddsub", "cmdChangesub", "cmdDelsub", "cmdOK", "cmdCancel"}));

    // Enter in a list or a field moves on and adds nothing.
    QTest::keyClick(e.w->lvwMain, Qt::Key_Down);
    QTest::keyClick(e.w->lvwMain, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.w->txtMain);
    e.w->txtMain->selectAll();
    QTest::keyClicks(e.w->txtMain, QStringLiteral("Music"));
    QTest::keyClick(e.w->txtMain, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), e.w->optOut);
    QCOMPARE(e.w->mainRows->count(), 3);
    // The swatch asks for a colour from its own (Cancel keeps it); Enter on
    // a focused button presses it.
    e.prompter.colors << std::nullopt << 0xABCDEFu;
    QTest::keyClick(e.w->lblMain, Qt::Key_Space);
    QCOMPARE(e.w->lblMain->colour(), 65280u);
    QTest::keyClick(e.w->lblMain, Qt::Key_Return);
    e.w->cmdNew->setFocus();
    QTest::keyClick(e.w->cmdNew, Qt::Key_Return);
    QCOMPARE(e.w->mainRows->count(), 4);
    QCOMPARE(e.model.category(QStringLiteral("03"))->color, 0xABCDEFu);
    QCOMPARE(e.prompter.messages(), QStringList());

    // Esc discards as キャンセル does.
    QTest::keyClick(e.w->lvwMain, Qt::Key_Escape);
    QVERIFY(!e.w->isVisible());
    QCOMPARE(e.model.categoryList().count(), 3);
}

void TestCategoryEditor::contextMenu()
{
    Editor e;
    QVERIFY(e.open());
    e.w->show();
    QVERIFY(QTest::qWaitForWindowExposed(e.w.get()));
    QCOMPARE(e.w->mnuEdit->title(), QStringLiteral("費目編集(&E)"));
    QStringList captions;
    for (QAction* a : e.w->mnuEdit->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions, (QStringList{"費目情報クリア（新規作成用）", "-", "削除"}));

    // The right button shows the row under the pointer, then the menu.
    e.clickRow(e.w->lvwMain, 2, Qt::RightButton);
    QTRY_VERIFY(e.w->mnuEdit->isVisible());
    QCOMPARE(e.w->txtMain->text(), QStringLiteral("給与"));
    QVERIFY(e.w->mnuEditItems[2]->isEnabled());
    e.w->mnuEdit->hide();

    // The menu key pops it up at the selected row; with none, 削除 is off.
    for (bool cleared : {false, true}) {
        if (cleared)
            e.w->mnuEditItem(0);
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(), QPoint());
        QApplication::sendEvent(e.w->lvwMain, &key);
        QTRY_VERIFY(e.w->mnuEdit->isVisible());
        QCOMPARE(e.w->mnuEditItems[2]->isEnabled(), !cleared);
        e.w->mnuEdit->hide();
    }
    e.w->cmdCancel_Click();
}

QTEST_MAIN(TestCategoryEditor)
#include "test_categoryeditor.moc"
