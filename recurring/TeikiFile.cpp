#include "recurring/TeikiFile.h"

#include "ledger/Clock.h"
#include "ledger/LineText.h"
#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"

#include <QFileInfo>

namespace TeikiFile {

namespace {
// Digits only, within lo..hi.
bool number(QStringView s, qint64 lo, qint64 hi, qint64& out)
{
    if (s.isEmpty() || s.size() > 10)
        return false;
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    out = s.toLongLong();
    return out >= lo && out <= hi;
}

bool parseMonths(QStringView s, quint16& months)
{
    if (s == u"*") {
        months = TeikiRule::kEveryMonth;
        return true;
    }
    months = 0;
    for (QStringView part : s.split(QLatin1Char(','))) {
        qint64 m = 0;
        if (!number(part, 1, 12, m))
            return false;
        months |= quint16(1u << (m - 1));
    }
    return months != 0;
}

QString monthsField(quint16 months)
{
    if ((months & TeikiRule::kEveryMonth) == TeikiRule::kEveryMonth)
        return QStringLiteral("*");
    QStringList list;
    for (int m = 1; m <= 12; ++m)
        if (months & (1u << (m - 1)))
            list << QString::number(m);
    return list.join(QLatin1Char(','));
}

bool optionalMonth(QStringView s, YearMonth& out)
{
    out = {};
    return s.isEmpty() || YearMonth::parse(s, out);
}
}

QString fileName() { return QStringLiteral("Teiki.zbt"); }
QString path() { return programFile(fileName()); }

bool parseLine(const QString& line, TeikiRule& r)
{
    // Eight fields, then the name, which may hold the separator.
    QList<QStringView> f;
    QStringView rest(line);
    for (int i = 0; i < 8; ++i) {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        if (colon < 0)
            return false;
        f << rest.left(colon);
        rest = rest.mid(colon + 1);
    }
    TeikiRule rule;
    qint64 v = 0;
    if (f[0].size() != 4 || !isTwoDigits(f[0].left(2), 1, 99) || !isTwoDigits(f[0].mid(2), 0, 99))
        return false;
    rule.categoryNo = quint8(f[0].left(2).toInt());
    rule.subNo = quint8(f[0].mid(2).toInt());
    if (!number(f[1], 1, 2147483647, v))
        return false;
    rule.amount = qint32(v);
    if (!number(f[2], 1, 31, v))
        return false;
    rule.day = int(v);
    if (!parseMonths(f[3], rule.months) || !optionalMonth(f[4], rule.first) || !optionalMonth(f[5], rule.last))
        return false;
    if (f[6] != u"1" && f[6] != u"0")
        return false;
    rule.on = f[6] == u"1";
    if (!f[7].isEmpty()) {
        for (QStringView part : f[7].split(QLatin1Char(','))) {
            YearMonth ym;
            if (!YearMonth::parse(part, ym) || rule.appliedIn(ym.year).valid())
                return false;
            rule.markApplied(ym);
        }
    }
    rule.name = rest.toString();
    r = rule;
    return true;
}

QString lineOf(const TeikiRule& r)
{
    QStringList applied;
    for (const YearMonth& ym : r.applied)
        applied << ym.text();
    return QStringLiteral("%1%2:%3:%4:%5:%6:%7:%8:%9:")
               .arg(int(r.categoryNo), 2, 10, QLatin1Char('0'))
               .arg(int(r.subNo), 2, 10, QLatin1Char('0'))
               .arg(r.amount)
               .arg(r.day)
               .arg(monthsField(r.months), r.first.text(), r.last.text(), r.on ? QStringLiteral("1") : QStringLiteral("0"),
                    applied.join(QLatin1Char(',')))
        + r.name;
}

ReadResult read(const QString& filePath)
{
    ReadResult r;
    if (!QFileInfo::exists(filePath))
        return r;
    const TextFile::ReadResult file = TextFile::readLines(filePath);
    if (!file.ok) {
        r.ok = false;
        r.error = file.error;
        return r;
    }
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = trimSpaces(file.lines[i]);
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')) || line.startsWith(QLatin1Char('C')))
            continue;
        TeikiRule rule;
        if (parseLine(line, rule)) {
            r.contents.rules.push_back(rule);
        } else {
            r.contents.kept << file.lines[i];
            r.contents.keptLines << i + 1;
        }
    }
    return r;
}

QStringList lines(const Contents& c)
{
    QStringList out{QStringLiteral("C"),
                    QStringLiteral("*  Last modified: ") + Clock::today().toString(QStringLiteral("MM-dd-yyyy")),
                    QStringLiteral("*"),
                    QStringLiteral("*  Kanelo Y -定期入力管理ファイル-"),
                    QStringLiteral("*"),
                    QStringLiteral("*      [データ内容] 費目摘要項目:金額:日:月:開始年月:終了年月:有効:適用済み年月:名称"),
                    QStringLiteral("*"),
                    QString()};
    for (const TeikiRule& r : c.rules)
        out << lineOf(r);
    return out + c.kept;
}

bool write(const QString& filePath, const Contents& c, QString* error)
{
    const TextFile::WriteResult r = TextFile::writeLines(filePath, lines(c));
    if (!r.ok && error)
        *error = r.error;
    return r.ok;
}

}
