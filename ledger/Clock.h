#pragma once

#include <QDate>
#include <QDateTime>

// "Today" for the whole program; tests fix it.
namespace Clock {
QDateTime now();
QDate today();
void setFixed(const QDateTime& when); // an invalid value returns to the system clock
}
