// The main window and the entry dialog by keyboard alone: one table of key
// sequences and what the user sees them do.
#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "calendar/MonthGridView.h"
#include "month/frmData.h"
#include "calendar/frmDataCalender.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {
// March 2026 (today is 2026-03-15): row 1 on the 5th, rows 2 and 3 on the 12th.
const QStringList kEntries{"03/050100001000", "03/120200000250", "03/120100000300"};

// Records the entry dialog opening and closing.
class DialogWatch : public QObject {
public:
    DialogWatch(frmData* dialog, QStringList& log) : QObject(dialog), dialog_(dialog), log_(log)
    {
        dialog->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            log_ << QStringLiteral("open %1 %2").arg(dialog_->windowTitle(), dialog_->txtDate->text());
        else if (event->type() == QEvent::Hide)
            log_ << QStringLiteral("closed");
        return false;
    }

private:
    frmData* dialog_;
    QStringList& log_;
};

struct Key {
    int key;
    Qt::KeyboardModifiers modifiers;
};

const QHash<QString, Key>& keyNames()
{
    static const QHash<QString, Key> keys{
        {"Return", {Qt::Key_Return, Qt::NoModifier}},   {"Enter", {Qt::Key_Enter, Qt::KeypadModifier}},
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},         {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
        {"Esc", {Qt::Key_Escape, Qt::NoModifier}},      {"Ins", {Qt::Key_Insert, Qt::NoModifier}},
        {"Del", {Qt::Key_Delete, Qt::NoModifier}},      {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},           {"^S", {Qt::Key_S, Qt::ControlModifier}},
        {"^PgUp", {Qt::Key_PageUp, Qt::ControlModifier}}, {"^PgDn", {Qt::Key_PageDown, Qt::ControlModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},       {"Right", {Qt::Key_Right, Qt::NoModifier}},
        {"PgDn", {Qt::Key_PageDown, Qt::NoModifier}},   {"End", {Qt::Key_End, Qt::NoModifier}},
        {"Space", {Qt::Key_Space, Qt::NoModifier}},     {"F4", {Qt::Key_F4, Qt::NoModifier}},
        {"@Down", {Qt::Key_Down, Qt::AltModifier}},     {"^A", {Qt::Key_A, Qt::ControlModifier}},
    };
    return keys;
}

// March 2026 shown, the main window active.
bool startActive(AppFixture& f)
{
    f.home.writeText(QStringLiteral("2026.zbl"), AppFixture::yearText("&0", kEntries, "$-1550"));
    if (!f.start())
        return false;
    f.window()->activateWindow();
    return QTest::qWaitForWindowActive(f.window());
}
}

class TestKeymap : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
    void monthTurnsWhereverTheFocusIs_data();
    void monthTurnsWhereverTheFocusIs();
};

