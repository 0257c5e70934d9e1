#pragma once

// Messages and small checks shared by the entry dialog's files.

#include "ledger/Formats.h"
#include "ledger/Types.h"

#include <QDate>
#include <QString>
#include <algorithm>
#include <limits>

namespace EntryText {
inline constexpr qint64 kMaxAmount = std::numeric_limits<qint32>::max();

inline const QString kShortMessage = QStringLiteral("入力データの内容が不足です。");
inline const QString kDigitsMessage =
    QStringLiteral("日付の桁数が [5 桁] 以外です。\r\n\r\n  形式は [mm/dd](1桁の場合は先頭に 0 を入れて下さい)");
inline const QString kNoDateMessage = QStringLiteral("存在しない日付か、または日付として認識できません。");
inline const QString kSlashMessage = QStringLiteral("日付の形式は [mm/dd](1桁の場合は先頭に 0 を挿入) です。");
inline const QString kNotNumberMessage = QStringLiteral("入力された金額データが数値ではありません。");
inline const QString kMinusMessage = QStringLiteral("金額が -(マイナス)になってしまいます。");
inline const QString kNoSubQuestion = QStringLiteral("摘要項目が未入力ですがよろしいですか。");

inline QString tooLargeMessage()
{
    return QStringLiteral("金額が大きすぎます。\r\n\r\n金額は %1 円以下で入力して下さい。").arg(Fmt::hash0(kMaxAmount));
}

inline bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// "mm/dd" (or with "-" or "." between, full-width forms too) naming a day of the year.
inline bool readsAsDate(const QString& typed, int year)
{
    const QString text = Num::halfWidth(typed);
    if (text.size() != 5 || !isAsciiDigit(text[0]) || !isAsciiDigit(text[1]) || !isAsciiDigit(text[3])
        || !isAsciiDigit(text[4]))
        return false;
    if (!QStringLiteral("/-.").contains(text[2]))
        return false;
    return QDate(year, text.left(2).toInt(), text.right(2).toInt()).isValid();
}

// "m/d", "m/dd" or "mm/d" as typed, written out as "mm/dd"; other text as it is.
inline QString fullDate(const QString& typed)
{
    const QString t = Num::halfWidth(typed).trimmed();
    const qsizetype slash = t.indexOf(QLatin1Char('/'));
    const QString m = t.left(slash);
    const QString d = t.mid(slash + 1);
    auto digits = [](const QString& part) {
        return (part.size() == 1 || part.size() == 2) && std::all_of(part.begin(), part.end(), isAsciiDigit);
    };
    if (slash < 0 || !digits(m) || !digits(d))
        return typed;
    return m.rightJustified(2, QLatin1Char('0')) + QLatin1Char('/') + d.rightJustified(2, QLatin1Char('0'));
}
}
