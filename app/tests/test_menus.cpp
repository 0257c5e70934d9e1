// The main window's menus and toolbar, which lead to the features'
// commands: the captions and their order, what needs a selected entry, the
// popup on the lists, the summary toggles and 集計表示 in step, and the
// result menu's carry-over item.

#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "month/frmData.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {
// March 2026 (today's month): one expense on the 5th, one on the 12th.
const QStringList kEntries{"03/050100001000", "03/120200000250"};

QStringList captions(const QMenu* menu)
{
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// Whether `trigger` opened the entry dialog; closed again right away.
bool opensDialog(AppFixture& f, const std::function<void()>& trigger)
{
    frmData* dialog = f.window()->edit->dataDialog();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = dialog->isVisible();
        if (opened)
            QTest::mouseClick(dialog->tag.isEmpty() ? dialog->cmdExit : dialog->cmdCancel, Qt::LeftButton);
    });
    trigger();
    QCoreApplication::processEvents();
    return opened;
}
}

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void captionsAndOrder();
    void everyItemHasItsOwnMnemonic_data();
    void everyItemHasItsOwnMnemonic();
    void editMenuOpening_data();
    void editMenuOpening();
    void toolbarButtons_data();
    void toolbarButtons();
    void summaryTogglesAndSubmenu();
    void prevCarryOverItem_data();
    void prevCarryOverItem();
};

void TestMenus::captionsAndOrder()
{
    AppFixture f;
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    QStringList bar;
    for (QAction* a : w->menuBar()->actions())
        bar << a->text();
    QCOMPARE(bar, (QStringList{"ファイル(&F)", "編集(&E)", "実績(&S)", "環境(&K)", "ツール(&T)", "ヘルプ(&H)"}));
    QCOMPARE(captions(w->mnuEdit), (QStringList{"元に戻す(&U)", "やり直し(&Y)", "-", "データ追加(&A)", "データ内容変更(&C)", "データ削除(&D)", "-",
                                                "その日の収支(&T)", "-", "費目・摘要項目 編集(&M)", "-",
                                                "定期入力の設定(&R)...", "検索(&F)..."}));
    QCOMPARE(w->mnuEditTeiki->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QCOMPARE(w->mnuEditSearch->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    // The restore after the export, the number of copies after the font size.
    QCOMPARE(w->mnuFile->actions().indexOf(w->mnuFileRestore), w->mnuFile->actions().indexOf(w->mnuFileItem[6]) + 1);
    QCOMPARE(w->mnuFileRestore->text(), QStringLiteral("バックアップから復元(&R)..."));
    QCOMPARE(w->mnuEnv->actions().indexOf(w->mnuEnvBackups), w->mnuEnv->actions().indexOf(w->mnuEnvItem[2]) + 1);
    QCOMPARE(w->mnuEnvBackups->text(), QStringLiteral("バックアップの世代数(&B)..."));
    for (int i = 0; i < 7; ++i)
        QCOMPARE(w->mnuEditItems[i], w->mnuEdit->actions()[i + 3]);
    emit w->mnuResult->aboutToShow(); // item 0 names the month shown
    QCOMPARE(captions(w->mnuResult), (QStringList{"3月度支出内訳(&M)", "年間推移状況(&Y)", "-", "集計表示(&S)", "-", "前年度繰越高(&C)"}));
    for (int i = 0; i < 6; ++i)
        QCOMPARE(w->mnuResultItem[i], w->mnuResult->actions()[i]);
    QCOMPARE(captions(w->mnuResultSub), (QStringList{"日単位(&D)", "費目単位(&C)"}));

    // Buttons 11-13, 15, 17-18 and the toggles 20-21, each group between separators.
    const QList<QAction*> tools = w->tbrToolBar->actions();
    const int add = tools.indexOf(w->tbrAdd);
    QVERIFY(add > 0 && tools[add - 1]->isSeparator());
    const QList<QAction*> expected{w->tbrAdd,       w->tbrChange,     w->tbrDelete,     nullptr,
                                   w->tbrCategories, nullptr,          w->tbrGraphMonth, w->tbrGraphYear,
                                   nullptr,          w->tbrDaySummary, w->tbrCategorySummary, nullptr};
    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i])
            QCOMPARE(tools[add + i], expected[i]);
        else
            QVERIFY(tools[add + i]->isSeparator());
    }
    const QStringList tips{w->tbrAdd->toolTip(), w->tbrChange->toolTip(), w->tbrDelete->toolTip(),
                           w->tbrCategories->toolTip(), w->tbrGraphMonth->toolTip(), w->tbrGraphYear->toolTip()};
    QCOMPARE(tips, (QStringList{"データ追加", "データ内容変更", "データ削除", "費目・摘要項目 編集", "月間収支内訳グラフ",
                                "年間支出推移グラフ"}));
}

