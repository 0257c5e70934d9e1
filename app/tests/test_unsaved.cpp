// What the main window shows of unsaved changes and the undo stack: the
// caption's " *", 編集 → 元に戻す / やり直し by Ctrl+Z and Ctrl+Y, and the
// close question asked only while something is unsaved.
#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "month/EditHistory.h"
#include "ledger/tests/LedgerTestData.h"

#include <QAction>
#include <QMenu>
#include <QTreeView>

namespace {
const QString kTitle = QStringLiteral("Kanelo Y -ぽるもさん!?  [2026 年度]");

void startMarch(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", {"03/010100000100", "03/050200000200"}));
    if (!f.start())
        qFatal("not started");
    f.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window()));
    f.views()->lvwMonth->setFocus();
}

QString item(const QAction* a) { return a->isEnabled() ? a->text() : QStringLiteral("(%1)").arg(a->text()); }
}

class TestUnsaved : public QObject {
    Q_OBJECT
private slots:
    void keysAndCaption();
    void closeAsksOnlyWhenUnsaved_data();
    void closeAsksOnlyWhenUnsaved();
};

void TestUnsaved::keysAndCaption()
{
    AppFixture f;
    startMarch(f);
    frmKanelo* w = f.window();
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(w->mnuEdit->actions().mid(0, 2), (QList<QAction*>{w->mnuUndo, w->mnuRedo}));
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("(元に戻す(&U))(やり直し(&Y))"));

    f.views()->selectRow(1);
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Delete);
    QCOMPARE(f.model().slot(3).count(), 1);
    QCOMPARE(w->windowTitle(), kTitle + " *");
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("元に戻す(&U)  データ削除(やり直し(&Y))"));

    QTest::keyClick(f.views()->lvwMonth, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(w->windowTitle(), kTitle);
    const QByteArray saved = f.home.readBytes(QStringLiteral("2026.zbl"));

    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.model().slot(3).count(), 2);
    QCOMPARE(f.cell(1, 0), QStringLiteral("03/01"));
    QCOMPARE(w->windowTitle(), kTitle + " *");
    QCOMPARE(item(w->mnuUndo) + item(w->mnuRedo), QStringLiteral("(元に戻す(&U))やり直し(&Y)  データ削除"));

    // Ctrl+Y (and Ctrl+Shift+Z) redo: back at the saved year, nothing unsaved.
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(f.model().slot(3).count(), 1);
    QCOMPARE(w->windowTitle(), kTitle);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(f.views()->lvwMonth, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w->windowTitle(), kTitle);
    QCOMPARE(f.home.readBytes(QStringLiteral("2026.zbl")), saved);

    // Another year loaded: nothing to take back.
    f.home.writeText(QStringLiteral("2025.zbl"), AppFixture::yearText("&0", {}));
    w->SwitchYear(2025);
    QVERIFY(!w->mnuUndo->isEnabled());
    QCOMPARE(w->windowTitle(), QStringLiteral("Kanelo Y -ぽるもさん!?  [2025 年度]"));
}

void TestUnsaved::closeAsksOnlyWhenUnsaved_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Prompter::Answer>("answer"); // to the question, when asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("entriesSaved");

    using A = Prompter::Answer;
    QTest::newRow("nothing changed") << QStringList{} << A::Yes << false << true << 2;
    QTest::newRow("changed, then saved") << QStringList{"carry", "save"} << A::Yes << false << true << 2;
    QTest::newRow("changed, then undone") << QStringList{"delete", "undo"} << A::Yes << false << true << 2;
    QTest::newRow("undone past the save") << QStringList{"delete", "save", "undo"} << A::No << true << true << 1;
    QTest::newRow("changed, Yes saves") << QStringList{"delete"} << A::Yes << true << true << 1;
    QTest::newRow("changed, No discards") << QStringList{"delete"} << A::No << true << true << 2;
    QTest::newRow("changed, Cancel stays") << QStringList{"delete"} << A::Cancel << true << false << 2;
}

void TestUnsaved::closeAsksOnlyWhenUnsaved()
{
    QFETCH(QStringList, steps);
    QFETCH(Prompter::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(int, entriesSaved);
    AppFixture f;
    startMarch(f);
    EditHistory& history = EditHistory::of(f.model());
    for (const QString& step : steps) {
        if (step == QLatin1String("carry")) {
            history.setCarryOver(300, false);
        } else if (step == QLatin1String("delete")) {
            history.removeEntry(3, f.model().slot(3).entries.front().id);
        } else if (step == QLatin1String("undo")) {
            history.stack().undo();
        } else {
            QVERIFY(f.model().SaveYearFile(1));
        }
    }
    f.prompter.answers.enqueue(answer);
    f.window()->close();

    QCOMPARE(f.prompter.shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(f.prompter.shown[0].kind, FakePrompter::Shown::Question);
        QVERIFY(f.prompter.shown[0].text.startsWith(QStringLiteral("[ぽるもさん]を終了してよろしいですか。")));
        // Enter saves and ends.
        QCOMPARE(f.prompter.shown[0].defaultAnswer, Prompter::Answer::Yes);
    }
    QCOMPARE(f.window()->isVisible(), !closed);
    int lines = 0;
    for (const QByteArray& line : f.home.readBytes(QStringLiteral("2026.zbl")).split('\n'))
        lines += line.startsWith("03/");
    QCOMPARE(lines, entriesSaved);
}

QTEST_MAIN(TestUnsaved)
#include "test_unsaved.moc"
