// Japan's national holidays against known dates, and the rules that hold in
// every year of the range.
#include "calendar/Holidays.h"

#include <QTest>

class TestHolidays : public QObject {
    Q_OBJECT
private slots:
    void knownDates_data();
    void knownDates();
    void wholeYear2026();
    void rulesHoldEveryYear();
};

void TestHolidays::knownDates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("name"); // empty: a working day

    const auto row = [](const char* date, const char* name) {
        QTest::newRow(date) << QDate::fromString(QLatin1String(date), Qt::ISODate) << QString::fromUtf8(name);
    };
    row("2026-01-12", "成人の日");
    row("2026-03-20", "春分の日");
    row("2026-05-06", "振替休日");
    row("2026-09-21", "敬老の日");
    row("2026-09-22", "国民の休日");
    row("2026-09-23", "秋分の日");
    row("2025-05-06", "振替休日");
    row("2025-09-23", "秋分の日");
    row("2024-09-22", "秋分の日");
    row("2024-09-23", "振替休日");
    row("2023-03-21", "春分の日");
    row("2010-03-21", "春分の日");
    row("2010-03-22", "振替休日");
    row("2012-09-22", "秋分の日");
    row("1980-03-20", "春分の日");
    row("1980-09-23", "秋分の日");
    // The change of emperors in 1989 and 2019.
    row("1988-04-29", "天皇誕生日");
    row("1989-01-07", "");
    row("1989-01-16", "振替休日");
    row("1989-02-24", "昭和天皇の大喪の礼");
    row("1989-04-29", "みどりの日");
    row("1989-12-23", "天皇誕生日");
    row("1990-11-12", "即位礼正殿の儀");
    row("1993-06-09", "皇太子徳仁親王の結婚の儀");
    row("2018-12-24", "振替休日");
    row("2019-04-30", "国民の休日");
    row("2019-05-01", "天皇の即位の日");
    row("2019-05-02", "国民の休日");
    row("2019-05-06", "振替休日");
    row("2019-10-22", "即位礼正殿の儀");
    row("2019-12-23", "");
    row("2020-02-23", "天皇誕生日");
    row("2020-02-24", "振替休日");
    // The Olympic moves of 2020 and 2021.
    row("2020-07-20", "");
    row("2020-07-23", "海の日");
    row("2020-07-24", "スポーツの日");
    row("2020-08-10", "山の日");
    row("2020-08-11", "");
    row("2020-10-12", "");
    row("2021-07-19", "");
    row("2021-07-22", "海の日");
    row("2021-07-23", "スポーツの日");
    row("2021-08-08", "山の日");
    row("2021-08-09", "振替休日");
    row("2021-10-11", "");
    // Where the laws began or changed.
    row("1987-05-04", "振替休日");
    row("1988-05-04", "国民の休日");
    row("1995-07-20", "");
    row("1996-07-20", "海の日");
    row("1999-01-15", "成人の日");
    row("2000-01-10", "成人の日");
    row("1999-10-10", "体育の日");
    row("2000-10-09", "体育の日");
    row("2002-09-16", "振替休日");
    row("2003-07-21", "海の日");
    row("2003-09-15", "敬老の日");
    row("2007-04-30", "振替休日");
    row("2007-05-04", "みどりの日");
    row("2008-05-06", "振替休日");
    row("2009-05-06", "振替休日");
    row("2009-09-22", "国民の休日");
    row("2015-08-11", "");
    row("2016-08-11", "山の日");
    row("2015-09-22", "国民の休日");
    // Outside the years the rules are known for.
    row("1979-01-01", "");
    row("2100-01-01", "");
}

void TestHolidays::knownDates()
{
    QFETCH(QDate, date);
    QFETCH(QString, name);
    QCOMPARE(Holidays::name(date), name);
}

void TestHolidays::wholeYear2026()
{
    QStringList got;
    for (const Holidays::Holiday& h : Holidays::ofYear(2026))
        got << h.date.toString(QStringLiteral("MM/dd ")) + h.name;
    QCOMPARE(got, QStringList({"01/01 元日", "01/12 成人の日", "02/11 建国記念の日", "02/23 天皇誕生日", "03/20 春分の日",
                               "04/29 昭和の日", "05/03 憲法記念日", "05/04 みどりの日", "05/05 こどもの日", "05/06 振替休日",
                               "07/20 海の日", "08/11 山の日", "09/21 敬老の日", "09/22 国民の休日", "09/23 秋分の日",
                               "10/12 スポーツの日", "11/03 文化の日", "11/23 勤労感謝の日"}));
}

// Every year: dates in the year and in order, one name a day, no day off
// on a Sunday but the holidays themselves, a substitute right after a run
// of holidays that began on a Sunday, a citizens' holiday only between two
// holidays, and equinoxes on the days they can fall on.
void TestHolidays::rulesHoldEveryYear()
{
    const QString substitute = QStringLiteral("振替休日"), citizens = QStringLiteral("国民の休日");
    for (int y = Holidays::FirstYear; y <= Holidays::LastYear; ++y) {
        const auto list = Holidays::ofYear(y);
        const QString year = QString::number(y);
        QVERIFY2(list.size() >= 12 && list.size() <= 22, qPrintable(year));
        const auto named = [&](const QDate& d) {
            return std::any_of(list.begin(), list.end(), [&](const auto& h) {
                return h.date == d && h.name != substitute && h.name != citizens;
            });
        };
        for (size_t i = 0; i < list.size(); ++i) {
            const auto& h = list[i];
            const QString what = h.date.toString(Qt::ISODate) + QLatin1Char(' ') + h.name;
            QVERIFY2(h.date.year() == y && (i == 0 || list[i - 1].date < h.date), qPrintable(what));
            if (h.name == substitute) {
                QDate d = h.date.addDays(-1);
                while (named(d) && d.dayOfWeek() != Qt::Sunday)
                    d = d.addDays(-1);
                QVERIFY2(named(d) && d.dayOfWeek() == Qt::Sunday, qPrintable(what));
            } else if (h.name == citizens) {
                QVERIFY2(named(h.date.addDays(-1)) && named(h.date.addDays(1)) && h.date.dayOfWeek() != Qt::Sunday,
                         qPrintable(what));
            }
        }
        QVERIFY2(Holidays::vernalEquinoxDay(y) >= 19 && Holidays::vernalEquinoxDay(y) <= 21, qPrintable(year));
        QVERIFY2(Holidays::autumnalEquinoxDay(y) >= 22 && Holidays::autumnalEquinoxDay(y) <= 24, qPrintable(year));
    }
    QVERIFY(Holidays::ofYear(Holidays::FirstYear - 1).empty());
    QVERIFY(Holidays::ofYear(Holidays::LastYear + 1).empty());
}

QTEST_APPLESS_MAIN(TestHolidays)
#include "test_holidays.moc"
