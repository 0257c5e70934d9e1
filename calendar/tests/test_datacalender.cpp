#include "ledger/tests/FakePrompter.h"
#include "ledger/LedgerModel.h"
#include "calendar/MonthGridView.h"
#include "ledger/tests/TestHome.h"
#include "calendar/frmDataCalender.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

namespace {

const QColor Green(0, 255, 0);
const QColor White(Qt::white);

QColor background(const frmDataCalender& p, int i)
{
    return p.grid->lblDay[i]->palette().color(QPalette::Window);
}

// The cells with the highlight, as "index:day" texts.
QStringList greenCells(const frmDataCalender& p)
{
    QStringList out;
    for (int i = 0; i < MonthGrid::CellCount; ++i)
        if (background(p, i) == Green)
            out << QStringLiteral("%1:%2").arg(i).arg(p.grid->lblDay[i]->text());
    return out;
}

void moveOn(QWidget* w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void moveOnCell(frmDataCalender& p, int i) { moveOn(p.grid->lblDay[i], p.grid->lblDay[i]->rect().center()); }

int cellOfDay(const frmDataCalender& p, int day) { return p.pmonth + day; }

} // namespace

class TestDataCalender : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensOnChosenDay_data();
    void opensOnChosenDay();
    void chosenDayOnlyInChosenMonth();
    void pagingStaysInYear_data();
    void pagingStaysInYear();
    void clickOnDayPicksIt_data();
    void clickOnDayPicksIt();
    void todayButton_data();
    void todayButton();
    void keys_data();
    void keys();
    void hoverMovesHighlightAndShowsMemo();
    void pointerLeaving();
    void modalUseFromEntryDialog();

private:
    std::unique_ptr<TestHome> home_;
    std::unique_ptr<FakePrompter> prompter_;
    std::unique_ptr<LedgerModel> model_;

    // Opened the way the entry dialog opens it.
    std::unique_ptr<frmDataCalender> open(int month, int day)
    {
        auto p = std::make_unique<frmDataCalender>(*model_);
        p->chosenMonth = QString::number(month);
        p->SetDate(QDate(model_->curYear(), month, day));
        p->RemakeCalender();
        p->show();
        return p;
    }
};

void TestDataCalender::init()
{
    home_ = std::make_unique<TestHome>(QDateTime(QDate(2026, 11, 7), QTime(9, 0)));
    prompter_ = std::make_unique<FakePrompter>();
    model_ = std::make_unique<LedgerModel>(*prompter_);
    model_->setYear(2001);
    model_->setCurMonth(6);
}

void TestDataCalender::cleanup()
{
    model_.reset();
    prompter_.reset();
    home_.reset();
}

void TestDataCalender::opensOnChosenDay_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("green");

    QTest::newRow("04/15") << 2001 << 4 << 15 << "2001年4月" << QStringList{"21:15"};
    QTest::newRow("02/29 of a leap year") << 2000 << 2 << 29 << "2000年2月" << QStringList{"30:29"};
    QTest::newRow("12/31") << 2001 << 12 << 31 << "2001年12月" << QStringList{"36:31"};
    QTest::newRow("01/01 on a Monday") << 2001 << 1 << 1 << "2001年1月" << QStringList{"1:1"};
}

