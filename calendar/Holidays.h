#pragma once

#include <QDate>
#include <QString>
#include <vector>

// Japan's national holidays as the holiday law sets them, for the years
// 1980 to 2099: the fixed days, the Mondays, the two equinox days, the days
// moved or added by special laws, the substitute holiday (振替休日) and the
// citizens' holiday (国民の休日). Other years have none.
namespace Holidays {

constexpr int FirstYear = 1980;
constexpr int LastYear = 2099;

struct Holiday {
    QDate date;
    QString name;
};

// The holidays of a year in date order.
std::vector<Holiday> ofYear(int year);

// The holiday's name, empty for a day that is none.
QString name(const QDate& date);

// Day of March of the vernal and of September of the autumnal equinox, by
// the standard approximation valid for 1980-2099.
int vernalEquinoxDay(int year);
int autumnalEquinoxDay(int year);

}
