// The entry dialog and the carry-over commands where data safety is at
// stake: full-width typing, entries an import left negative, and balances
// the year file could not hold.

#include "month/tests/test_entrydialog_fixture.h"

#include "month/frmDataText.h"

namespace {
const QString kMinus = EntryText::kMinusMessage;
const QString kBeyond = QStringLiteral("家計簿データファイルに保存できる範囲");

// Keys as an input method in full-width mode sends them: each key press
// carries its full-width character. "\n" is Enter.
void typeKeys(QWidget* w, const QString& keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('\n'))
            QTest::keyClick(w, Qt::Key_Return);
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
}

class TestEntryDialogSafety : public QObject {
    Q_OBJECT
private slots:
    void fullWidthTyping_data();
    void fullWidthTyping();
    void negativeAmountOfAnImport_data();
    void negativeAmountOfAnImport();
    void balanceStaysReadable_data();
    void balanceStaysReadable();
    void carryOverKeepsBalanceReadable_data();
    void carryOverKeepsBalanceReadable();
};

void TestEntryDialogSafety::fullWidthTyping_data()
{
    QTest::addColumn<QString>("date");  // typed key by key, as an input method sends it
    QTest::addColumn<QString>("money"); // keys; "\n" is Enter
    QTest::addColumn<QString>("field"); // the amount field after the keys
    QTest::addColumn<QString>("row");   // date and 出金 of the new row, empty: none
    QTest::newRow("digits and slash") << "０４／１０" << "１２００" << "1200" << "04/10 1,200";
    QTest::newRow("adding machine") << "04/10" << "１２００＋８００\n" << "2000" << "04/10 2,000";
    QTest::newRow("long vowel mark as minus") << "04/10" << "５００ー２００\n" << "300" << "04/10 300";
    QTest::newRow("full-width minus") << "04/10" << "５００－２００\n" << "300" << "04/10 300";
    QTest::newRow("mixed widths") << "0４/1０" << "1２" << "12" << "04/10 12";
}