void TestDataCalender::opensOnChosenDay()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, caption);
    QFETCH(QStringList, green);

    model_->setYear(year);
    auto p = open(month, day);
    QCOMPARE(p->lblMonth->text(), caption);
    QCOMPARE(greenCells(*p), green);
    QCOMPARE(p->selectedCell, cellOfDay(*p, day));
    QCOMPARE(p->GetDate(), QStringLiteral("%1/%2").arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0')));

    // This month's days black at 10 points, Sundays red, the neighbours'
    // grey at 8. Cells 7 and 10, a Sunday and a Wednesday of the second
    // week, are always of the shown month.
    const QLabel* inMonth = p->grid->lblDay[10];
    QCOMPARE(p->grid->lblDay[7]->palette().color(QPalette::WindowText), QColor(220, 0, 0));
    const QLabel* before = p->grid->lblDay[p->pmonth];
    const QLabel* after = p->grid->lblDay[p->nmonth];
    QCOMPARE(inMonth->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(inMonth->font().pointSize(), 10);
    QCOMPARE(before->palette().color(QPalette::WindowText), QColor(125, 125, 125));
    QCOMPARE(before->font().pointSize(), 8);
    QCOMPARE(after->palette().color(QPalette::WindowText), QColor(125, 125, 125));
    QCOMPARE(p->grid->lblWeek[0]->palette().color(QPalette::WindowText), QColor(Qt::red));
    QCOMPARE(p->grid->lblWeek[6]->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

void TestDataCalender::chosenDayOnlyInChosenMonth()
{
    auto p = open(4, 15);
    QTest::mouseClick(p->hsrUp, Qt::LeftButton);
    QCOMPARE(p->lblMonth->text(), QStringLiteral("2001年5月"));
    QCOMPARE(greenCells(*p), QStringList());
    QCOMPARE(p->selectedCell, -1);

    QTest::mouseClick(p->hsrDown, Qt::LeftButton);
    QTest::mouseClick(p->hsrDown, Qt::LeftButton);
    QCOMPARE(p->lblMonth->text(), QStringLiteral("2001年3月"));
    QCOMPARE(greenCells(*p), QStringList());

    // A hovered cell of March must not stay green in April.
    moveOnCell(*p, 10);
    QCOMPARE(greenCells(*p).size(), 1);
    QTest::mouseClick(p->hsrUp, Qt::LeftButton);
    QCOMPARE(p->lblMonth->text(), QStringLiteral("2001年4月"));
    QCOMPARE(greenCells(*p), QStringList{"21:15"});
    QVERIFY(p->isVisible());
}

void TestDataCalender::pagingStaysInYear_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("control"); // a button, or "cellN"
    QTest::addColumn<QString>("caption");

    QTest::newRow("previous in January") << 1 << "hsrDown" << "2001年1月";
    QTest::newRow("previous-month cell in January") << 1 << "cell0" << "2001年1月";
    QTest::newRow("next in December") << 12 << "hsrUp" << "2001年12月";
    QTest::newRow("next-month cell in December") << 12 << "cell41" << "2001年12月";
    QTest::newRow("previous in February") << 2 << "hsrDown" << "2001年1月";
    QTest::newRow("previous-month cell in May") << 5 << "cell0" << "2001年4月";
    QTest::newRow("next-month cell in May") << 5 << "cell41" << "2001年6月";
    QTest::newRow("next in November") << 11 << "hsrUp" << "2001年12月";
}

void TestDataCalender::pagingStaysInYear()
{
    QFETCH(int, month);
    QFETCH(QString, control);
    QFETCH(QString, caption);

    auto p = open(month, 10);
    if (control.startsWith("cell"))
        QTest::mouseClick(p->grid->lblDay[control.mid(4).toInt()], Qt::LeftButton);
    else
        QTest::mouseClick(p->findChild<QToolButton*>(control), Qt::LeftButton);

    QCOMPARE(p->lblMonth->text(), caption);
    QCOMPARE(p->year, 2001);
    QVERIFY(p->isVisible());
    QCOMPARE(p->pickedDate(), QString());
}

void TestDataCalender::clickOnDayPicksIt_data()
{
    QTest::addColumn<int>("pagesUp");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("picked");

    QTest::newRow("another day of April") << 0 << 17 << "04/17";
    QTest::newRow("the chosen day itself") << 0 << 15 << "04/15";
    QTest::newRow("a day of May after paging") << 1 << 3 << "05/03";
    QTest::newRow("last day of June") << 2 << 30 << "06/30";
}

void TestDataCalender::clickOnDayPicksIt()
{
    QFETCH(int, pagesUp);
    QFETCH(int, day);
    QFETCH(QString, picked);

    auto p = open(4, 15);
    for (int k = 0; k < pagesUp; ++k)
        QTest::mouseClick(p->hsrUp, Qt::LeftButton);
    const int cell = cellOfDay(*p, day);
    QCOMPARE(p->grid->lblDay[cell]->text(), QString::number(day));
    moveOnCell(*p, cell);
    QTest::mouseClick(p->grid->lblDay[cell], Qt::LeftButton);

    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Accepted));
    QCOMPARE(p->pickedDate(), picked);
    QCOMPARE(p->GetDate(), picked);
}

void TestDataCalender::todayButton_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("picked");

    QTest::newRow("another year and month shown") << 2001 << QDate(2026, 11, 7) << "11/07";
    QTest::newRow("today in the year shown") << 2026 << QDate(2026, 1, 31) << "01/31";
}

