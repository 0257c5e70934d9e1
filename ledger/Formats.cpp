#include "ledger/Formats.h"

#include <cmath>
#include <limits>

namespace {
QString grouped(qint64 v)
{
    const bool neg = v < 0;
    // Work on the magnitude as unsigned so that the smallest 64-bit value is safe.
    quint64 m = neg ? quint64(0) - quint64(v) : quint64(v);
    QString digits = QString::number(m);
    QString out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits[i];
    }
    return neg ? QLatin1Char('-') + out : out;
}

// Parses one group of digits (with separators) and an optional fraction
// from t[i]; false when there is no digit.
bool parseGroup(const QString& t, int& i, long double& value)
{
    long double v = 0;
    int digits = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            v = v * 10 + (c.unicode() - '0');
            ++digits;
        } else if (c == QLatin1Char(',') && digits > 0) {
            continue;
        } else {
            break;
        }
    }
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        long double scale = 0.1L;
        for (; i < t.size(); ++i) {
            const QChar c = t[i];
            if (!(c.isDigit() && c.unicode() < 128))
                break;
            v += scale * (c.unicode() - '0');
            scale /= 10;
            ++digits;
        }
    }
    value = v;
    return digits > 0;
}

// Parses sign, then groups of digits, each followed by 万 or 千 as the
// user writes amounts ("12万", "1.5万", "1万2千500"), larger units first.
// Returns false when the text is not a number.
bool parseDecimal(const QString& text, long double& value)
{
    const QString t = Num::halfWidth(text).trimmed();
    if (t.isEmpty())
        return false;
    int i = 0;
    bool neg = false;
    if (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')) {
        neg = t[i] == QLatin1Char('-');
        ++i;
    }
    long double total = 0;
    int lastUnit = 100000;
    while (i < t.size()) {
        long double v = 0;
        if (!parseGroup(t, i, v))
            return false;
        int unit = 1;
        if (i < t.size() && (t[i] == u'万' || t[i] == u'千')) {
            unit = t[i] == u'万' ? 10000 : 1000;
            ++i;
        }
        if (unit >= lastUnit)
            return false;
        lastUnit = unit;
        total += v * unit;
    }
    if (lastUnit == 100000)
        return false;
    value = neg ? -total : total;
    return true;
}
}

namespace Fmt {
QString hash(qint64 v) { return v == 0 ? QString() : grouped(v); }
QString hash0(qint64 v) { return grouped(v); }
QString percent(double ratio) { return QString::number(ratio * 100.0, 'f', 2) + QLatin1Char('%'); }
QString percentSp(double ratio) { return QString::number(ratio * 100.0, 'f', 2) + QStringLiteral(" %"); }
QString zero2(int v) { return v >= 0 && v < 10 ? QLatin1Char('0') + QString::number(v) : QString::number(v); }
}

namespace Num {
namespace {
char16_t halfWidthOf(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return u'0' + (c - u'０');
    switch (c) {
    case u'／': return u'/';
    case u'＋': return u'+';
    case u'－':
    case u'ー':
    case u'−': return u'-';
    case u'，': return u',';
    case u'．': return u'.';
    default: return c;
    }
}
}

QString halfWidth(const QString& text)
{
    // Lists parse many cells; text without full-width forms is not copied.
    qsizetype i = 0;
    while (i < text.size() && halfWidthOf(text[i].unicode()) == text[i].unicode())
        ++i;
    if (i == text.size())
        return text;
    QString out = text;
    for (; i < out.size(); ++i)
        out[i] = QChar(halfWidthOf(out[i].unicode()));
    return out;
}

bool isNumeric(const QString& text)
{
    long double v;
    return parseDecimal(text, v);
}

std::optional<qint64> toInt64(const QString& text)
{
    long double v;
    if (!parseDecimal(text, v))
        return std::nullopt;
    const long double r = std::round(v);
    if (r > 9.2e18L || r < -9.2e18L)
        return std::nullopt;
    return static_cast<qint64>(r);
}

std::optional<qint32> toInt32(const QString& text)
{
    const auto v = toInt64(text);
    if (!v || *v > std::numeric_limits<qint32>::max() || *v < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return static_cast<qint32>(*v);
}

bool beyondInt32(const QString& text) { return isNumeric(text) && !toInt32(text); }

qint64 cellValue(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    return toInt64(text).value_or(0);
}

std::optional<qint32> parseFileInt32(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool neg = false;
    if (text[0] == QLatin1Char('-')) {
        neg = true;
        i = 1;
        if (text.size() == 1)
            return std::nullopt;
    }
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (neg)
        v = -v;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return static_cast<qint32>(v);
}
}
