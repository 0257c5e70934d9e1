// A modal window closing hands the keyboard back to the window under it
// when no window manager does, and leaves it alone when one already has.
#include "ui/FocusReturn.h"

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QTest>

class TestFocusReturn : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFocusReturn(*qApp); }
    void afterModal_data();
    void afterModal();
};

void TestFocusReturn::afterModal_data()
{
    QTest::addColumn<bool>("modal");
    QTest::addColumn<bool>("secondModal"); // another modal window opens at once
    QTest::addColumn<QString>("active");
    QTest::newRow("modal closed: the window under it") << true << false << "main";
    QTest::newRow("modal closed, another opened: that one") << true << true << "second";
}

void TestFocusReturn::afterModal()
{
    QFETCH(bool, modal);
    QFETCH(bool, secondModal);
    QFETCH(QString, active);
    QMainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QDialog dialog(&main);
    dialog.setModal(modal);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QDialog second(&main);
    second.setModal(true);
    dialog.hide();
    // As on a bare X server: the keyboard goes nowhere when a window goes.
    QApplication::setActiveWindow(nullptr);
    if (secondModal)
        second.show();
    QApplication::setActiveWindow(nullptr);
    QCoreApplication::processEvents();
    QTest::qWait(20);
    const QWidget* now = QApplication::activeWindow();
    QCOMPARE(now == &main ? "main" : now == &second ? "second" : now ? "other" : "none", active);
}

QTEST_MAIN(TestFocusReturn)
#include "test_focusreturn.moc"
