#include "ledger/LedgerRules.h"

#include "ledger/Formats.h"
#include "ledger/TextFile.h"

namespace LedgerRules {

namespace {
// Whether the fraction of a number is exactly one half (".5", ".50", ...).
bool isExactHalf(const QString& text)
{
    const QString t = text.trimmed();
    qsizetype point = t.lastIndexOf(QLatin1Char('.'));
    if (point < 0)
        point = t.lastIndexOf(QChar(0xFF0E)); // full-width full stop
    if (point < 0 || point + 1 >= t.size() || t[point + 1].digitValue() != 5)
        return false;
    for (qsizetype i = point + 2; i < t.size(); ++i)
        if (t[i].digitValue() != 0)
            return false;
    return true;
}
}

NameFault masterNameFault(const QString& name, bool isCategory, bool checkCodePage)
{
    if (isCategory && name.contains(QLatin1Char(':')))
        return {NameFault::Colon, {}};
    if (name.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\n')))
        return {NameFault::LineBreak, {}};
    QByteArray b;
    QString bad;
    if (checkCodePage && !TextFile::encode(name, b, &bad))
        return {NameFault::Unstorable, bad};
    return {};
}

std::optional<qint32> budgetValue(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    auto v = Num::toInt32(text);
    // The reader rounds halves away from zero; a budget takes the even yen.
    if (v && *v % 2 != 0 && isExactHalf(text))
        *v += *v > 0 ? -1 : 1;
    return v;
}

BudgetCheck checkBudget(const QString& text)
{
    const QString title = QStringLiteral("予算データ不正");
    if (!text.trimmed().isEmpty() && !Num::isNumeric(text))
        return {{}, QStringLiteral("予算のデータが不正(数値以外)です。"), title};
    if (const auto v = budgetValue(text))
        return {v, {}, {}};
    return {{}, QStringLiteral("予算の金額が大きすぎます。\r\n\r\n-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。"), title};
}

quint32 rgbOfColour(quint32 bgr)
{
    return 0xFF000000u | (bgr & 0xFFu) << 16 | (bgr & 0xFF00u) | (bgr >> 16 & 0xFFu);
}

quint32 colourOfRgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | quint32(green & 0xFF) << 8 | quint32(blue & 0xFF) << 16;
}

EntryNames namesOf(const clsHimoku* category, const QString& categoryNo, const QString& subNo)
{
    EntryNames n;
    const bool noSub = subNo == QLatin1String("00");
    if (category) {
        n.category = category->name;
        if (!noSub) {
            const auto item = category->nTekiyo.find(subNo);
            n.sub = item ? item->name : QStringLiteral("摘要項目番号: ") + subNo + QStringLiteral(" (削除されています)");
        }
    } else {
        n.category = QStringLiteral("費目番号: ") + categoryNo + QStringLiteral(" (削除されています)");
        n.sub = noSub ? QStringLiteral("摘要項目なし")
                      : QStringLiteral("摘要項目番号: ") + subNo + QStringLiteral(" (費目が削除されています)");
    }
    return n;
}

std::vector<double> pieEnds(const std::vector<qint64>& amounts)
{
    qint64 total = 0;
    for (qint64 a : amounts)
        if (a > 0)
            total += a;
    std::vector<double> ends;
    ends.reserve(amounts.size());
    // From the running sum, so the slices close the circle exactly.
    qint64 running = 0;
    for (qint64 a : amounts) {
        if (a > 0)
            running += a;
        ends.push_back(total == 0 ? 0.0 : running == total ? 1.0 : double(running) / double(total));
    }
    return ends;
}

}
