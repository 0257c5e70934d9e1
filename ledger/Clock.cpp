#include "ledger/Clock.h"

namespace {
QDateTime fixedNow;
}

namespace Clock {
QDateTime now() { return fixedNow.isValid() ? fixedNow : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
void setFixed(const QDateTime& when) { fixedNow = when; }
}
