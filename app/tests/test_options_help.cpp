// The options menu (toolbar, font size, calendar link) and the help menu.
#include "app/tests/AppFixture.h"

#include "month/EditCommands.h"
#include "app/HelpWindow.h"
#include "month/frmData.h"
#include "ledger/Settings.h"
#include "app/frmVersion.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {
void startYear(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {}));
    if (!f.start())
        qFatal("not started");
}

void copyHelpPages(const TestHome& home)
{
    QDir(home.path({})).mkdir(QStringLiteral("help"));
    const QDir source(QStringLiteral(KANELO_HELP_SOURCE));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), home.path(QStringLiteral("help/") + name));
}
}

class TestOptionsHelp : public QObject {
    Q_OBJECT
private slots:
    void toolbarToggleLastsOnlyThroughExit_data();
    void toolbarToggleLastsOnlyThroughExit();
    void fontSize_data();
    void fontSize();
    void fontSizeReturnsAfterExit();
    void columnsFitAt16Points();
    void calendarLinkOption();
    void helpPages();
    void helpWithoutPages();
    void f1OpensThePageOfTheWindowInFront_data();
    void f1OpensThePageOfTheWindowInFront();
    void versionBoxIsModal();
};

void TestOptionsHelp::toolbarToggleLastsOnlyThroughExit_data()
{
    QTest::addColumn<bool>("viaExit");
    QTest::newRow("file menu exit") << true;
    QTest::newRow("close box") << false;
}

void TestOptionsHelp::toolbarToggleLastsOnlyThroughExit()
{
    QFETCH(bool, viaExit);
    AppFixture f;
    startYear(f);
    QAction* item = f.window()->mnuEnvItem[0];
    QCOMPARE(item->text(), QStringLiteral("ツールバー非表示(&T)"));
    item->trigger();
    QVERIFY(f.window()->tbrToolBar->isHidden());
    QVERIFY(item->isChecked());
    item->trigger();
    QVERIFY(f.window()->tbrToolBar->isVisible());
    QVERIFY(!item->isChecked());
    item->trigger();

    if (viaExit) {
        f.window()->mnuFileItem[10]->trigger();
    } else {
        f.prompter.answers.enqueue(Prompter::Answer::No);
        f.window()->close();
    }
    f.app.reset();
    QVERIFY(f.start());
    QCOMPARE(f.window()->tbrToolBar->isHidden(), viaExit);
    QCOMPARE(f.window()->mnuEnvItem[0]->isChecked(), viaExit);
}

void TestOptionsHelp::fontSize_data()
{
    QTest::addColumn<QStringList>("answers"); // asked again after a refusal
    QTest::addColumn<int>("size");
    QTest::addColumn<QStringList>("refused");

    QTest::newRow("12") << QStringList{"12"} << 12 << QStringList{};
    QTest::newRow("smallest and largest") << QStringList{"6"} << 6 << QStringList{};
    QTest::newRow("largest") << QStringList{"４８"} << 48 << QStringList{};
    QTest::newRow("cancelled") << QStringList{""} << 11 << QStringList{};
    QTest::newRow("not a number, then cancelled") << QStringList{"abc", ""} << 11 << QStringList{"abc"};
    QTest::newRow("too small, then 8") << QStringList{"5", "8"} << 8 << QStringList{"5"};
    QTest::newRow("too large, then cancelled") << QStringList{"49", ""} << 11 << QStringList{"49"};
    QTest::newRow("undrawable") << QStringList{"100000", ""} << 11 << QStringList{"100000"};
}

void TestOptionsHelp::fontSize()
{
    QFETCH(QStringList, answers);
    QFETCH(int, size);
    QFETCH(QStringList, refused);
    AppFixture f;
    startYear(f);
    for (const QString& a : answers)
        f.prompter.inputs.enqueue(a);
    f.window()->mnuEnvItem[2]->trigger();

    const FakePrompter::Shown& box = f.prompter.shown.first();
    QCOMPARE(box.text, QStringLiteral("家計簿データ入力画面のフォントサイズを入力して下さい。\r\n\r\n  現在のフォントサイズ : 11"));
    QCOMPARE(box.title, QStringLiteral("データ入力画面のフォントサイズ変更"));
    QCOMPARE(box.defaultText, QStringLiteral("11"));
    QStringList messages;
    for (const QString& r : refused)
        messages << QStringLiteral("フォントサイズ [%1] は使えません。\r\n\r\n6 から 48 までの数値で入力して下さい。").arg(r);
    QCOMPARE(f.prompter.messages(), messages);
    QCOMPARE(f.prompter.unexpected, 0);
    QCOMPARE(f.views()->lvwMonth->font().pointSize(), size);
    QCOMPARE(f.views()->lvwMonthC->font().pointSize(), size);
}

