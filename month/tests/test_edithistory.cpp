// The open year's undo stack and its unsaved state: every step taken back
// and done again leaves the year file as it was, byte for byte, and the
// unsaved state follows the steps, saves, loads and changes made elsewhere.
#include "month/EditHistory.h"
#include "month/tests/test_entrydialog_fixture.h"

#include <QUndoStack>

namespace {
// April: the 3rd three times, the 7th once (ids in this order), March an
// income, June one entry; the carry-over typed (5,000).
const QStringList kYear{"04/030101100", "04/030200200", "04/030100300", "04/070102400", "03/100301250000",
                        "06/010200050"};

QString yearText(const QStringList& entries)
{
    return QStringLiteral("C\n* test\n*\n\n&5000\n") + entries.join(QLatin1Char('\n')) + QStringLiteral("\n$0\n");
}

Entry entryOf(const QStringList& f, int at, LedgerModel& m)
{
    Entry e;
    e.setDate(f[at]);
    e.setCategory(f[at + 1]);
    e.setSub(f[at + 2]);
    const auto c = m.category(f[at + 1]);
    (c && c->ioflag == 2 ? e.in : e.out) = f[at + 3].toInt();
    return e;
}

// One step of a script:
//   add mm/dd cc ss amount        the entry dialog's add (after its day's
//                                 entries in the shown April, before elsewhere)
//   change M.k mm/dd cc ss amount the k-th entry of month M changed
//   delete M.k                    the k-th entry of month M deleted
//   carry amount | carry auto     the carry-over typed, or switched to automatic
//   import mm/dd cc ss amount,... entries merged as one step
//   outside mm/dd cc ss amount    an entry filed straight into the model
//   editor deletes cc | editor renames cc
//   undo | redo | save | load
void run(EntryFixture& f, const QString& step)
{
    LedgerModel& m = f.model;
    EditHistory& h = EditHistory::of(m);
    const QStringList w = step.split(QLatin1Char(' '));
    const auto entryAt = [&](const QString& ref) {
        const Entry& e = m.slot(ref.section(QLatin1Char('.'), 0, 0).toInt()).entries.at(ref.section(QLatin1Char('.'), 1).toInt() - 1);
        return std::pair{e.month(), e.id};
    };
    const auto place = [&](const Entry& e) {
        return e.month() == m.curMonth() ? LedgerModel::DayPlace::Last : LedgerModel::DayPlace::First;
    };
    if (w[0] == QLatin1String("add")) {
        Entry e = entryOf(w, 1, m);
        QVERIFY(h.addEntry(e, place(e)));
    } else if (w[0] == QLatin1String("change")) {
        const auto [month, id] = entryAt(w[1]);
        const Entry e = entryOf(w, 2, m);
        QVERIFY(h.changeEntry(month, id, e, place(e)));
    } else if (w[0] == QLatin1String("delete")) {
        const auto [month, id] = entryAt(w[1]);
        QVERIFY(h.removeEntry(month, id));
    } else if (w[0] == QLatin1String("carry")) {
        h.setCarryOver(w[1] == QLatin1String("auto") ? 0 : w[1].toInt(), w[1] == QLatin1String("auto"));
    } else if (w[0] == QLatin1String("import")) {
        std::vector<Entry> entries;
        for (const QString& one : step.mid(7).split(QLatin1Char(',')))
            entries.push_back(entryOf(one.split(QLatin1Char(' ')), 0, m));
        h.addEntries(entries, QStringLiteral("インポート"));
    } else if (w[0] == QLatin1String("outside")) {
        QVERIFY(m.InsertEntry(entryOf(w, 1, m)));
    } else if (w[0] == QLatin1String("editor")) {
        // As the category editor ends with OK: the master written, the year
        // aligned, the master read back.
        if (w[1] == QLatin1String("deletes")) {
            m.RemoveCategory(w[2]);
            m.AlignYearToMaster({w[2].toInt()});
        } else {
            auto c = std::make_shared<clsHimoku>(*m.category(w[2]));
            c->name += QStringLiteral("費");
            m.ReplaceCategory(w[2], c);
        }
        QVERIFY(m.WriteCategoryMaster());
        QVERIFY(m.ReadCategoryMaster(0));
    } else if (w[0] == QLatin1String("undo")) {
        h.stack().undo();
    } else if (w[0] == QLatin1String("redo")) {
        h.stack().redo();
    } else if (w[0] == QLatin1String("save")) {
        QVERIFY(m.SaveYearFile(1));
    } else if (w[0] == QLatin1String("load")) {
        QVERIFY(m.LoadYearFile());
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
}

struct Year : EntryFixture {
    explicit Year(const QStringList& entries = kYear)
    {
        home.writeText(QStringLiteral("2026.zbl"), yearText(entries));
        QVERIFY(model.LoadYearFile());
    }
    QByteArray saved()
    {
        if (!model.SaveYearFile(1))
            return {};
        return home.readBytes(QStringLiteral("2026.zbl"));
    }
    // "*" or "-" for unsaved, then the steps to undo and to redo.
    QString state() { return history().unsaved() ? QStringLiteral("*") : QStringLiteral("-"); }
    QString steps()
    {
        const QUndoStack& s = history().stack();
        return QStringLiteral("%1/%2").arg(s.index()).arg(s.count() - s.index());
    }
    EditHistory& history() { return EditHistory::of(model); }
};
}

class TestEditHistory : public QObject {
    Q_OBJECT
private slots:
    void undoRestoresTheFile_data();
    void undoRestoresTheFile();
    void unsavedState_data();
    void unsavedState();
    void announcesOnlyChanges();
    void viewsFollowUndo();
    void dialogUndoIsTheStacksUndo();
    void dialogChangeAndDelete();
};

void TestEditHistory::undoRestoresTheFile_data()
{
    QTest::addColumn<QStringList>("year");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("add to the shown month") << kYear << QStringList{"add 04/03 01 02 700"};
    QTest::newRow("add on an empty day") << kYear << QStringList{"add 04/05 02 00 80"};
    QTest::newRow("add to another month") << kYear << QStringList{"add 06/01 01 01 90"};
    QTest::newRow("add an income") << kYear << QStringList{"add 03/25 03 01 1000"};
    QTest::newRow("change the amount") << kYear << QStringList{"change 4.2 04/03 02 00 222"};
    QTest::newRow("change category and sub-item") << kYear << QStringList{"change 4.1 04/03 02 00 100"};
    QTest::newRow("change the day") << kYear << QStringList{"change 4.1 04/09 01 01 100"};
    QTest::newRow("change to another month") << kYear << QStringList{"change 4.2 05/03 02 00 200"};
    QTest::newRow("delete the first of a day") << kYear << QStringList{"delete 4.1"};
    QTest::newRow("delete the middle of a day") << kYear << QStringList{"delete 4.2"};
    QTest::newRow("delete a month's only entry") << kYear << QStringList{"delete 6.1"};
    QTest::newRow("carry-over typed") << kYear << QStringList{"carry -12000"};
    QTest::newRow("carry-over automatic") << kYear << QStringList{"carry auto"};
    QTest::newRow("import into three months")
        << kYear << QStringList{"import 04/03 01 00 10,04/01 02 00 20,03/10 03 01 30,12/31 01 02 40,04/03 02 00 50"};
    // A month a hand-edited file holds out of day order stays as it was.
    QTest::newRow("import into a month out of order")
        << QStringList{"04/070100400", "04/030100100", "04/090100900"} << QStringList{"import 04/05 02 00 20,04/07 01 00 70"};
    QTest::newRow("delete in a month out of order")
        << QStringList{"04/070100400", "04/030100100", "04/090100900"} << QStringList{"delete 4.2"};
    QTest::newRow("several levels")
        << kYear << QStringList{"add 04/03 01 02 700", "delete 4.1", "change 4.3 04/20 01 00 5", "carry 0", "add 04/03 02 00 1"};
}

void TestEditHistory::undoRestoresTheFile()
{
    QFETCH(QStringList, year);
    QFETCH(QStringList, steps);
    Year f(year);
    f.show();
    const QByteArray before = f.saved();
    for (const QString& step : steps)
        run(f, step);
    const QByteArray after = f.saved();
    QVERIFY(after != before);
    const int rowsAfter = f.rows().count();

    for (int i = 0; i < steps.size(); ++i)
        f.history().stack().undo();
    QCOMPARE(f.state(), QStringLiteral("*"));
    QCOMPARE(f.saved(), before);
    for (int i = 0; i < steps.size(); ++i)
        f.history().stack().redo();
    QCOMPARE(f.saved(), after);
    // The list shown followed every step.
    QCOMPARE(f.rows().count(), rowsAfter);
}

void TestEditHistory::unsavedState_data()
{
    QTest::addColumn<QStringList>("steps");
    // After each step: "*" unsaved or "-", then steps to undo / to redo.
    QTest::addColumn<QStringList>("states");

    QTest::newRow("each command leaves the year unsaved")
        << QStringList{"add 04/03 01 02 700", "change 4.1 04/03 01 01 1", "delete 4.2", "carry 99", "import 05/01 01 00 1,06/02 01 00 2"}
        << QStringList{"*1/0", "*2/0", "*3/0", "*4/0", "*5/0"};
    QTest::newRow("undo back to the saved state")
        << QStringList{"save", "add 04/03 01 02 700", "delete 4.1", "undo", "undo", "redo", "redo"}
        << QStringList{"-0/0", "*1/0", "*2/0", "*1/1", "-0/2", "*1/1", "*2/0"};
    QTest::newRow("save in the middle, undo past it")
        << QStringList{"add 04/03 01 02 700", "save", "undo", "redo", "delete 4.1", "undo"}
        << QStringList{"*1/0", "-1/0", "*0/1", "-1/0", "*2/0", "-1/1"};
    QTest::newRow("a new step after undoing past the save")
        << QStringList{"add 04/03 01 02 700", "save", "undo", "carry 1"} << QStringList{"*1/0", "-1/0", "*0/1", "*1/0"};
    QTest::newRow("the same carry-over is no step") << QStringList{"carry 5000"} << QStringList{"-0/0"};
    QTest::newRow("a load starts afresh") << QStringList{"add 04/03 01 02 700", "load"} << QStringList{"*1/0", "-0/0"};
    QTest::newRow("an entry filed elsewhere drops the steps")
        << QStringList{"save", "add 04/03 01 02 700", "outside 04/09 01 00 9", "save"}
        << QStringList{"-0/0", "*1/0", "*0/0", "-0/0"};
    QTest::newRow("a category deleted with its entries")
        << QStringList{"save", "add 06/05 02 00 1", "editor deletes 02"} << QStringList{"-0/0", "*1/0", "*0/0"};
    // A step may still refile an entry of the deleted category.
    QTest::newRow("a category deleted without entries")
        << QStringList{"delete 3.1", "save", "editor deletes 03"} << QStringList{"*1/0", "-1/0", "-0/0"};
    QTest::newRow("a category renamed keeps the steps")
        << QStringList{"add 04/03 01 02 700", "editor renames 01", "undo"} << QStringList{"*1/0", "*1/0", "-0/1"};
}

void TestEditHistory::unsavedState()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, states);
    Year f;
    QStringList seen;
    for (const QString& step : steps) {
        run(f, step);
        seen << f.state() + f.steps();
    }
    QCOMPARE(seen, states);
}

