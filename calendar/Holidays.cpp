#include "calendar/Holidays.h"

#include <algorithm>
#include <cmath>

namespace Holidays {

namespace {
// The n-th Monday of a month (the "Happy Monday" holidays).
QDate nthMonday(int year, int month, int n)
{
    const QDate first(year, month, 1);
    return first.addDays((8 - first.dayOfWeek()) % 7 + 7 * (n - 1));
}

int equinox(double base, int year)
{
    const int y = year - 1980;
    return int(std::floor(base + 0.242194 * y - std::floor(y / 4.0)));
}

bool isSunday(const QDate& d) { return d.dayOfWeek() == Qt::Sunday; }

// The holidays the law names, before substitute and citizens' days.
std::vector<Holiday> namedDays(int y)
{
    std::vector<Holiday> h;
    const auto add = [&](int month, int day, const char* name) { h.push_back({QDate(y, month, day), QString::fromUtf8(name)}); };
    const auto addDate = [&](const QDate& d, const char* name) { h.push_back({d, QString::fromUtf8(name)}); };

    add(1, 1, "元日");
    if (y < 2000)
        add(1, 15, "成人の日");
    else
        addDate(nthMonday(y, 1, 2), "成人の日");
    add(2, 11, "建国記念の日");
    if (y >= 2020)
        add(2, 23, "天皇誕生日");
    add(3, vernalEquinoxDay(y), "春分の日");
    if (y <= 1988)
        add(4, 29, "天皇誕生日");
    else if (y <= 2006)
        add(4, 29, "みどりの日");
    else
        add(4, 29, "昭和の日");
    add(5, 3, "憲法記念日");
    if (y >= 2007)
        add(5, 4, "みどりの日");
    add(5, 5, "こどもの日");

    // The Olympic years moved three holidays by special law.
    if (y == 2020) {
        add(7, 23, "海の日");
        add(7, 24, "スポーツの日");
        add(8, 10, "山の日");
    } else if (y == 2021) {
        add(7, 22, "海の日");
        add(7, 23, "スポーツの日");
        add(8, 8, "山の日");
    } else {
        if (y >= 1996 && y <= 2002)
            add(7, 20, "海の日");
        else if (y >= 2003)
            addDate(nthMonday(y, 7, 3), "海の日");
        if (y >= 2016)
            add(8, 11, "山の日");
        if (y < 2000)
            add(10, 10, "体育の日");
        else
            addDate(nthMonday(y, 10, 2), y < 2020 ? "体育の日" : "スポーツの日");
    }

    if (y < 2003)
        add(9, 15, "敬老の日");
    else
        addDate(nthMonday(y, 9, 3), "敬老の日");
    add(9, autumnalEquinoxDay(y), "秋分の日");
    add(11, 3, "文化の日");
    add(11, 23, "勤労感謝の日");
    if (y >= 1989 && y <= 2018)
        add(12, 23, "天皇誕生日");

    // One-off holidays of their own laws.
    if (y == 1989)
        add(2, 24, "昭和天皇の大喪の礼");
    if (y == 1990)
        add(11, 12, "即位礼正殿の儀");
    if (y == 1993)
        add(6, 9, "皇太子徳仁親王の結婚の儀");
    if (y == 2019) {
        add(5, 1, "天皇の即位の日");
        add(10, 22, "即位礼正殿の儀");
    }
    return h;
}
}

int vernalEquinoxDay(int year) { return equinox(20.8431, year); }

int autumnalEquinoxDay(int year) { return equinox(23.2488, year); }

std::vector<Holiday> ofYear(int year)
{
    if (year < FirstYear || year > LastYear)
        return {};
    std::vector<Holiday> named = namedDays(year);
    const auto isNamed = [&](const QDate& d) {
        return std::any_of(named.begin(), named.end(), [&](const Holiday& h) { return h.date == d; });
    };

    std::vector<Holiday> all = named;
    // A holiday on a Sunday gives a day off on the next day; since 2007 on
    // the next day that is no holiday itself.
    for (const Holiday& h : named) {
        if (!isSunday(h.date))
            continue;
        QDate next = h.date.addDays(1);
        if (h.date.year() >= 2007)
            while (isNamed(next))
                next = next.addDays(1);
        else if (isNamed(next))
            continue;
        all.push_back({next, QStringLiteral("振替休日")});
    }
    const auto isOff = [&](const QDate& d) {
        return std::any_of(all.begin(), all.end(), [&](const Holiday& h) { return h.date == d; });
    };

    // A day between two holidays is a day off too (from 27 December 1985),
    // unless it is a Sunday or already a substitute holiday.
    for (const Holiday& h : named) {
        const QDate between = h.date.addDays(1);
        if (between >= QDate(1985, 12, 27) && isNamed(between.addDays(1)) && !isOff(between) && !isSunday(between))
            all.push_back({between, QStringLiteral("国民の休日")});
    }

    std::sort(all.begin(), all.end(), [](const Holiday& a, const Holiday& b) { return a.date < b.date; });
    return all;
}

QString name(const QDate& date)
{
    if (!date.isValid())
        return {};
    for (const Holiday& h : ofYear(date.year()))
        if (h.date == date)
            return h.name;
    return {};
}

}