void TestEntryDialogSafety::fullWidthTyping()
{
    QFETCH(QString, date);
    QFETCH(QString, money);
    QFETCH(QString, field);
    QFETCH(QString, row);
    EntryFixture f;
    f.show();
    f.whileAdding([&] {
        f.dialog->txtDate->clear();
        typeKeys(f.dialog->txtDate, date);
        QCOMPARE(f.dialog->txtDate->text(), row.left(5));
        f.choose(QStringLiteral("食費"));
        f.typeSub(QStringLiteral("外食"));
        typeKeys(f.dialog->txtMoney, money);
        QCOMPARE(f.dialog->txtMoney->text(), field);
        QTest::mouseClick(f.dialog->cmdOK, Qt::LeftButton);
        QCOMPARE(f.prompter.messages(), QStringList());
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    QCOMPARE(f.rows().count(), 2);
    QCOMPARE(f.rows().cell(1, MonthListModel::Date) + QLatin1Char(' ') + f.rows().cell(1, MonthListModel::Out), row);
    QCOMPARE(f.model.slot(4).entries[0].out, qint32(Num::cellValue(row.mid(6))));
}

void TestEntryDialogSafety::negativeAmountOfAnImport_data()
{
    QTest::addColumn<QString>("amount"); // typed over the pre-filled "-50"; null: left as it is
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cell");
    QTest::newRow("unchanged, new sub-item") << QString() << "" << "-50";
    QTest::newRow("another negative amount") << "-60" << kMinus << "-50";
    QTest::newRow("made positive") << "60" << "" << "60";
}

void TestEntryDialogSafety::negativeAmountOfAnImport()
{
    QFETCH(QString, amount);
    QFETCH(QString, message);
    QFETCH(QString, cell);
    EntryFixture f;
    const EntryId id = f.seed(QStringLiteral("04/05"), QStringLiteral("01"), QStringLiteral("01"), -50);
    f.show();
    f.views->selectRow(1);
    f.whileOpen([&] { f.edit->mnuEditItem(1); }, [&] {
        QCOMPARE(f.dialog->txtMoney->text(), QStringLiteral("-50"));
        f.typeSub(QStringLiteral("返品"));
        if (!amount.isNull())
            f.dialog->txtMoney->setText(amount);
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
        QCOMPARE(f.prompter.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (f.dialog->isVisible())
            QTest::mouseClick(f.dialog->cmdCancel, Qt::LeftButton);
    });
    QCOMPARE(f.rows().cell(f.rowOf(id), MonthListModel::Out), cell);
    QCOMPARE(QString::number(f.model.slot(4).entries[0].out), cell);
}

void TestEntryDialogSafety::balanceStaysReadable_data()
{
    QTest::addColumn<int>("carry");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<bool>("added");
    // The year holds the carry-over, an income of 100 in May and one of 100 just added to April.
    QTest::newRow("income reaching the top") << 2147483000 << "給与" << "04/20" << "447" << true;
    QTest::newRow("income one beyond the top") << 2147483000 << "給与" << "04/20" << "448" << false;
    QTest::newRow("into another month, beyond") << 2147483000 << "給与" << "06/01" << "448" << false;
    QTest::newRow("expense below the bottom") << -2147483000 << "食費" << "04/20" << "1000" << false;
    QTest::newRow("expense far from the bottom") << 0 << "食費" << "04/20" << "2147483647" << true;
}

void TestEntryDialogSafety::balanceStaysReadable()
{
    QFETCH(int, carry);
    QFETCH(QString, category);
    QFETCH(QString, date);
    QFETCH(QString, amount);
    QFETCH(bool, added);
    EntryFixture f;
    f.model.SetCarryOver(carry, f.model.carryAuto());
    f.seed(QStringLiteral("05/01"), QStringLiteral("03"), QStringLiteral("00"), 100);
    f.show();
    f.whileAdding([&] {
        f.addOne(QStringLiteral("04/10"), QStringLiteral("給与"), QStringLiteral("本給"), QStringLiteral("100"));
        f.addOne(date, category, category == QLatin1String("給与") ? QStringLiteral("本給") : QStringLiteral("外食"), amount);
        QCOMPARE(f.dialog->addedLog.size(), added ? 3 : 2);
        QCOMPARE(f.prompter.messages().size(), added ? 0 : 1);
        if (!added)
            QVERIFY2(f.prompter.messages().first().contains(kBeyond), qPrintable(f.prompter.messages().first()));
        QTest::mouseClick(f.dialog->cmdExit, Qt::LeftButton);
    });
    f.prompter.clear();
    QCOMPARE(f.model.SaveYearFile(1), true);
    QVERIFY(LedgerModel::balanceFits(f.model.yearEndBalance()));
}

void TestEntryDialogSafety::carryOverKeepsBalanceReadable_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    // January holds an income of 1,000.
    QTest::newRow("top minus the income") << "2147482647" << true;
    QTest::newRow("one more") << "2147482648" << false;
    QTest::newRow("bottom") << "-2147483648" << true;
}

void TestEntryDialogSafety::carryOverKeepsBalanceReadable()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    EntryFixture f(2026, 1);
    f.model.SetCarryOver(5, f.model.carryAuto());
    f.seed(QStringLiteral("01/10"), QStringLiteral("03"), QStringLiteral("00"), 1000);
    f.show();
    f.prompter.inputs.enqueue(typed);
    f.views->CarryOverInput();
    QCOMPARE(f.model.carryOver(), taken ? typed.toInt() : 5);
    QCOMPARE(f.prompter.messages().size(), taken ? 0 : 1);
    if (!taken)
        QVERIFY(f.prompter.messages().first().contains(kBeyond));
    QVERIFY(f.model.SaveYearFile(1));
}

QTEST_MAIN(TestEntryDialogSafety)
#include "test_entrydialog_safety.moc"
