#include "recurring/TeikiRule.h"

#include <QStringList>
#include <algorithm>

QString YearMonth::text() const
{
    if (!valid())
        return {};
    return QStringLiteral("%1/%2").arg(year, 4, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

bool YearMonth::parse(QStringView text, YearMonth& out)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash != 4 || text.size() < 6 || text.size() > 7)
        return false;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (i != slash && (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')))
            return false;
    YearMonth ym{text.left(4).toInt(), text.mid(5).toInt()};
    if (!ym.valid())
        return false;
    out = ym;
    return true;
}

YearMonth TeikiRule::appliedIn(int year) const
{
    for (const YearMonth& ym : applied)
        if (ym.year == year)
            return ym;
    return {};
}

void TeikiRule::markApplied(const YearMonth& ym)
{
    for (YearMonth& a : applied) {
        if (a.year == ym.year) {
            a.month = std::max(a.month, ym.month);
            return;
        }
    }
    applied.push_back(ym);
    std::sort(applied.begin(), applied.end(), [](const YearMonth& a, const YearMonth& b) { return a.year < b.year; });
}

QDate TeikiRule::dateIn(const YearMonth& ym) const
{
    const QDate firstDay(ym.year, ym.month, 1);
    return firstDay.addDays(std::min(day, firstDay.daysInMonth()) - 1);
}

std::vector<YearMonth> TeikiRule::dueIn(int year, const QDate& today) const
{
    std::vector<YearMonth> due;
    if (!on || months == 0 || day < 1 || day > 31)
        return due;
    YearMonth start = first;
    if (!start.valid())
        start = applied.empty() ? YearMonth::of(today) : applied.front().next();
    int from = std::max(start.index(), YearMonth{year, 1}.index());
    if (const YearMonth mark = appliedIn(year); mark.valid())
        from = std::max(from, mark.index() + 1);
    int to = std::min(YearMonth::of(today).index(), YearMonth{year, 12}.index());
    if (last.valid())
        to = std::min(to, last.index());
    for (int i = from; i <= to; ++i) {
        const YearMonth ym = YearMonth::ofIndex(i);
        if (inMonth(ym.month) && dateIn(ym) <= today)
            due.push_back(ym);
    }
    return due;
}

QString TeikiRule::monthsText() const
{
    if ((months & kEveryMonth) == kEveryMonth)
        return QStringLiteral("毎月");
    QStringList list;
    for (int m = 1; m <= 12; ++m)
        if (inMonth(m))
            list << QString::number(m);
    return list.join(QLatin1Char(','));
}