void TestDataCalender::todayButton()
{
    QFETCH(int, year);
    QFETCH(QDate, today);
    QFETCH(QString, picked);

    home_.reset(); // the old folder's teardown would unfix the clock
    home_ = std::make_unique<TestHome>(QDateTime(today, QTime(23, 59)));
    model_->setYear(year);
    auto p = open(8, 20);
    QCOMPARE(p->cmdToday->text(), QStringLiteral("今日"));
    QTest::mouseClick(p->cmdToday, Qt::LeftButton);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Accepted));
    QCOMPARE(p->pickedDate(), picked);
}

void TestDataCalender::keys_data()
{
    QTest::addColumn<int>("month"); // opened on month/day of 2001
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("keys"); // < > ^ v: arrows, [ ]: PgUp/PgDn, { }: Home/End, digits
    QTest::addColumn<QString>("shown"); // month shown and the highlighted day
    QTest::addColumn<QString>("picked"); // after Enter; empty when the picker stays open

    QTest::newRow("right, down") << 4 << 15 << "> v" << "2001年4月 23" << "04/23";
    QTest::newRow("left and up across a month") << 4 << 15 << "< ^ ^" << "2001年3月 31" << "03/31";
    QTest::newRow("left across a month") << 4 << 1 << "<" << "2001年3月 31" << "03/31";
    QTest::newRow("down across a month") << 4 << 28 << "v" << "2001年5月 5" << "05/05";
    QTest::newRow("PgDn keeps the day, within the month") << 1 << 31 << "]" << "2001年2月 28" << "02/28";
    QTest::newRow("PgUp") << 4 << 15 << "[ [" << "2001年2月 15" << "02/15";
    QTest::newRow("Home and End") << 4 << 15 << "} {" << "2001年4月 1" << "04/01";
    QTest::newRow("End") << 2 << 3 << "}" << "2001年2月 28" << "02/28";
    QTest::newRow("no year before January") << 1 << 3 << "^ [ <" << "2001年1月 2" << "01/02";
    QTest::newRow("no year after December") << 12 << 30 << "> > ]" << "2001年12月 31" << "12/31";
    QTest::newRow("other keys do nothing") << 4 << 15 << "5" << "2001年4月 15" << "04/15";
}

void TestDataCalender::keys()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(QString, picked);

    static const QHash<QChar, Qt::Key> keyOf{{'<', Qt::Key_Left},     {'>', Qt::Key_Right},    {'^', Qt::Key_Up},
                                             {'v', Qt::Key_Down},     {'[', Qt::Key_PageUp},   {']', Qt::Key_PageDown},
                                             {'{', Qt::Key_Home},     {'}', Qt::Key_End},      {'5', Qt::Key_5}};
    auto p = open(month, day);
    for (const QString& k : keys.split(QLatin1Char(' ')))
        QTest::keyClick(p.get(), keyOf.value(k.at(0)));
    QVERIFY(p->isVisible());
    const QStringList green = greenCells(*p);
    QCOMPARE(green.size(), 1);
    QCOMPARE(p->lblMonth->text() + QLatin1Char(' ') + green.first().section(QLatin1Char(':'), 1), shown);

    QTest::keyClick(p.get(), Qt::Key_Return);
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Accepted));
    QCOMPARE(p->pickedDate(), picked);

    // Esc closes without a choice wherever the keys went.
    auto again = open(month, day);
    QTest::keyClick(again.get(), Qt::Key_Right);
    QTest::keyClick(again.get(), Qt::Key_Escape);
    QCOMPARE(again->result(), int(QDialog::Rejected));
    QCOMPARE(again->pickedDate(), QString());
}

