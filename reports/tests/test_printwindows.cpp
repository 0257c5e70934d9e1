// The report windows as the user drives them: choices, buttons and keys,
// the messages, the files they save, and the way in from the main window.
#include "app/tests/AppFixture.h"
#include "ledger/ProgramFolder.h"
#include "reports/ReportWorkbook.h"
#include "reports/tests/ReportFiles.h"
#include "reports/tests/ReportTestData.h"
#include "reports/frmPrint.h"
#include "reports/frmPrintY.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace Reports;

namespace {
// March and May hold entries, April none.
struct Ledger : ReportLedger {
    Ledger() : ReportLedger(householdCategories())
    {
        model.setCurMonth(3);
        add({"03/02 01 1000", "03/25 05 250000", "05/05 02 300", "05/07 06 800"});
    }
};

void choose(frmPrint& w, const std::vector<int>& months)
{
    w.lstMonth->clearSelection();
    for (int m : months)
        w.lstMonth->item(m - 1)->setSelected(true);
}

QString messageLine(const FakePrompter::Shown& s)
{
    return s.title + QLatin1Char('|') + s.text.section(QStringLiteral("\r\n"), 0, 0);
}

QStringList messageLines(const FakePrompter& p)
{
    QStringList out;
    for (const FakePrompter::Shown& s : p.shown)
        out << (s.kind == FakePrompter::Shown::Message ? messageLine(s) : QStringLiteral("<chooser>"));
    return out;
}
}

class TestPrintWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setWorkbookModuleFolder(QStringLiteral(KANELO_WORKBOOK_FOLDER)); }
    void monthWindow();
    void yearWindow();
    void printOutcomes_data();
    void printOutcomes();
    void saveFiles_data();
    void saveFiles();
    void failedSaveKeepsWindowAndFile();
    void nothingToPutOut_data();
    void nothingToPutOut();
    void yearChartsOnly();
    void keyboard();
    void mainWindowOpensReports();
};

void TestPrintWindows::monthWindow()
{
    Ledger l;
    l.model.setCurMonth(7);
    frmPrint w(l.model);
    QCOMPARE(w.windowTitle(), QStringLiteral("月間収支報告書 印刷"));
    QCOMPARE(w.lstMonth->count(), 12);
    QCOMPARE(w.lstMonth->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(w.selectedMonths(), std::vector<int>{7});
    QCOMPARE(w.lstMonth->currentRow(), 6);
    QCOMPARE((QStringList{w.cmdPrint->text(), w.cmdPdf->text(), w.cmdExcel->text(), w.cmdCancel->text()}),
             (QStringList{"印刷(&P)...", "PDF保存(&D)...", "Excel保存(&E)...", "キャンセル"}));
    // Nothing chosen: nothing to put out.
    w.lstMonth->clearSelection();
    QVERIFY(!w.cmdPrint->isEnabled() && !w.cmdPdf->isEnabled() && !w.cmdExcel->isEnabled());
    choose(w, {5, 3});
    QVERIFY(w.cmdPrint->isEnabled());
    QCOMPARE(w.selectedMonths(), (std::vector<int>{3, 5}));
}

void TestPrintWindows::yearWindow()
{
    Ledger l;
    frmPrintY w(l.model);
    QCOMPARE(w.windowTitle(), QStringLiteral("年間収支報告書 印刷"));
    QCOMPARE(w.chkData->text(), QStringLiteral("月別収支内訳（数値データ）"));
    QCOMPARE(w.chkGraph->text(), QStringLiteral("年間推移グラフ"));
    QVERIFY(w.chkData->isChecked() && w.chkGraph->isChecked());
    w.chkData->setChecked(false);
    QVERIFY(w.cmdPdf->isEnabled());
    w.chkGraph->setChecked(false);
    QVERIFY(!w.cmdPrint->isEnabled() && !w.cmdPdf->isEnabled() && !w.cmdExcel->isEnabled());
    w.chkGraph->setChecked(true);
    QVERIFY(w.cmdExcel->isEnabled());
}

void TestPrintWindows::printOutcomes_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("closed");
    QTest::newRow("printed") << int(PrintResult::Printed) << "|月間収支報告の印刷が終了しました。" << true;
    QTest::newRow("cancelled in the preview") << int(PrintResult::Cancelled) << "" << false;
    QTest::newRow("no printer") << int(PrintResult::NoPrinter) << "|印刷できるプリンターが見つかりません。" << false;
    QTest::newRow("printer error") << int(PrintResult::Failed) << "|月間収支報告を印刷できませんでした。" << false;
}

