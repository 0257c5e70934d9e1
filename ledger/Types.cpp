#include "ledger/Types.h"

#include <memory>

bool clsHimoku::addsub(const QString& subNo, const QString& subName)
{
    if (sTekiyo.contains(subName))
        return false;
    auto t = std::make_shared<clsTekiyo>(clsTekiyo{subNo, subName});
    // add() refuses a number already held; the name was checked above.
    if (!nTekiyo.add(subNo, t))
        return false;
    sTekiyo.add(subName, t);
    return true;
}

void clsHimoku::deleachsub(const QString& subNo, const QString&)
{
    for (int i = 0; i < nTekiyo.count(); ++i) {
        if (nTekiyo.at(i)->no == subNo) {
            nTekiyo.removeAt(i);
            sTekiyo.removeAt(i);
            return;
        }
    }
}

void clsHimoku::delsub()
{
    nTekiyo.clear();
    sTekiyo.clear();
}

namespace {
QString twoDigitText(int v)
{
    const QChar text[2] = {QLatin1Char(char('0' + v / 10)), QLatin1Char(char('0' + v % 10))};
    return QString(text, 2);
}

// Two ASCII digits from lo to hi, or -1.
int twoDigitValue(QStringView s, int lo, int hi)
{
    if (s.size() != 2 || s[0] < QLatin1Char('0') || s[0] > QLatin1Char('9') || s[1] < QLatin1Char('0')
        || s[1] > QLatin1Char('9'))
        return -1;
    const int v = (s[0].unicode() - '0') * 10 + (s[1].unicode() - '0');
    return v >= lo && v <= hi ? v : -1;
}
}

QString Entry::date() const { return twoDigitText(monthNo) + QLatin1Char('/') + twoDigitText(dayNo); }
QString Entry::category() const { return twoDigitText(categoryNo); }
QString Entry::sub() const { return twoDigitText(subNo); }

bool Entry::setDate(QStringView mmdd)
{
    if (mmdd.size() != 5 || mmdd[2] != QLatin1Char('/'))
        return false;
    const int m = twoDigitValue(mmdd.left(2), 1, 12);
    const int d = twoDigitValue(mmdd.mid(3), 1, 31);
    if (m < 0 || d < 0)
        return false;
    monthNo = quint8(m);
    dayNo = quint8(d);
    return true;
}

bool Entry::setCategory(QStringView no)
{
    const int v = twoDigitValue(no, 1, 99);
    if (v < 0)
        return false;
    categoryNo = quint8(v);
    return true;
}

bool Entry::setSub(QStringView no)
{
    const int v = twoDigitValue(no, 0, 99);
    if (v < 0)
        return false;
    subNo = quint8(v);
    return true;
}