void TestDataCalender::hoverMovesHighlightAndShowsMemo()
{
    auto add = [this](const QString& key, const QString& text) { model_->SetMemo(key, text); };
    add("04/20", "歯医者");
    add("04/30", "四月末");
    add("03/31", "年度末");
    add("05/01", "連休");
    add("01/01", "元日");

    auto p = open(4, 15);
    const int apr20 = cellOfDay(*p, 20);
    moveOnCell(*p, apr20);
    QCOMPARE(greenCells(*p), QStringList{QStringLiteral("%1:20").arg(apr20)});
    QCOMPARE(p->selectedCell, apr20);
    QCOMPARE(p->grid->lblDay[apr20]->toolTip(), QStringLiteral("歯医者"));

    const int apr21 = apr20 + 1;
    moveOnCell(*p, apr21);
    QCOMPARE(p->grid->lblDay[apr21]->toolTip(), QString());
    QCOMPARE(greenCells(*p).size(), 1);

    // Greyed neighbours show their own day's memo, not the shown month's.
    moveOnCell(*p, p->pmonth); // March 31
    QCOMPARE(p->grid->lblDay[p->pmonth]->toolTip(), QStringLiteral("年度末"));
    moveOnCell(*p, p->nmonth); // May 1
    QCOMPARE(p->grid->lblDay[p->nmonth]->toolTip(), QStringLiteral("連休"));
    QVERIFY(p->isVisible());

    // December's tail in January belongs to another year, whose memos are not held.
    auto jan = open(1, 10);
    QCOMPARE(jan->pmonth, 0); // Dec 31, 2000
    moveOnCell(*jan, 0);
    QCOMPARE(jan->grid->lblDay[0]->toolTip(), QString());
    // The holiday's name, then the memo.
    moveOnCell(*jan, 1);
    QCOMPARE(jan->grid->lblDay[1]->toolTip(), QStringLiteral("元日\n元日"));
}

void TestDataCalender::pointerLeaving()
{
    auto p = open(4, 15);
    const QRect controls = p->controlsRect();
    QVERIFY(controls.contains(p->grid->lblDay[0]->mapTo(p.get(), QPoint(0, 0))));
    QVERIFY(controls.contains(p->hsrUp->geometry().bottomRight()));
    QVERIFY(controls.contains(p->hsrDown->geometry()));
    QVERIFY(controls.contains(p->cmdToday->geometry()));
    QVERIFY(!controls.contains(p->lblMonth->geometry().center()));

    // The margin captures the pointer, the controls let it go.
    const QPoint margin(controls.left() - 3, controls.center().y());
    QVERIFY(margin.x() > 0);
    moveOn(p.get(), margin);
    QCOMPARE(QWidget::mouseGrabber(), p.get());
    QVERIFY(p->isVisible());

    // Back over a cell while captured: the cell is marked straight away.
    const int cell = cellOfDay(*p, 9);
    moveOn(p.get(), p->grid->lblDay[cell]->mapTo(p.get(), QPoint(3, 3)));
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    QCOMPARE(greenCells(*p), QStringList{QStringLiteral("%1:9").arg(cell)});

    // Over the caption, still inside the window: captured again, no change.
    moveOn(p->lblMonth, p->lblMonth->rect().center());
    QCOMPARE(QWidget::mouseGrabber(), p.get());
    moveOn(p.get(), QPoint(p->width(), p->height()));
    QVERIFY(p->isVisible());

    // Out of the window: closed without a date, capture released.
    moveOn(p.get(), QPoint(-1, margin.y()));
    QVERIFY(!p->isVisible());
    QCOMPARE(p->result(), int(QDialog::Rejected));
    QCOMPARE(p->pickedDate(), QString());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestDataCalender::modalUseFromEntryDialog()
{
    QWidget owner;
    owner.show();
    frmDataCalender picker(*model_, &owner);
    picker.move(40, 60);
    picker.chosenMonth = QString::number(9);
    picker.SetDate(QDate(model_->curYear(), 9, 4));
    picker.RemakeCalender();
    QCOMPARE(picker.month, 9);

    QTimer::singleShot(0, &picker, [&picker] {
        QVERIFY(picker.isModal() && picker.isVisible());
        QTest::mouseClick(picker.grid->lblDay[picker.pmonth + 28], Qt::LeftButton);
    });
    QCOMPARE(picker.exec(), int(QDialog::Accepted));
    QCOMPARE(picker.pickedDate(), QStringLiteral("09/28"));

    // A fresh picker starts on the ledger's month with nothing chosen.
    frmDataCalender fresh(*model_, &owner);
    QCOMPARE(fresh.month, model_->curMonth());
    QCOMPARE(fresh.selectedCell, -1);
    QTimer::singleShot(0, &fresh, [&fresh] { QTest::keyClick(&fresh, Qt::Key_Escape); });
    QCOMPARE(fresh.exec(), int(QDialog::Rejected));
    QCOMPARE(fresh.pickedDate(), QString());
}

QTEST_MAIN(TestDataCalender)
#include "test_datacalender.moc"
