#include "calendar/MonthGrid.h"
#include "calendar/MonthGridView.h"

#include <QLabel>
#include <QTest>
#include <algorithm>

class TestMonthGrid : public QObject {
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
    void agreesWithCalendarEveryMonth();
    void outOfRangeIsPulledIn_data();
    void outOfRangeIsPulledIn();
    void viewShowsStyles();
};

// Expected grids are written out as the 42 cell texts, "-" for an empty
// cell, with the shown month between [ and ].
static QString describe(const MonthGrid& g)
{
    QStringList parts;
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        QString t = g.cells[i].text.isEmpty() ? QStringLiteral("-") : g.cells[i].text;
        if (i > 0 && g.cells[i].inMonth && !g.cells[i - 1].inMonth)
            t.prepend(QLatin1Char('['));
        if (g.cells[i].inMonth && (i == MonthGrid::CellCount - 1 || !g.cells[i + 1].inMonth))
            t.append(QLatin1Char(']'));
        parts << t;
    }
    return parts.join(QLatin1Char(' '));
}

void TestMonthGrid::cells_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("pmonth");
    QTest::addColumn<int>("nmonth");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("cells");

    QTest::newRow("begins on Sunday: a whole week of March first")
        << 2001 << 4 << 6 << 37 << "2001年4月"
        << "25 26 27 28 29 30 31 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30] 1 2 3 4 5";
    QTest::newRow("February 2000, leap")
        << 2000 << 2 << 1 << 31 << "2000年2月"
        << "30 31 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29] 1 2 3 4 5 6 7 8 9 10 11";
    QTest::newRow("February 2001, 28 days")
        << 2001 << 2 << 3 << 32 << "2001年2月"
        << "28 29 30 31 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28] 1 2 3 4 5 6 7 8 9 10";
    QTest::newRow("February 2015 begins on Sunday with 28 days")
        << 2015 << 2 << 6 << 35 << "2015年2月"
        << "25 26 27 28 29 30 31 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28] 1 2 3 4 5 6 7";
    QTest::newRow("March 1900 follows a February of 28 days")
        << 1900 << 3 << 3 << 35 << "1900年3月"
        << "25 26 27 28 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31] 1 2 3 4 5 6 7";
    QTest::newRow("31 days beginning on Saturday")
        << 2025 << 3 << 5 << 37 << "2025年3月"
        << "23 24 25 26 27 28 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31] 1 2 3 4 5";
    QTest::newRow("January of year 100: nothing before it")
        << 100 << 1 << 4 << 36 << "100年1月"
        << "- - - - - [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31] 1 2 3 4 5 6";
    QTest::newRow("February of year 100 still shows January")
        << 100 << 2 << 0 << 29 << "100年2月"
        << "31 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28] 1 2 3 4 5 6 7 8 9 10 11 12 13";
    QTest::newRow("December 9999: nothing after it")
        << 9999 << 12 << 2 << 34 << "9999年12月"
        << "28 29 30 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31] - - - - - - - -";
    QTest::newRow("December 2001 runs into January")
        << 2001 << 12 << 5 << 37 << "2001年12月"
        << "25 26 27 28 29 30 [1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31] 1 2 3 4 5";
}

void TestMonthGrid::cells()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, pmonth);
    QFETCH(int, nmonth);
    QFETCH(QString, caption);
    QFETCH(QString, cells);

    const MonthGrid g = MonthGrid::compute(year, month);
    QCOMPARE(describe(g), cells);
    QCOMPARE(g.pmonth, pmonth);
    QCOMPARE(g.nmonth, nmonth);
    QCOMPARE(g.caption, caption);
}

// Every month the ledger can show, checked against Qt's own calendar: the
// weekday column of each day, the month length, the neighbours' days.
void TestMonthGrid::agreesWithCalendarEveryMonth()
{
    for (int y = MonthGrid::FirstYear; y <= MonthGrid::LastYear; ++y) {
        for (int m = 1; m <= 12; ++m) {
            const MonthGrid g = MonthGrid::compute(y, m);
            const QDate first(y, m, 1);
            const int len = first.daysInMonth();
            QVERIFY2(g.pmonth >= 0 && g.pmonth <= 6, qPrintable(g.caption));
            QCOMPARE(g.nmonth, g.pmonth + 1 + len);
            for (int i = 0; i < MonthGrid::CellCount; ++i) {
                const QDate d = first.addDays(i - g.pmonth - 1);
                const bool blank = (y == MonthGrid::FirstYear && m == 1 && i <= g.pmonth)
                    || (y == MonthGrid::LastYear && m == 12 && i >= g.nmonth);
                if (blank) {
                    QVERIFY(g.cells[i].text.isEmpty());
                    QVERIFY(!g.dateOf(i).isValid());
                    continue;
                }
                if (g.cells[i].text != QString::number(d.day()) || d.dayOfWeek() % 7 != i % 7
                    || g.cells[i].inMonth != (d.month() == m) || g.dateOf(i) != d)
                    QFAIL(qPrintable(QStringLiteral("%1 cell %2: %3").arg(g.caption).arg(i).arg(g.cells[i].text)));
            }
        }
    }
}

