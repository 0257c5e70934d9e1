#pragma once

#include <QString>

// Trims ASCII spaces at both ends, as the readers of the data files do;
// other blanks such as the ideographic space belong to the text.
inline QString trimSpaces(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

// Two ASCII digits forming a number from lo to hi.
inline bool isTwoDigits(QStringView s, int lo, int hi)
{
    if (s.size() != 2 || !s[0].isDigit() || !s[1].isDigit() || s[0].unicode() > 127 || s[1].unicode() > 127)
        return false;
    const int v = (s[0].unicode() - '0') * 10 + (s[1].unicode() - '0');
    return v >= lo && v <= hi;
}