// Each menu of the menu bar and each of their submenus, by its caption path.
void TestMenus::everyItemHasItsOwnMnemonic_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<int>("items"); // items with a caption
    const QHash<QString, int> expected{{"ファイル", 8}, {"ファイル/印刷", 2}, {"編集", 9}, {"実績", 4}, {"実績/集計表示", 2},
                                       {"環境", 4}, {"環境/オプション", 1}, {"ツール", 2}, {"ヘルプ", 2}};
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key() << it.value();
}

void TestMenus::everyItemHasItsOwnMnemonic()
{
    QFETCH(QString, menu);
    QFETCH(int, items);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries));
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {}));
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    // Down the caption path, each menu opened as the user opens it (captions
    // that name the month or the day are set then).
    QList<QAction*> actions = w->menuBar()->actions();
    QMenu* found = nullptr;
    for (const QString& step : menu.split(QLatin1Char('/'))) {
        found = nullptr;
        for (QAction* a : actions)
            if (a->menu() && a->text().startsWith(step))
                found = a->menu();
        QVERIFY2(found, qPrintable(step));
        f.views()->selectRow(1);
        emit found->aboutToShow();
        actions = found->actions();
    }
    QSet<QChar> keys;
    int captioned = 0;
    for (QAction* a : std::as_const(actions)) {
        if (a->isSeparator())
            continue;
        const QString text = a->text();
        QVERIFY2(text.count(QLatin1Char('&')) - 2 * text.count(QStringLiteral("&&")) == 1, qPrintable(text));
        const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        const QChar key = text.at(at + 1).toUpper();
        QVERIFY2(!keys.contains(key), qPrintable(text));
        keys.insert(key);
        ++captioned;
    }
    QCOMPARE(captioned, items);
}

void TestMenus::editMenuOpening_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("caption");

    QTest::newRow("nothing selected") << 0 << -1 << false << "その日の収支(&T)";
    QTest::newRow("carry-over row") << 0 << 0 << false << "その日の収支(&T)";
    QTest::newRow("day 12") << 0 << 2 << true << "3月12日の収支状況(&T)";
    QTest::newRow("day summary in front") << 1 << 2 << false << "その日の収支(&T)";
}

void TestMenus::editMenuOpening()
{
    QFETCH(int, mode);
    QFETCH(int, row);
    QFETCH(bool, enabled);
    QFETCH(QString, caption);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries));
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    f.views()->selectRow(row);
    f.views()->setSummaryMode(mode);
    w->mnuEdit->popup(w->mapToGlobal(QPoint(20, 20)));
    QVERIFY(w->mnuEdit->isVisible());
    QVERIFY(w->mnuEditItems[0]->isEnabled());
    for (int i : {1, 2, 4})
        QCOMPARE(w->mnuEditItems[i]->isEnabled(), enabled);
    QCOMPARE(w->mnuEditItems[4]->text(), caption);
    w->mnuEdit->hide();

    // The right button on the entry list pops the same menu up.
    if (mode == 0) {
        QTreeView* list = f.views()->lvwMonth;
        QTest::mousePress(list->viewport(), Qt::RightButton, {}, list->visualRect(f.views()->monthRows->index(1, 1)).center());
        QVERIFY(w->mnuEdit->isVisible());
        QCOMPARE(w->mnuEditItems[4]->text(), QStringLiteral("3月5日の収支状況(&T)"));
        w->mnuEdit->hide();
    }
}

