// From start to file: an entry typed into the dialog opened from the main
// window's toolbar reaches the list, the status bar and the saved year file.

#include "app/tests/AppFixture.h"
#include "month/EditCommands.h"
#include "ledger/TextFile.h"
#include "month/frmData.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

class TestEntryFlow : public QObject {
    Q_OBJECT
private slots:
    void typedEntryIsSavedWithNewBalance();
};

void TestEntryFlow::typedEntryIsSavedWithNewBalance()
{
    AppFixture f;
    f.home.writeText(QStringLiteral("2026.zbl"),
                     AppFixture::yearText("&10000", {"03/0201011200", "03/200300200000"}, "$208800"));
    QVERIFY(f.start());
    QCOMPARE(f.model().curMonth(), 3);
    QCOMPARE(f.panel(5), QStringLiteral("残高 : 208,800"));

    frmData* dialog = f.window()->edit->dataDialog();
    bool typed = false;
    QTimer::singleShot(0, [&] {
        QVERIFY(dialog->isVisible());
        dialog->txtDate->setText(QStringLiteral("03/15"));
        dialog->cmbMain->setCurrentIndex(dialog->cmbMain->findText(QStringLiteral("食費")));
        QTest::keyClicks(dialog->txtSub, QStringLiteral("Cafe"));
        QTest::keyClicks(dialog->txtMoney, QStringLiteral("1200+800"));
        QTest::keyClick(dialog->txtMoney, Qt::Key_Return); // sums to 2000
        QCOMPARE(dialog->txtMoney->text(), QStringLiteral("2000"));
        QTest::keyClick(dialog->txtMoney, Qt::Key_Return); // adds
        QTest::mouseClick(dialog->cmdExit, Qt::LeftButton);
        typed = true;
    });
    f.window()->tbrAdd->trigger();
    QVERIFY(typed);
    QVERIFY(!dialog->isVisible());

    // The list shows the new row between the 2nd and the 20th, the balances follow at once.
    QCOMPARE(f.cell(2, MonthListModel::Date), QStringLiteral("03/15"));
    QCOMPARE(f.cell(2, MonthListModel::Sub), QStringLiteral("Cafe"));
    QCOMPARE(f.cell(2, MonthListModel::Out), QStringLiteral("2,000"));
    QCOMPARE(f.panel(3), QStringLiteral("支出 : 3,200"));
    QCOMPARE(f.panel(5), QStringLiteral("残高 : 206,800"));

    f.window()->mnuFileItem_Click(3);
    const QString saved = TextFile::decode(f.home.readBytes(QStringLiteral("2026.zbl")));
    QVERIFY2(saved.endsWith(QStringLiteral("&10000\r\n03/0201011200\r\n03/1501032000\r\n03/200300200000\r\n$206800\r\n")),
             qPrintable(saved));
    // The new sub-item was registered in the master under the next free number.
    QVERIFY(TextFile::decode(f.home.readBytes(QStringLiteral("MainSub.zbt"))).contains(QStringLiteral("\r\n0103Cafe\r\n")));
}

QTEST_MAIN(TestEntryFlow)
#include "test_entryflow.moc"