void TestKeymap::keys_data()
{
    QTest::addColumn<int>("row");             // selected row of the entry list, -1 none
    QTest::addColumn<QStringList>("answers"); // the questions' answers, in order: Y or N
    // Key names, "@X" for Alt+X, 'typed text', "?" (the focused control),
    // "?sub" (the sub-item text and how many names the list shows chosen),
    // "?date", "?money" (the amount and the subtotal under it) and "?picker"
    // (the month the date picker shows and its highlighted day).
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("seen");

    // The month shown at the end and the amounts of its entries.
    const QString march = QStringLiteral("month 3: 1,000 250 300");
    QTest::newRow("Enter on an entry changes it")
        << 2 << QStringList{} << QStringList{"Return", "?", "Esc"}
        << QStringList{"open 家計簿データ 変更 03/12", "focus cmbMain", "closed", march};
    QTest::newRow("keypad Enter too")
        << 3 << QStringList{} << QStringList{"Enter", "Esc"} << QStringList{"open 家計簿データ 変更 03/12", "closed", march};
    QTest::newRow("Enter on the carry-over row does nothing")
        << 0 << QStringList{} << QStringList{"Return"} << QStringList{march};
    QTest::newRow("Enter with no row adds on today")
        << -1 << QStringList{} << QStringList{"Return", "Esc"} << QStringList{"open 家計簿データ 追加 03/15", "closed", march};
    QTest::newRow("Insert adds on the row's day")
        << 1 << QStringList{} << QStringList{"Ins", "Esc"} << QStringList{"open 家計簿データ 追加 03/05", "closed", march};
    QTest::newRow("Delete asks first, No keeps the entry")
        << 2 << QStringList{"N"} << QStringList{"Del"} << QStringList{"ask 選択されたデータを削除しますが、よろしいですか。", march};
    QTest::newRow("Delete, Yes removes the entry")
        << 2 << QStringList{"Y"} << QStringList{"Del"}
        << QStringList{"ask 選択されたデータを削除しますが、よろしいですか。", "month 3: 1,000 300"};
    QTest::newRow("Delete on the carry-over row does nothing") << 0 << QStringList{} << QStringList{"Del"} << QStringList{march};
    QTest::newRow("Ctrl+S saves and says so")
        << 1 << QStringList{} << QStringList{"^S"}
        << QStringList{march, "saved", "status 家計簿データファイル [2026.zbl] を上書き保存しました。"};
    QTest::newRow("Ctrl+PgDn and Ctrl+PgUp turn the month")
        << 1 << QStringList{} << QStringList{"^PgDn", "^PgDn", "^PgUp"} << QStringList{"month 4:"};
    QTest::newRow("Ctrl+PgUp stops at January")
        << 1 << QStringList{} << QStringList{"^PgUp", "^PgUp", "^PgUp", "^PgUp"} << QStringList{"month 1:"};
    QTest::newRow("Tab and Shift+Tab leave the amount field")
        << 1 << QStringList{} << QStringList{"Ins", "Tab", "Tab", "Tab", "?", "'12'", "Tab", "?", "Backtab", "Backtab", "?", "Esc"}
        << QStringList{"open 家計簿データ 追加 03/05", "focus txtMoney", "focus cmdOK", "focus lstSub", "closed", march};
    QTest::newRow("an entry added by keyboard")
        << 1 << QStringList{} << QStringList{"Ins", "Tab", "Tab", "Down", "?sub", "Tab", "'500'", "Return", "?sub", "Esc"}
        << QStringList{"open 家計簿データ 追加 03/05", "sub 外食, 1 chosen", "sub , 0 chosen", "closed", "month 3: 1,000 500 250 300"};
    QTest::newRow("Esc in change mode changes nothing")
        << 1 << QStringList{} << QStringList{"Return", "Tab", "Tab", "Tab", "'9'", "Esc"}
        << QStringList{"open 家計簿データ 変更 03/05", "closed", march};

    // The entry dialog's own keys.
    const QString add = QStringLiteral("open 家計簿データ 追加 03/05");
    QTest::newRow("F4 opens the picker, arrows and Enter pick")
        << 1 << QStringList{} << QStringList{"Ins", "@D", "?", "F4", "?picker", "Right", "Down", "?picker", "Return", "?date", "?", "Esc"}
        << QStringList{add, "focus txtDate", "picker 2026年3月 5", "picker 2026年3月 13", "date 03/13", "focus cmbMain", "closed", march};
    QTest::newRow("Alt+Down opens the picker, Esc keeps the date")
        << 1 << QStringList{} << QStringList{"Ins", "@D", "@Down", "PgDn", "?picker", "Esc", "?date", "?", "Esc"}
        << QStringList{add, "picker 2026年4月 5", "date 03/05", "focus txtDate", "closed", march};
    QTest::newRow("a sum being typed stays across the picker")
        << 1 << QStringList{} << QStringList{"Ins", "@A", "'1200+'", "@D", "F4", "Return", "?money", "@A", "'800'", "Return", "?money", "Esc"}
        << QStringList{add, "money |小計 1,200 +", "money 2000|", "closed", march};
    QTest::newRow("the picker button takes the focus, Space opens it")
        << 1 << QStringList{} << QStringList{"Ins", "@D", "Tab", "?", "Space", "End", "Return", "?date", "Esc"}
        << QStringList{add, "focus cmbDate", "date 03/31", "closed", march};
    QTest::newRow("mnemonics lead to every field")
        << 1 << QStringList{} << QStringList{"Ins", "@S", "?", "@A", "?", "@C", "?", "@D", "?", "Esc"}
        << QStringList{add, "focus txtSub", "focus txtMoney", "focus cmbMain", "focus txtDate", "closed", march};
    QTest::newRow("a refusal puts the focus on the field at fault")
        << 1 << QStringList{} << QStringList{"Ins", "@O", "?", "'500'", "@D", "^A", "'4/31'", "@O", "?", "Esc"}
        << QStringList{add, "focus txtMoney", "focus txtDate", "closed", "ask 入力データの内容が不足です。",
                       "ask 存在しない日付か、または日付として認識できません。", march};
    QTest::newRow("Down leads from the sub-item to the list's first name")
        << 1 << QStringList{} << QStringList{"Ins", "@S", "Down", "?sub", "?", "Down", "?sub", "Esc"}
        << QStringList{add, "sub 外食, 1 chosen", "focus lstSub", "sub 食料品, 1 chosen", "closed", march};
    QTest::newRow("choosing a sub-item or a category keeps the amount")
        << 1 << QStringList{} << QStringList{"Ins", "@A", "'500'", "@S", "Down", "Down", "?money", "@C", "Down", "?sub", "?money", "Esc"}
        << QStringList{add, "money 500|", "sub , 0 chosen", "money 500|", "closed", march};
    QTest::newRow("an amount left typed is gone when adding again")
        << 1 << QStringList{} << QStringList{"Ins", "@A", "'5'", "Esc", "Ins", "?money", "Esc"}
        << QStringList{add, "closed", add, "money |", "closed", march};
    QTest::newRow("2/5 is written out")
        << 1 << QStringList{} << QStringList{"Ins", "@D", "^A", "'3/7'", "Return", "?date", "?", "Esc"}
        << QStringList{add, "date 03/07", "focus cmbMain", "closed", march};
    QTest::newRow("a trailing operator shows the subtotal")
        << 1 << QStringList{} << QStringList{"Ins", "@A", "'1200+'", "?money", "'800-'", "?money", "'300'", "Return", "?money", "Esc"}
        << QStringList{add, "money |小計 1,200 +", "money |小計 2,000 -", "money 1700|", "closed", march};
    QTest::newRow("OK completes a pending sum")
        << 1 << QStringList{} << QStringList{"Ins", "@S", "Down", "@A", "'1200+800'", "@O", "Esc"}
        << QStringList{add, "closed", "month 3: 1,000 2,000 250 300"};
    QTest::newRow("Alt+U takes back what Enter added, Alt+X closes")
        << 1 << QStringList{} << QStringList{"Ins", "@S", "Down", "@A", "'700'", "Return", "@U", "@X"}
        << QStringList{add, "closed", march};
    QTest::newRow("change mode: Alt+O applies")
        << 1 << QStringList{"Y"} << QStringList{"Return", "@A", "^A", "'900'", "@O"}
        << QStringList{"open 家計簿データ 変更 03/05", "closed", "ask 摘要項目が未入力ですがよろしいですか。", "month 3: 900 250 300"};
    QTest::newRow("change mode: Alt+Q cancels")
        << 1 << QStringList{} << QStringList{"Return", "@A", "^A", "'900'", "@Q"}
        << QStringList{"open 家計簿データ 変更 03/05", "closed", march};
}