void TestMenus::toolbarButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("acts");

    QTest::newRow("add, nothing selected") << "tbrAdd" << 0 << -1 << true;
    QTest::newRow("add, summary in front") << "tbrAdd" << 2 << -1 << true;
    QTest::newRow("change, entry row") << "tbrChange" << 0 << 1 << true;
    QTest::newRow("change, carry-over row") << "tbrChange" << 0 << 0 << false;
    QTest::newRow("change, nothing selected") << "tbrChange" << 0 << -1 << false;
    QTest::newRow("change, summary in front") << "tbrChange" << 1 << 1 << false;
    QTest::newRow("delete, entry row") << "tbrDelete" << 0 << 2 << true;
    QTest::newRow("delete, carry-over row") << "tbrDelete" << 0 << 0 << false;
    QTest::newRow("delete, summary in front") << "tbrDelete" << 2 << 2 << false;
}

void TestMenus::toolbarButtons()
{
    QFETCH(QString, button);
    QFETCH(int, mode);
    QFETCH(int, row);
    QFETCH(bool, acts);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries));
    QVERIFY(f.start());
    f.views()->selectRow(row);
    f.views()->setSummaryMode(mode);
    QAction* action = f.window()->tbrToolBar->findChild<QAction*>(button);
    QVERIFY(action);
    if (button == QLatin1String("tbrDelete")) {
        f.prompter.answers.enqueue(Prompter::Answer::No);
        action->trigger();
        QCOMPARE(f.prompter.shown.size(), acts ? 1 : 0);
        return;
    }
    QCOMPARE(opensDialog(f, [&] { action->trigger(); }), acts);
}

void TestMenus::summaryTogglesAndSubmenu()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries));
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    QAction* day = w->tbrDaySummary;
    QAction* cat = w->tbrCategorySummary;
    QAction* dayItem = w->mnuResultSubItem[0];
    QAction* catItem = w->mnuResultSubItem[1];
    // What the four show, and the list in front.
    auto state = [&] {
        return QStringLiteral("%1%2 %3 %4 %5%6 %7")
            .arg(day->isChecked())
            .arg(cat->isChecked())
            .arg(day->text(), cat->text())
            .arg(dayItem->isChecked())
            .arg(catItem->isChecked())
            .arg(f.views()->listStack->currentWidget() == f.views()->lvwMonthC ? "summary" : "entries");
    };
    QCOMPARE(state(), QStringLiteral("00 日単位 -オフ 費目単位 -オフ 00 entries"));
    day->trigger();
    QCOMPARE(state(), QStringLiteral("10 日単位 -オン 費目単位 -オフ 10 summary"));
    cat->trigger();
    QCOMPARE(state(), QStringLiteral("01 日単位 -オフ 費目単位 -オン 01 summary"));
    dayItem->trigger();
    QCOMPARE(state(), QStringLiteral("10 日単位 -オン 費目単位 -オフ 10 summary"));
    QCOMPARE(f.views()->summaryRows->count(), 3);
    dayItem->trigger();
    QCOMPARE(state(), QStringLiteral("00 日単位 -オフ 費目単位 -オフ 00 entries"));
    cat->trigger();
    cat->trigger();
    QCOMPARE(state(), QStringLiteral("00 日単位 -オフ 費目単位 -オフ 00 entries"));
    // Set by the program (start-up, the category editor): the same.
    f.views()->setSummaryMode(2);
    QCOMPARE(state(), QStringLiteral("01 日単位 -オフ 費目単位 -オン 01 summary"));
}

void TestMenus::prevCarryOverItem_data()
{
    QTest::addColumn<QString>("previousYear");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("no previous year") << "" << "前年度繰越高(&C)" << false;
    QTest::newRow("previous year") << "C\n&0\n0101010100100\n$-45678\n" << "前年度 (2025年) 繰越高(&C)" << true;
}

void TestMenus::prevCarryOverItem()
{
    QFETCH(QString, previousYear);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    if (!previousYear.isEmpty())
        f.home.writeText(QStringLiteral("2025.zbl"), previousYear);
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    f.views()->selectMonth(4);
    emit w->mnuResult->aboutToShow();
    QCOMPARE(w->mnuResultItem[0]->text(), QStringLiteral("4月度支出内訳(&M)"));
    QAction* item = w->mnuResultItem[5];
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->isEnabled(), enabled);
    if (enabled) {
        f.prompter.clear();
        item->trigger();
        QCOMPARE(f.prompter.messages(), QStringList{QStringLiteral("2025年度の繰越高は [ -45,678 円 ] です。")});
    }
}

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