// Every column of the list in front, entries or either summary, stays in
// the default window at a large font.
void TestOptionsHelp::columnsFitAt16Points()
{
    AppFixture f;
    startYear(f);
    f.window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window()));
    f.prompter.inputs.enqueue(QStringLiteral("16"));
    f.window()->mnuEnvItem[2]->trigger();
    for (int mode : {0, 1, 2}) {
        f.views()->setSummaryMode(mode);
        f.views()->ShowCompress();
        QTreeView* list = mode == 0 ? static_cast<QTreeView*>(f.views()->lvwMonth) : f.views()->lvwMonthC;
        QTRY_VERIFY(list->isVisible());
        QHeaderView* header = list->header();
        int right = 0;
        for (int c = 0; c < header->count(); ++c)
            if (!header->isSectionHidden(c))
                right = std::max(right, header->sectionViewportPosition(c) + header->sectionSize(c));
        QVERIFY2(right <= list->viewport()->width(),
                 qPrintable(QStringLiteral("mode %1: %2 > %3").arg(mode).arg(right).arg(list->viewport()->width())));
    }
}

void TestOptionsHelp::fontSizeReturnsAfterExit()
{
    AppFixture f;
    startYear(f);
    f.prompter.inputs.enqueue(QStringLiteral("16"));
    f.window()->mnuEnvItem[2]->trigger();
    f.window()->ExitProgram();
    f.app.reset();
    QVERIFY(f.start());
    QCOMPARE(f.views()->lvwMonth->font().pointSize(), 16);
    QCOMPARE(f.views()->lvwMonthC->font().pointSize(), 16); // both lists, as chosen
}

void TestOptionsHelp::calendarLinkOption()
{
    AppFixture f;
    startYear(f);
    QSignalSpy changed(f.window(), &frmKanelo::linkCalendarChanged);
    QAction* item = f.window()->mnuEnvSubItem[0];
    QCOMPARE(item->text(), QStringLiteral("カレンダーとデータ入力画面の年月を連動させる(&L)"));
    item->trigger();
    QVERIFY(f.window()->linkCalendar);
    QCOMPARE(changed.count(), 1);
    f.window()->ExitProgram();
    QCOMPARE(ReadSetting(QStringLiteral("Kanelo Y"), QStringLiteral("Options"), QStringLiteral("movewith"), {}),
             QStringLiteral("True"));
}

