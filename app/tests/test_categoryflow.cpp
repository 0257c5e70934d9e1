// The category editor opened from the main window: after OK the month views,
// the status bar, the saved year and the entry dialog follow its changes.

#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "ledger/TextFile.h"
#include "month/frmData.h"
#include "categories/frmMainSub.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>

namespace {
// March 2026 (today's month): 食費 once, 日用品 once, 給与 twice.
const QStringList kEntries{"03/0201011200", "03/0502010300", "03/200300200000", "03/2503005000"};

// Runs steps in the editor opened by `open`; false when it did not open.
bool whileEditing(AppFixture& f, const std::function<void()>& open, const std::function<void(frmMainSub*)>& steps)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* editor = f.window()->findChild<frmMainSub*>();
        opened = editor && editor->isVisible();
        if (!opened)
            return;
        steps(editor);
        if (editor->isVisible()) {
            QTest::qFail("the category editor stayed open", __FILE__, __LINE__);
            editor->cmdCancel_Click();
        }
    });
    open();
    return opened;
}
}

class TestCategoryFlow : public QObject {
    Q_OBJECT
private slots:
    void entryPoints();
    void changesShowAtOnce();
};

void TestCategoryFlow::entryPoints()
{
    AppFixture f;
    QVERIFY(f.start());
    frmKanelo* w = f.window();
    for (QAction* entry : {w->mnuEditItems[6], w->tbrCategories})
        QVERIFY(whileEditing(f, [&] { entry->trigger(); }, [](frmMainSub* editor) { editor->cmdCancel_Click(); }));
}

void TestCategoryFlow::changesShowAtOnce()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries));
    QVERIFY(f.start());
    f.views()->setSummaryMode(2);

    // 食費 renamed with a new budget, 日用品 (one entry) deleted.
    QVERIFY(whileEditing(f, [&] { f.window()->edit->mnuEditItem(6); }, [&](frmMainSub* editor) {
        QCOMPARE(editor->txtMain->text(), QStringLiteral("食費"));
        editor->txtMain->setText(QStringLiteral("食料費"));
        editor->txtLimit->setText(QStringLiteral("12,000"));
        QTest::mouseClick(editor->cmdChange, Qt::LeftButton);
        QTest::mouseClick(editor->lvwMain->viewport(), Qt::LeftButton, {},
                          editor->lvwMain->visualRect(editor->lvwMain->model()->index(1, 1)).center());
        f.prompter.answers << Prompter::Answer::Yes;
        QTest::keyClick(editor->lvwMain, Qt::Key_Delete);
        QTest::mouseClick(editor->cmdOK, Qt::LeftButton);
    }));
    QVERIFY(f.prompter.shown.first().text.contains(QStringLiteral("1 件にこの費目が付いています。")));
    QCOMPARE(f.prompter.messages(), QStringList()); // no box per entry of the deleted category

    QCOMPARE(f.views()->monthRows->count(), 4);
    QCOMPARE(f.cell(1, MonthListModel::Category), QStringLiteral("食料費"));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 1,200"));
    const MonthListModel& summary = *f.views()->summaryRows;
    int row = 0;
    while (row < summary.count() && summary.cell(row, 1) != QStringLiteral("食料費"))
        ++row;
    QVERIFY(row < summary.count());
    QCOMPARE(summary.cell(row, 3), QStringLiteral("12,000")); // budget
    QCOMPARE(summary.cell(row, 4), QStringLiteral("10,800")); // what is left of it

    // The entry dialog offers the categories by use; the saved year lost the deleted category's entry.
    QComboBox* box = f.window()->edit->dataDialog()->cmbMain;
    QStringList offered;
    for (int i = 0; i < box->count(); ++i)
        offered << box->itemText(i);
    QCOMPARE(offered, (QStringList{"給与", "食料費"}));
    f.window()->mnuFileItem_Click(3);
    const QString saved = TextFile::decode(f.home.readBytes(QStringLiteral("2026.zbl")));
    QVERIFY2(saved.endsWith(QStringLiteral("&0\r\n03/0201011200\r\n03/200300200000\r\n03/2503005000\r\n$203800\r\n")),
             qPrintable(saved));
    QVERIFY(TextFile::decode(f.home.readBytes(QStringLiteral("MainSub.zbt"))).contains(QStringLiteral("\r\n0100食料費:1:255:12000\r\n")));
}

QTEST_MAIN(TestCategoryFlow)
#include "test_categoryflow.moc"