void TestPrintWindows::printOutcomes()
{
    QFETCH(int, result);
    QFETCH(QString, message);
    Ledger l;
    frmPrint w(l.model);
    choose(w, {3, 4, 5});
    QStringList drawn;
    w.print = [&](QWidget*, const QString& title, const Draw& draw) {
        drawn << title;
        for (const MonthReport& r : w.reports())
            drawn << r.monthTitle;
        // The report really draws, pages and all.
        if (pdfBytes(title, draw).isEmpty())
            drawn << QStringLiteral("<not drawn>");
        return PrintResult(result);
    };
    w.show();
    QTest::mouseClick(w.cmdPrint, Qt::LeftButton);
    // April is empty and told so; March and May go out, in that order, in one job.
    QCOMPARE(drawn, (QStringList{"月間収支報告", "３月度", "５月度"}));
    QStringList expected{"4月度 月間収支報告印刷|出力するデータがありません。"};
    if (!message.isEmpty())
        expected << message;
    QCOMPARE(messageLines(l.prompter), expected);
    QTEST(!w.isVisible(), "closed");
}

void TestPrintWindows::saveFiles_data()
{
    QTest::addColumn<bool>("year");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("proposed");
    QTest::addColumn<QString>("done");
    QTest::newRow("month PDF") << false << "cmdPdf" << "月間収支報告 2026年3・5月.pdf" << "月間収支報告をPDFファイルに保存しました。";
    QTest::newRow("month workbook") << false << "cmdExcel" << "月間収支報告 2026年3・5月.xlsx"
                                    << "月間収支報告をExcelファイルに保存しました。";
    QTest::newRow("year PDF") << true << "cmdPdf" << "年間収支報告 2026年.pdf" << "年間収支報告をPDFファイルに保存しました。";
    QTest::newRow("year workbook") << true << "cmdExcel" << "年間収支報告 2026年.xlsx" << "年間収支報告をExcelファイルに保存しました。";
}

void TestPrintWindows::saveFiles()
{
    QFETCH(bool, year);
    QFETCH(QString, button);
    QFETCH(QString, proposed);
    QFETCH(QString, done);
    Ledger l;
    std::unique_ptr<ReportDialog> w;
    if (year) {
        w = std::make_unique<frmPrintY>(l.model);
    } else {
        auto m = std::make_unique<frmPrint>(l.model);
        choose(*m, {3, 5});
        w = std::move(m);
    }
    w->show();
    auto* b = w->findChild<QPushButton*>(button);

    // A cancelled chooser saves nothing and keeps the window.
    l.prompter.files.enqueue(QString());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(w->isVisible());
    QCOMPARE(messageLines(l.prompter), QStringList{"<chooser>"});
    QCOMPARE(l.prompter.shown[0].text, programFile(proposed));

    const QString path = l.home.path(QStringLiteral("saved.out"));
    l.prompter.clear();
    l.prompter.files.enqueue(path);
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QCOMPARE(messageLines(l.prompter), (QStringList{"<chooser>", "|" + done}));
    QVERIFY(l.prompter.shown[1].text.endsWith(QStringLiteral("ファイル名 [%1]").arg(path)));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(4), QByteArray(button == QLatin1String("cmdPdf") ? "%PDF" : "PK\x03\x04"));
}

void TestPrintWindows::failedSaveKeepsWindowAndFile()
{
    Ledger l;
    frmPrint w(l.model);
    w.show();
    const QString path = l.home.path(QStringLiteral("3月.pdf"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("last month's report");
    old.close();
    l.prompter.files.enqueue(path);
    {
        FileSizeLimit full(2048);
        QTest::mouseClick(w.cmdPdf, Qt::LeftButton);
    }
    QVERIFY(w.isVisible());
    const QStringList lines = l.prompter.messages();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].startsWith(QStringLiteral("ファイル [%1] を保存できませんでした。").arg(path)));
    QVERIFY(lines[0].endsWith(QStringLiteral("保存されていたファイルはそのまま残っています。")));
    QCOMPARE(l.prompter.shown.last().icon, Prompter::Icon::Warning);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("last month's report"));
}

void TestPrintWindows::nothingToPutOut_data()
{
    QTest::addColumn<bool>("year");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("closed");
    QTest::newRow("empty month") << false << "4月度 月間収支報告印刷|出力するデータがありません。" << false;
    QTest::newRow("empty year") << true << "年間収支報告印刷|出力するデータがありません。" << true;
}

void TestPrintWindows::nothingToPutOut()
{
    QFETCH(bool, year);
    QFETCH(QString, message);
    ReportLedger l(householdCategories());
    l.model.setCurMonth(4);
    l.add({});
    std::unique_ptr<ReportDialog> w;
    if (year)
        w = std::make_unique<frmPrintY>(l.model);
    else
        w = std::make_unique<frmPrint>(l.model);
    w->show();
    bool printed = false;
    w->print = [&](QWidget*, const QString&, const Draw&) {
        printed = true;
        return PrintResult::Printed;
    };
    for (QPushButton* b : {w->cmdPdf, w->cmdPrint}) {
        l.prompter.clear();
        if (w->isVisible())
            QTest::mouseClick(b, Qt::LeftButton);
        else
            b->click();
        // Told once, no chooser, no preview, no completion.
        QCOMPARE(messageLines(l.prompter), QStringList{message});
        QTEST(!w->isVisible(), "closed");
    }
    QVERIFY(!printed);
}