void TestKeymap::keys()
{
    QFETCH(int, row);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, script);
    QFETCH(QStringList, seen);

    AppFixture f;
    QVERIFY(startActive(f));
    f.views()->selectRow(row);
    f.views()->lvwMonth->setFocus();
    for (const QString& a : answers)
        f.prompter.answers.enqueue(a == QLatin1String("Y") ? Prompter::Answer::Yes : Prompter::Answer::No);
    // Whatever the keys save is written anew.
    QFile::remove(f.home.path(QStringLiteral("2026.zbl")));

    QStringList log;
    frmData* dialog = f.window()->edit->dataDialog();
    new DialogWatch(dialog, log);
    // Each key is pressed from its own turn of the event loop, the next one
    // queued first: a key that opens a modal dialog is followed by the next
    // key inside that dialog.
    int next = 0;
    bool done = false;
    QObject steps; // keys still queued when the test ends are dropped with it
    std::function<void()> step = [&] {
        if (next == script.size()) {
            done = true;
            return;
        }
        // Keys go where a user's keys would: wait for a dialog just opened
        // or closed to hand over the focus.
        // The date picker has no control that takes the focus: keys go to
        // the window itself.
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* focus = QApplication::focusWidget();
        auto* picker = qobject_cast<frmDataCalender*>(modal);
        if ((modal && QApplication::activeWindow() != modal) || (!focus && !picker)) {
            // As a window manager does, the window under a closed dialog is
            // active again.
            if (!QApplication::activeWindow())
                (modal ? modal : static_cast<QWidget*>(f.window()))->activateWindow();
            QTimer::singleShot(5, &steps, step);
            return;
        }
        QWidget* target = focus ? focus : modal;
        const QString token = script[next++];
        // A button's mnemonic presses it the way a click shows, a moment later.
        QTimer::singleShot(token.startsWith(QLatin1Char('@')) ? 150 : 0, &steps, step);
        if (token == QLatin1String("?")) {
            log << QStringLiteral("focus ") + (focus ? focus->objectName() : QStringLiteral("none"));
        } else if (token == QLatin1String("?sub")) {
            log << QStringLiteral("sub %1, %2 chosen").arg(dialog->txtSub->text()).arg(dialog->lstSub->selectedItems().size());
        } else if (token == QLatin1String("?date")) {
            log << QStringLiteral("date ") + dialog->txtDate->text();
        } else if (token == QLatin1String("?money")) {
            log << QStringLiteral("money %1|%2").arg(dialog->txtMoney->text(), dialog->lblCalc->text());
        } else if (token == QLatin1String("?picker")) {
            QVERIFY(picker);
            log << QStringLiteral("picker %1 %2").arg(picker->lblMonth->text(), picker->grid->lblDay[picker->selectedCell]->text());
        } else if (token.startsWith(QLatin1Char('\''))) {
            QTest::keyClicks(target, token.mid(1, token.size() - 2));
        } else if (token.startsWith(QLatin1Char('@')) && token.size() == 2) {
            QTest::keyClick(target, Qt::Key(token.at(1).unicode()), Qt::AltModifier);
        } else {
            const Key k = keyNames().value(token, {Qt::Key_unknown, Qt::NoModifier});
            QVERIFY2(k.key != Qt::Key_unknown, qPrintable(token));
            QTest::keyClick(target, Qt::Key(k.key), k.modifiers);
        }
    };
    // A script that leaves a dialog open must not hang the test.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            open->done(QDialog::Rejected);
    });
    guard.start(8000);
    QTimer::singleShot(0, &steps, step);
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QTRY_VERIFY(!dialog->isVisible());

    for (const FakePrompter::Shown& box : f.prompter.shown)
        log << QStringLiteral("ask ") + box.text.section(QLatin1Char('\r'), 0, 0);
    QString month = QStringLiteral("month %1:").arg(f.model().curMonth());
    for (int r = 1; r < f.views()->monthRows->count(); ++r)
        month += QLatin1Char(' ') + f.cell(r, MonthListModel::Out) + f.cell(r, MonthListModel::In);
    log << month;
    if (f.home.exists(QStringLiteral("2026.zbl")))
        log << QStringLiteral("saved");
    if (const QString status = f.views()->sbrStatus->currentMessage(); !status.isEmpty())
        log << QStringLiteral("status ") + status;
    QCOMPARE(log, seen);
    QCOMPARE(f.prompter.unexpected, 0);
}

