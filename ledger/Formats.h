#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The number formats of the ledger's lists, status bar and messages.
namespace Fmt {
QString hash(qint64 v);         // "#,#": thousands separators, 0 shows empty
QString hash0(qint64 v);        // "#,0": thousands separators, 0 shows "0"
QString percent(double ratio);  // "0.00%"
QString percentSp(double ratio);// "0.00 %"
QString zero2(int v);           // "0#": at least two digits
}

// Reading numbers the user typed or the lists show. Every reader here takes
// what an input method types, so full-width digits work wherever numbers
// are typed.
namespace Num {
// Full-width digits and "／", "＋", "－", "ー", "，", "．" (and the minus
// sign "−") turned into their half-width forms; all else unchanged.
QString halfWidth(const QString& text);
// True when text reads as a number: optional sign, digits with optional
// thousands separators, optional fraction; spaces around are allowed. 万
// and 千 multiply the digits before them, larger first: "12万" is 120000,
// "1.5万" 15000, "1万2千500" 12500.
bool isNumeric(const QString& text);
// The value rounded to whole yen, or nothing when not numeric or beyond
// the 32-bit range.
std::optional<qint32> toInt32(const QString& text);
// Same, in 64 bits.
std::optional<qint64> toInt64(const QString& text);
// A list cell: empty counts 0, separators are allowed.
qint64 cellValue(const QString& text);
// Whether a typed number lies beyond the 32-bit range (numeric but too large).
bool beyondInt32(const QString& text);
// Strict decimal integer as stored in files: optional "-", digits only.
std::optional<qint32> parseFileInt32(QStringView text);
}