void TestMonthGrid::outOfRangeIsPulledIn_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("caption");

    QTest::newRow("year 99") << 99 << 12 << "100年12月";
    QTest::newRow("year 0") << 0 << 5 << "100年5月";
    QTest::newRow("year 10000") << 10000 << 1 << "9999年1月";
    QTest::newRow("month 13") << 2001 << 13 << "2001年12月";
    QTest::newRow("month 0") << 2001 << 0 << "2001年1月";
}

void TestMonthGrid::outOfRangeIsPulledIn()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, caption);
    const MonthGrid g = MonthGrid::compute(year, month);
    QCOMPARE(g.caption, caption);
    QVERIFY(g.pmonth >= 0 && g.nmonth <= MonthGrid::CellCount);
}

void TestMonthGrid::viewShowsStyles()
{
    MonthGridView view(MonthGridStyle::calendarWindow());
    view.fill(MonthGrid::compute(2001, 4));

    const QStringList heads = {"日", "月", "火", "水", "木", "金", "土"};
    for (int c = 0; c < 7; ++c) {
        auto* h = view.findChild<QLabel*>(QStringLiteral("lblWeek%1").arg(c));
        QVERIFY(h);
        QCOMPARE(h->text(), heads[c]);
        // Light red and blue, so that they read on the dark header.
        const QColor expected = c == 0 ? QColor(255, 130, 130) : c == 6 ? QColor(140, 180, 255) : QColor(Qt::white);
        QCOMPARE(h->palette().color(QPalette::WindowText), expected);
        QCOMPARE(h->palette().color(QPalette::Window), QColor(64, 64, 64));
    }

    auto* march31 = view.findChild<QLabel*>("lblDay6");
    auto* april1 = view.findChild<QLabel*>("lblDay7");
    auto* may1 = view.findChild<QLabel*>("lblDay37");
    QVERIFY(march31 && april1 && may1);
    QCOMPARE(march31->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(march31->font().pointSize(), 9);
    QCOMPARE(view.lblDay[8]->palette().color(QPalette::WindowText), QColor(Qt::black)); // Monday 04/02
    QCOMPARE(april1->font().pointSize(), 11);
    QCOMPARE(may1->text(), QStringLiteral("1"));
    QCOMPARE(may1->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    // Sundays and holidays red, a holiday named in its tooltip: 04/29 was a
    // Sunday, so 04/30 was off too; 05/03, a holiday of the next month, stays
    // blue and unnamed.
    const QColor red(220, 0, 0);
    const auto day = [&](int d) { return view.lblDay[size_t(6 + d)]; };
    QCOMPARE(april1->palette().color(QPalette::WindowText), red);
    QCOMPARE(day(8)->palette().color(QPalette::WindowText), red);
    QCOMPARE(day(8)->toolTip(), QString());
    QCOMPARE(day(28)->palette().color(QPalette::WindowText), QColor(Qt::black));
    QCOMPARE(day(29)->palette().color(QPalette::WindowText), red);
    QCOMPARE(day(29)->toolTip(), QStringLiteral("みどりの日"));
    QCOMPARE(day(30)->palette().color(QPalette::WindowText), red);
    QCOMPARE(day(30)->toolTip(), QStringLiteral("振替休日"));
    QCOMPARE(view.lblDay[39]->text(), QStringLiteral("3"));
    QCOMPARE(view.lblDay[39]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(view.lblDay[39]->toolTip(), QString());
    // A mark and its removal give the day its own colour back; a note
    // follows the holiday's name; marks come and go.
    view.setCellBackground(6 + 29, Qt::yellow);
    view.resetCell(6 + 29);
    QCOMPARE(day(29)->palette().color(QPalette::WindowText), red);
    QCOMPARE(day(29)->palette().color(QPalette::Window), QColor(Qt::white));
    view.setCellNote(6 + 29, QStringLiteral("花見"));
    QCOMPARE(day(29)->toolTip(), QStringLiteral("みどりの日\n花見"));
    view.setCellNote(6 + 28, QStringLiteral("花見"));
    QCOMPARE(day(28)->toolTip(), QStringLiteral("花見"));
    view.setCellMarks(6 + 28, true, false);
    QVERIFY(view.hasMemoMark(6 + 28) && !view.hasEntryMark(6 + 28));
    view.setCellMarks(6 + 28, false, true);
    QVERIFY(!view.hasMemoMark(6 + 28) && view.hasEntryMark(6 + 28));
    // The next month's fill names its own holidays only.
    view.fill(MonthGrid::compute(2001, 6));
    QVERIFY(std::none_of(view.lblDay.begin(), view.lblDay.end(), [](QLabel* l) { return !l->toolTip().isEmpty(); }));

    // Cells sit in rows of seven without overlapping.
    for (int i = 0; i + 1 < MonthGrid::CellCount; ++i) {
        const QRect a = view.lblDay[i]->geometry();
        const QRect b = view.lblDay[i + 1]->geometry();
        QVERIFY(!a.intersects(b));
        if ((i + 1) % 7 == 0)
            QVERIFY(b.top() > a.bottom());
        else
            QCOMPARE(b.top(), a.top());
    }
}

QTEST_MAIN(TestMonthGrid)
#include "test_monthgrid.moc"