void TestEditHistory::announcesOnlyChanges()
{
    Year f;
    QStringList heard;
    QObject::connect(&f.history(), &EditHistory::unsavedChanged, [&](bool unsaved) { heard << (unsaved ? "*" : "-"); });
    for (const QString& step : QStringList{"add 04/03 01 02 700", "delete 4.1", "undo", "undo", "redo", "save", "load"})
        run(f, step);
    QCOMPARE(heard, (QStringList{"*", "-", "*", "-"}));
}

void TestEditHistory::viewsFollowUndo()
{
    Year f;
    f.show();
    run(f, QStringLiteral("delete 4.1"));
    run(f, QStringLiteral("carry 1000"));
    QCOMPARE(f.column(MonthListModel::Date), (QStringList{"", "04/03", "", "04/07"}));
    f.history().stack().undo();
    f.history().stack().undo();
    // The deleted entry back in its place opens its day again.
    QCOMPARE(f.column(MonthListModel::Date), (QStringList{"", "04/03", "", "", "04/07"}));
    QCOMPARE(f.column(MonthListModel::Balance).last(), QStringLiteral("254,000"));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 1,000"));
}

// The dialog's 元に戻す is the stack's own undo: what it took back can be
// redone from the main window, and no step is left that undoes nothing.
void TestEditHistory::dialogUndoIsTheStacksUndo()
{
    Year f;
    f.show();
    const QByteArray before = f.saved();
    QVERIFY(f.whileAdding([&] {
        f.addOne(QStringLiteral("04/05"), QStringLiteral("食費"), QStringLiteral("外食"), QStringLiteral("700"));
        f.addOne(QStringLiteral("05/01"), QStringLiteral("日用品"), QStringLiteral("消耗品"), QStringLiteral("80"));
        QCOMPARE(f.steps(), QStringLiteral("2/0"));
        QTest::mouseClick(f.dialog->cmdCancel, Qt::LeftButton);
        QCOMPARE(f.steps(), QStringLiteral("1/1"));
        QCOMPARE(f.model.slot(5).count(), 0);
        QTest::mouseClick(f.dialog->cmdCancel, Qt::LeftButton);
        QVERIFY(!f.dialog->cmdCancel->isEnabled());
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    }));
    QCOMPARE(f.steps(), QStringLiteral("0/2"));
    QCOMPARE(f.state(), QStringLiteral("-"));
    f.history().stack().redo();
    f.history().stack().redo();
    QCOMPARE(f.model.slot(5).count(), 1);
    QCOMPARE(f.column(MonthListModel::Category).mid(4), (QStringList{"食費", "食費"}));
    f.history().stack().undo();
    f.history().stack().undo();
    QCOMPARE(f.saved(), before);
}

void TestEditHistory::dialogChangeAndDelete()
{
    Year f;
    f.show();
    const QByteArray before = f.saved();
    // The 7th's entry moved to the 2nd through the dialog: one step.
    f.views->selectRow(4);
    QVERIFY(f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        f.typeDate(QStringLiteral("04/02"));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    }));
    QCOMPARE(f.column(MonthListModel::Date), (QStringList{"", "04/02", "04/03", "", ""}));
    QCOMPARE(f.views->selectedRow(), 1);
    f.prompter.answers.enqueue(Prompter::Answer::Yes);
    f.views->selectRow(1);
    f.edit->mnuEditItem(2);
    QVERIFY(f.prompter.shown.last().text.endsWith(QStringLiteral("04/02  食費  Lunch  出金 400 円")));
    QCOMPARE(f.steps(), QStringLiteral("2/0"));
    f.history().stack().undo();
    f.history().stack().undo();
    QCOMPARE(f.saved(), before);
}

QTEST_MAIN(TestEditHistory)
#include "test_edithistory.moc"