void TestPrintWindows::yearChartsOnly()
{
    Ledger l;
    frmPrintY w(l.model);
    w.chkData->setChecked(false);
    const QString path = l.home.path(QStringLiteral("year.pdf"));
    l.prompter.files.enqueue(path);
    w.cmdPdf->click();
    const QString text = pdfPages(path).join(QLatin1Char('\f'));
    QVERIFY(text.contains(QStringLiteral("２０２６年度 年間推移グラフ")));
    QVERIFY(!text.contains(QStringLiteral("年間収支報告")));
}

void TestPrintWindows::keyboard()
{
    Ledger l;
    frmPrint w(l.model);
    int previews = 0;
    w.print = [&](QWidget*, const QString&, const Draw&) {
        ++previews;
        return PrintResult::Cancelled;
    };
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.lstMonth);
    // Down and Space add April to March.
    QTest::keyClick(w.lstMonth, Qt::Key_Down);
    QTest::keyClick(w.lstMonth, Qt::Key_Space);
    QCOMPARE(w.selectedMonths(), (std::vector<int>{3, 4}));
    // Enter opens the preview; Alt+D the PDF chooser, Alt+E the workbook's,
    // Alt+P the preview (a mnemonic clicks after a short flash).
    QTest::keyClick(w.lstMonth, Qt::Key_Return);
    QCOMPARE(previews, 1);
    l.prompter.clear();
    l.prompter.files << QString() << QString();
    const auto choosers = [&] {
        QStringList titles;
        for (const auto& s : l.prompter.shown)
            if (s.kind == FakePrompter::Shown::SaveFile)
                titles << s.title;
        return titles;
    };
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    QTRY_COMPARE(choosers(), QStringList{"月間収支報告をPDFファイルに保存"});
    QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
    QTRY_COMPARE(choosers().size(), 2);
    QCOMPARE(choosers().last(), QStringLiteral("月間収支報告をExcelファイルに保存"));
    QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(previews, 2);
    // Tab goes round the list and the four buttons.
    QList<QWidget*> order;
    QWidget* at = w.lstMonth;
    for (int i = 0; i < 5; ++i) {
        order << at;
        at = at->nextInFocusChain();
        while (!at->isVisible() || at->focusPolicy() == Qt::NoFocus || !at->isEnabled())
            at = at->nextInFocusChain();
    }
    QCOMPARE(order, (QList<QWidget*>{w.lstMonth, w.cmdPrint, w.cmdPdf, w.cmdExcel, w.cmdCancel}));
    QCOMPARE(at, w.lstMonth);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void TestPrintWindows::mainWindowOpensReports()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText(QStringLiteral("&0"), {QStringLiteral("03/05010012000")}));
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    QCOMPARE(w->mnuFileItem[8]->text(), QStringLiteral("印刷(&P)"));
    QVERIFY(w->mnuFileItem[9]->isSeparator());
    QCOMPARE(w->mnuFileSub->actions().size(), 2);
    QCOMPARE(w->mnuFileSubItem[0]->text(), QStringLiteral("月間収支報告(&M)"));
    QCOMPARE(w->mnuFileSubItem[1]->text(), QStringLiteral("年間収支報告(&Y)"));
    // The print buttons follow the file buttons, a separator on each side.
    const QList<QAction*> bar = w->tbrToolBar->actions();
    const qsizetype at = bar.indexOf(w->tbrPrintMonth);
    QCOMPARE(bar.indexOf(w->tbrSave), at - 2);
    QVERIFY(bar[at - 1]->isSeparator() && bar[at + 2]->isSeparator());
    QCOMPARE(bar[at + 1], w->tbrPrintYear);
    QCOMPARE(w->tbrPrintMonth->toolTip(), QStringLiteral("月間収支報告の印刷"));
    QCOMPARE(w->tbrPrintYear->toolTip(), QStringLiteral("年間支出報告の印刷"));

    const struct {
        QAction* action;
        const char* window;
    } ways[] = {{w->mnuFileSubItem[0], "frmPrint"}, {w->mnuFileSubItem[1], "frmPrintY"},
                {w->tbrPrintMonth, "frmPrint"},     {w->tbrPrintYear, "frmPrintY"}};
    for (const auto& way : ways) {
        QString opened;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                opened = modal->objectName();
                if (auto* p = qobject_cast<frmPrint*>(modal))
                    opened += QStringLiteral(" %1").arg(p->selectedMonths().front());
                modal->close();
            }
        });
        way.action->trigger();
        QVERIFY(opened.startsWith(QLatin1String(way.window)));
        if (opened.startsWith(QLatin1String("frmPrint ")))
            QCOMPARE(opened, QStringLiteral("frmPrint %1").arg(f.model().curMonth()));
    }
}

QTEST_MAIN(TestPrintWindows)
#include "test_printwindows.moc"