void TestKeymap::monthTurnsWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("summary"); // the list in front: 0 entries, 1 days, 2 categories
    QTest::addColumn<QString>("keys"); // '<' Ctrl+PgUp, '>' Ctrl+PgDn
    QTest::addColumn<int>("month");

    QTest::newRow("entry list, a row selected") << "lvwMonth" << 0 << "<<" << 1;
    QTest::newRow("day summary") << "lvwMonthC" << 1 << ">>>" << 6;
    QTest::newRow("category summary") << "lvwMonthC" << 2 << "<><" << 2;
    QTest::newRow("month tabs") << "tabMonth" << 0 << ">" << 4;
    QTest::newRow("stops at December") << "lvwMonth" << 0 << ">>>>>>>>>>" << 12;
}

void TestKeymap::monthTurnsWhereverTheFocusIs()
{
    QFETCH(QString, focus);
    QFETCH(int, summary);
    QFETCH(QString, keys);
    QFETCH(int, month);
    AppFixture f;
    QVERIFY(startActive(f));
    f.views()->setSummaryMode(summary);
    QWidget* target = focus == QLatin1String("tabMonth") ? static_cast<QWidget*>(f.views()->tabMonth)
                                                          : f.window()->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    if (auto* list = qobject_cast<QTreeView*>(target))
        list->setCurrentIndex(list->model()->index(1, 0));
    for (QChar k : keys)
        QTest::keyClick(QApplication::focusWidget(), k == QLatin1Char('<') ? Qt::Key_PageUp : Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(f.model().curMonth(), month);
    QCOMPARE(f.views()->tabMonth->currentIndex(), month - 1);
    QCOMPARE(QApplication::focusWidget(), target);
}

QTEST_MAIN(TestKeymap)
#include "test_keymap.moc"