void TestOptionsHelp::helpPages()
{
    AppFixture f;
    copyHelpPages(f.home);
    startYear(f);
    f.window()->tbrHelp->trigger();
    HelpWindow* help = f.window()->help;
    QVERIFY(help);
    QVERIFY(help->isVisible());
    QCOMPARE(help->txtPage->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(help->txtPage->toPlainText().contains(QStringLiteral("Kanelo Y -ぽるもさん!? ヘルプ")));

    QStringList contents;
    for (int i = 0; i < help->lstContents->count(); ++i)
        contents << help->lstContents->item(i)->text();
    QVERIFY(contents.contains(QStringLiteral("繰越高・残高とステータスバー")));
    QVERIFY(contents.size() >= 6);

    // Every contents entry opens a page of the folder.
    for (int i = 1; i < help->lstContents->count(); ++i) {
        emit help->lstContents->itemClicked(help->lstContents->item(i));
        QVERIFY2(!help->txtPage->toPlainText().trimmed().isEmpty(), qPrintable(contents[i]));
    }

    help->txtSearch->setText(QStringLiteral("前年度繰越残高 ダブルクリック"));
    QTest::mouseClick(help->cmdSearch, Qt::LeftButton);
    QCOMPARE(help->lstResults->count(), 1);
    QCOMPARE(help->lstResults->item(0)->text(), QStringLiteral("繰越高・残高とステータスバー"));
    emit help->lstResults->itemClicked(help->lstResults->item(0));
    QCOMPARE(help->txtPage->source().fileName(), QStringLiteral("balance.html"));

    help->search(QStringLiteral("存在しない語句xyz"));
    QCOMPARE(help->lstResults->count(), 1);
    QCOMPARE(help->lstResults->item(0)->text(), QStringLiteral("該当するページはありません。"));
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestOptionsHelp::helpWithoutPages()
{
    AppFixture f;
    startYear(f);
    f.window()->mnuHelpItem[0]->trigger();
    QVERIFY(!f.window()->help);
    QCOMPARE(f.prompter.messages().size(), 1);
    QVERIFY(f.prompter.messages().first().startsWith(QStringLiteral("ヘルプファイルが見つかりません。")));
}

void TestOptionsHelp::f1OpensThePageOfTheWindowInFront_data()
{
    QTest::addColumn<QString>("opens"); // the menu item that opens the window
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("page");

    QTest::newRow("main window") << "" << "frmKanelo" << "month.html";
    QTest::newRow("entry dialog") << "mnuEditItem0" << "frmData" << "entry.html";
    QTest::newRow("its date picker") << "mnuEditItem0" << "frmDataCalender" << "entry.html";
    QTest::newRow("category editor") << "mnuEditItem6" << "frmMainSub" << "categories.html";
    QTest::newRow("calendar") << "mnuToolItem0" << "frmCalender" << "calendar.html";
    QTest::newRow("calculator") << "mnuToolItem1" << "frmCalculator" << "calculator.html";
    QTest::newRow("month graph") << "mnuResultItem0" << "frmGraph" << "graphs.html";
    QTest::newRow("monthly report") << "mnuFileSubItem0" << "frmPrint" << "file.html#print";
    QTest::newRow("recurring entries") << "mnuEditTeiki" << "frmTeiki" << "recurring.html";
    QTest::newRow("search") << "mnuEditSearch" << "frmSearch" << "search.html";
    QTest::newRow("version box: the main window's page") << "mnuHelpItem2" << "frmVersion" << "month.html";
}

void TestOptionsHelp::f1OpensThePageOfTheWindowInFront()
{
    QFETCH(QString, opens);
    QFETCH(QString, window);
    QFETCH(QString, page);
    AppFixture f;
    copyHelpPages(f.home);
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/050100001000"}));
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    f.views()->lvwMonth->setFocus();

    // From a turn of the event loop, so that a modal window is running: F1
    // where the window's focus is, then Esc in the help, then the window closed.
    QStringList seen;
    bool done = false;
    QObject steps;
    std::function<void()> step = [&] {
        QWidget* front = QApplication::activeModalWidget();
        if (!front)
            front = QApplication::activeWindow();
        if (!front || front->objectName() != window || QApplication::activeWindow() != front) {
            if (front && front->objectName() == window)
                front->activateWindow();
            QTimer::singleShot(10, &steps, step);
            return;
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == front ? focus : front, Qt::Key_F1);
        QPointer<HelpWindow> help = w->help;
        if (!help || !help->isVisible()) {
            seen << QStringLiteral("no help");
        } else {
            seen << help->txtPage->source().toString();
            QCOMPARE(help->lstContents->currentItem()->data(Qt::UserRole).toString(), page.section(QLatin1Char('#'), 0, 0));
            // The page has the keys: arrows and PgUp/PgDn read it, Esc closes.
            QCOMPARE(help->focusWidget(), help->txtPage);
            QTest::keyClick(help->txtPage, Qt::Key_Escape);
            seen << (help && help->isVisible() ? QStringLiteral("still open") : QStringLiteral("closed"));
        }
        // The window F1 was pressed in has the keys again.
        const bool active = QTest::qWaitFor([&] { return QApplication::activeWindow() == front; }, 1000);
        seen << (active ? QStringLiteral("window active") : QStringLiteral("window not active"));
        if (front != w)
            front->close();
        // The entry dialog under its picker.
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
        done = true;
    };
    QTimer::singleShot(0, &steps, step);
    if (window == QLatin1String("frmDataCalender"))
        QTimer::singleShot(0, &steps, [&] { QTest::keyClick(w->edit->dataDialog()->txtDate, Qt::Key_F4); });
    if (!opens.isEmpty())
        w->findChild<QAction*>(opens)->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QCOMPARE(seen, (QStringList{page, "closed", "window active"}));
    QVERIFY(f.prompter.shown.isEmpty());
}

void TestOptionsHelp::versionBoxIsModal()
{
    AppFixture f;
    startYear(f);
    bool modal = false;
    QString version, folder;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<frmVersion*>(QApplication::activeModalWidget());
        QVERIFY(box);
        modal = box->isModal();
        version = box->lblVersion->text();
        folder = box->lblFolder->text();
        QTest::mouseClick(box->cmdOK, Qt::LeftButton);
    });
    f.window()->mnuHelpItem[2]->trigger();
    QVERIFY(modal);
    // The project's one version number, and the folder the files are in.
    QCOMPARE(version, QStringLiteral("Version " KANELO_PROJECT_VERSION));
    QCOMPARE(folder, QDir::toNativeSeparators(f.home.path({})));
    QCOMPARE(f.window()->mnuHelpItem[2]->text(), QStringLiteral("バージョン情報(&A)..."));
}

QTEST_MAIN(TestOptionsHelp)
#include "test_options_help.moc"
