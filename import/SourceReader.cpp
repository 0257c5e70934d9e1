// The source is split on its raw bytes: the separator, the quote and the
// line ends are ASCII, and no ASCII byte below 0x40 is ever part of a CP932
// double-byte character or of a UTF-8 sequence. Only names are decoded, once
// for each spelling of a category and sub-item.
#include "import/SourceReader.h"

#include "ledger/TextFile.h"

#include <QDate>
#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace Import {

const QString kUnsetCategory = QStringLiteral("未設定費目");

namespace {
enum class Encoding { Cp932, Utf8 };

const QString kDateForms = QStringLiteral("日付は mmdd、mm/dd、yyyymmdd、yyyy/mm/dd のいずれかの形で、月と日は 2 桁で書いて下さい。");

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the UTF-8 character at p (strict: no overlong forms, no
// surrogates, nothing beyond U+10FFFF), or 0 when there is none.
int utf8Length(const unsigned char* p, const unsigned char* e)
{
    const unsigned char c = *p;
    if (c < 0x80)
        return 1;
    int n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 2;
        lo = c == 0xE0 ? 0xA0 : 0x80;
        hi = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 3;
        lo = c == 0xF0 ? 0x90 : 0x80;
        hi = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (e - p <= n || p[1] < lo || p[1] > hi)
        return 0;
    for (int i = 2; i <= n; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return n + 1;
}

// Valid UTF-8 that holds more than ASCII.
bool utf8WithText(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* e = p + bytes.size();
    bool nonAscii = false;
    while (p < e) {
        const int n = utf8Length(p, e);
        if (n == 0)
            return false;
        nonAscii |= n > 1;
        p += n;
    }
    return nonAscii;
}

bool cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool cp932Trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The length of the CP932 character at p by its form, or 0 when the bytes
// form none (0x80, 0xA0, 0xFD-0xFF, a lead byte without its trail byte).
int cp932Length(const unsigned char* p, const unsigned char* e)
{
    const unsigned char c = *p;
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF))
        return 1;
    if (cp932Lead(c) && e - p >= 2 && cp932Trail(p[1]))
        return 2;
    return 0;
}

QString decodeBytes(const char* b, const char* e, Encoding enc)
{
    if (enc == Encoding::Utf8)
        return QString::fromUtf8(b, e - b);
    QStringDecoder dec("windows-31j");
    return dec.decode(QByteArrayView(b, e - b));
}

// Spaces around a name are no part of it, as the master's reader has it.
QString trimmed(QString s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

struct Field {
    const char* b = nullptr; // the content: inside the quotes, or without the spaces around it
    const char* e = nullptr;
    const char* rawB = nullptr; // as written
    const char* rawE = nullptr;
    bool quoted = false;
    bool doubled = false; // holds "" standing for one quote

    bool empty() const { return b == e; }
    QByteArray bytes() const
    {
        QByteArray out(b, e - b);
        if (doubled)
            out.replace("\"\"", "\"");
        return out;
    }
};

// Digits only (with an optional "-"), or a quoted number with thousands
// separators ("1,000"). Values far beyond 32 bits stop growing; the caller
// refuses them.
std::optional<qint64> amountValue(const Field& f)
{
    const char* b = f.b;
    const char* e = f.e;
    const bool neg = b < e && *b == '-';
    if (neg)
        ++b;
    if (b == e)
        return std::nullopt;
    const bool grouped = f.quoted && std::find(b, e, ',') != e;
    qint64 v = 0;
    int digits = 0; // of the current group
    bool firstGroup = true;
    for (const char* p = b; p < e; ++p) {
        if (*p == ',' && grouped) {
            if (digits == 0 || digits > 3 || (!firstGroup && digits != 3))
                return std::nullopt;
            digits = 0;
            firstGroup = false;
            continue;
        }
        if (!isDigit(*p))
            return std::nullopt;
        ++digits;
        if (v < (qint64(1) << 40))
            v = v * 10 + (*p - '0');
    }
    if (grouped && digits != 3)
        return std::nullopt;
    return neg ? -v : v;
}

bool fitsInt32(qint64 v) { return v >= -2147483648LL && v <= 2147483647LL; }

// "1,234" written without quotes: the comma cannot be told from a separator.
bool looksLikeThousands(const Field& last, const Field& before)
{
    auto plain = [](const Field& f) { return !f.quoted; };
    if (!plain(last) || !plain(before) || last.e - last.b != 3 || !std::all_of(last.b, last.e, isDigit))
        return false;
    const char* b = before.b;
    if (b < before.e && *b == '-')
        ++b;
    const qsizetype n = before.e - b;
    return n >= 1 && n <= 3 && *b != '0' && std::all_of(b, before.e, isDigit);
}

class Reader {
public:
    Reader(const char* begin, const char* end, Encoding enc, int year, bool byteOffsets, ReadProgress* progress)
        : begin_(begin), end_(end), p_(begin), enc_(enc), year_(year), byteOffsets_(byteOffsets), progress_(progress)
    {
        out_.records.reserve(size_t(std::count(begin, end, '\n')) + 1);
    }

    ParsedSource run()
    {
        bool first = true;
        for (int n = 0; p_ < end_; ++n) {
            if (progress_ && (n & 1023) == 0) {
                progress_->permille.store(int((p_ - begin_) * 1000 / (end_ - begin_)), std::memory_order_relaxed);
                if (progress_->cancel.load(std::memory_order_relaxed))
                    return {};
            }
            if (!nextRecord())
                return std::move(out_);
            if (fields_.size() == 1 && !fields_[0].quoted && fields_[0].empty())
                continue; // a blank line
            // A file that ends in a byte no character begins with (a save cut
            // short) and holds nothing else has nothing to import.
            if (p_ == end_ && out_.records.empty() && fields_.size() == 1 && !fields_[0].quoted && noText(fields_[0]))
                continue;
            if (first) {
                first = false;
                if (trimmed(decodeBytes(fields_[0].b, fields_[0].e, enc_)) == QStringLiteral("日付"))
                    continue; // the header of a spreadsheet's columns
            }
            if (!takeRecord())
                return std::move(out_);
        }
        if (progress_)
            progress_->permille.store(1000);
        out_.ok = true;
        return std::move(out_);
    }

private:
    // The text of the line that starts at b, for messages: control
    // characters shown as "?" so that the box stays readable.
    QString lineText(const char* b) const
    {
        const char* e = b;
        while (e < end_ && *e != '\r' && *e != '\n')
            ++e;
        QString text = decodeBytes(b, e, enc_);
        for (QChar& c : text)
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.unicode() == 0xFFFD)
                c = QLatin1Char('?');
        if (text.size() > 200)
            text = text.left(200) + QStringLiteral("…");
        return text;
    }

    // "N 行目の" + reason, then the line as it reads.
    bool fail(const QString& reason, int line = 0)
    {
        // One pass: the line's own text may hold "%1".
        out_.fault = QStringLiteral("データファイルが不正です。\r\n\r\n%1 行目の%2\r\n\r\n  %3 行目: %4")
                         .arg(QString::number(line > 0 ? line : recordLine_), reason, QString::number(recordLine_),
                              lineText(recordBegin_));
        return false;
    }

    // The next record's fields; false (fault set) on a quote that does not close.
    bool nextRecord()
    {
        fields_.clear();
        recordLine_ = line_;
        recordBegin_ = p_;
        const char* p = p_;
        for (;;) {
            Field f;
            const char* q = p;
            while (q < end_ && *q == ' ')
                ++q;
            if (q < end_ && *q == '"') {
                f.quoted = true;
                f.rawB = q;
                f.b = ++q;
                for (;; ++q) {
                    if (q == end_)
                        return fail(QStringLiteral("「\"」で始まる項目が「\"」で閉じられていません。"));
                    if (*q == '"') {
                        if (q + 1 < end_ && q[1] == '"') {
                            f.doubled = true;
                            ++q;
                            continue;
                        }
                        break;
                    }
                    if (*q == '\n' || (*q == '\r' && (q + 1 == end_ || q[1] != '\n')))
                        ++line_; // a line end inside the quotes
                }
                f.e = q++;
                f.rawE = q;
                while (q < end_ && *q == ' ')
                    ++q;
                if (q < end_ && *q != ',' && *q != '\r' && *q != '\n')
                    return fail(QStringLiteral("「\"」で囲んだ項目の後に「,」以外の文字があります。"));
            } else {
                while (q < end_ && *q != ',' && *q != '\r' && *q != '\n')
                    ++q;
                f.rawB = p;
                f.rawE = q;
                f.b = p;
                f.e = q;
                while (f.b < f.e && *f.b == ' ')
                    ++f.b;
                while (f.e > f.b && f.e[-1] == ' ')
                    --f.e;
            }
            fields_.push_back(f);
            if (q < end_ && *q == ',') {
                p = q + 1;
                continue;
            }
            if (q < end_)
                q += (*q == '\r' && q + 1 < end_ && q[1] == '\n') ? 2 : 1;
            ++line_;
            p_ = q;
            return true;
        }
    }

    QString fieldText(const Field& f) const { return trimmed(decodeBytes(f.b, f.e, enc_)); }

    // Bytes that form no character at all.
    bool noText(const Field& f) const
    {
        const auto* b = reinterpret_cast<const unsigned char*>(f.b);
        const auto* e = reinterpret_cast<const unsigned char*>(f.e);
        for (const unsigned char* p = b; p < e; ++p)
            if ((enc_ == Encoding::Utf8 ? utf8Length(p, e) : cp932Length(p, e)) != 0 && *p >= 0x20)
                return false;
        return b != e;
    }

    bool takeRecord()
    {
        const qsizetype n = qsizetype(fields_.size());
        if (n >= 4 && looksLikeThousands(fields_[n - 1], fields_[n - 2]))
            return fail(QStringLiteral("金額「%1,%2」の「,」が桁区切りなのか項目の区切りなのか区別できません。"
                                       "金額を「\"」で囲む (例: \"12,345\") か、桁区切りの「,」を除いて下さい。")
                            .arg(fieldText(fields_[n - 2]), fieldText(fields_[n - 1])));
        if (n < 4)
            return fail(QStringLiteral("項目が %1 個しかありません。日付、費目、摘要項目、金額の 4 つの項目が必要です"
                                       " (摘要項目は空でもかまいません)。")
                            .arg(n));
        if (n > 5)
            return fail(QStringLiteral("項目が %1 個あります。取り込めるのは、日付、費目、摘要項目、金額の 4 項目の行か、"
                                       "Kanelo Y がエクスポートした日付、費目、摘要項目、出金、入金の 5 項目の行です。")
                            .arg(n));

        SourceRecord r;
        r.lineNo = recordLine_;
        if (!takeDate(fields_[0], r))
            return false;
        if (n == 4) {
            if (!takeAmount(fields_[3], QStringLiteral("金額"), r.amount))
                return false;
        } else {
            qint32 out = 0, in = 0;
            if (!takeAmount(fields_[3], QStringLiteral("出金"), out) || !takeAmount(fields_[4], QStringLiteral("入金"), in))
                return false;
            if (out != 0 && in != 0)
                return fail(QStringLiteral("出金「%1」と入金「%2」の両方に金額があります。").arg(out).arg(in));
            r.side = out != 0 ? 1 : in != 0 ? 2 : 0;
            r.amount = out != 0 ? out : in;
        }
        if (!takeNames(r))
            return false;
        if (r.year != 0 && r.year != year_) {
            if (out_.otherYear++ < 5)
                out_.otherYearLines << QStringLiteral("%1 行目: %2").arg(r.lineNo).arg(lineText(recordBegin_));
        }
        out_.records.push_back(r);
        return true;
    }

    bool takeDate(const Field& f, SourceRecord& r)
    {
        const std::string_view s(f.b, size_t(f.e - f.b));
        if (s.empty())
            return fail(QStringLiteral("日付がありません。") + kDateForms);
        auto digits = [&](size_t at, size_t len) {
            int v = 0;
            for (size_t i = at; i < at + len; ++i) {
                if (!isDigit(s[i]))
                    return -1;
                v = v * 10 + (s[i] - '0');
            }
            return v;
        };
        int year = 0, month = -1, day = -1;
        switch (s.size()) {
        case 4: month = digits(0, 2), day = digits(2, 2); break;
        case 5:
            if (s[2] == '/')
                month = digits(0, 2), day = digits(3, 2);
            break;
        case 8: year = digits(0, 4), month = digits(4, 2), day = digits(6, 2); break;
        case 10:
            if (s[4] == '/' && s[7] == '/')
                year = digits(0, 4), month = digits(5, 2), day = digits(8, 2);
            break;
        default: break;
        }
        if (year < 0 || month < 0 || day < 0)
            return fail(QStringLiteral("日付「%1」の形が正しくありません。").arg(fieldText(f)) + kDateForms);
        if (month < 1 || month > 12 || !QDate(year > 0 ? year : (year_ > 0 ? year_ : 2000), month, day).isValid())
            return fail(QStringLiteral("日付「%1」は存在しない日付です。").arg(fieldText(f)));
        r.year = quint16(year);
        r.month = quint8(month);
        r.day = quint8(day);
        return true;
    }

    bool takeAmount(const Field& f, const QString& what, qint32& value)
    {
        if (f.empty())
            return fail(QStringLiteral("%1がありません。").arg(what));
        const auto v = amountValue(f);
        if (!v)
            return fail(QStringLiteral("%1「%2」が数値ではありません。金額は半角の数字で書いて下さい。").arg(what, fieldText(f)));
        if (!fitsInt32(*v))
            return fail(QStringLiteral("%1「%2」が大きすぎます。金額は -2,147,483,648 から 2,147,483,647 までです。").arg(what, fieldText(f)));
        value = qint32(*v);
        return true;
    }

    // The physical line of a byte inside the record and its position there (1-based).
    std::pair<int, qsizetype> whereIs(const char* at) const
    {
        int line = recordLine_;
        const char* start = recordBegin_;
        for (const char* p = recordBegin_; p < at; ++p) {
            if (*p == '\n' || (*p == '\r' && (p + 1 == end_ || p[1] != '\n'))) {
                ++line;
                start = p + 1;
            }
        }
        return {line, at - start + 1};
    }

    // A byte that makes a name unusable, with its position in its line
    // (only the character when the file was converted before reading).
    bool failAt(const char* at, const QString& why)
    {
        const auto [line, column] = whereIs(at);
        const QString hex = QStringLiteral("0x") + QString::number(uchar(*at), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        if (!byteOffsets_)
            return fail(QStringLiteral("文字 (%1) は%2").arg(hex, why), line);
        return fail(QStringLiteral(" %1 バイト目 (%2) は%3").arg(column).arg(hex, why), line);
    }

    // A name field decoded, or a fault naming the byte that makes it unusable.
    std::optional<QString> name(const Field& f, bool isCategory)
    {
        const auto* b = reinterpret_cast<const unsigned char*>(f.b);
        const auto* e = reinterpret_cast<const unsigned char*>(f.e);
        const bool utf8 = enc_ == Encoding::Utf8;
        for (const unsigned char* p = b; p < e;) {
            const char* at = reinterpret_cast<const char*>(p);
            if (*p == '\r' || *p == '\n') {
                fail(QStringLiteral("%1「%2」に改行があります。費目名と摘要項目名には改行を使えません。")
                         .arg(isCategory ? QStringLiteral("費目名") : QStringLiteral("摘要項目名"), decodeBytes(f.b, at, enc_)));
                return std::nullopt;
            }
            if (*p < 0x20 || *p == 0x7F) {
                failAt(at, QStringLiteral("制御文字です。名前に制御文字は使えません。"));
                return std::nullopt;
            }
            const int n = utf8 ? utf8Length(p, e) : cp932Length(p, e);
            if (n == 0) {
                failAt(at, utf8 ? QStringLiteral(" UTF-8 の文字として正しくありません。")
                                : QStringLiteral("シフトJIS (CP932) の文字として正しくありません。"));
                return std::nullopt;
            }
            p += n;
        }
        const QByteArray bytes = f.bytes();
        QStringDecoder dec(utf8 ? "UTF-8" : "windows-31j");
        QString text = dec.decode(bytes);
        if (dec.hasError() && !utf8) {
            // A pair of the right form that the code page leaves unassigned.
            for (const unsigned char* p = b; p < e; p += cp932Length(p, e)) {
                QStringDecoder one("windows-31j");
                const QString decoded = one.decode(QByteArrayView(reinterpret_cast<const char*>(p), cp932Length(p, e)));
                if (one.hasError() || decoded.contains(QChar::ReplacementCharacter)) {
                    failAt(reinterpret_cast<const char*>(p), QStringLiteral("シフトJIS (CP932) に割り当てのない文字です。"));
                    return std::nullopt;
                }
            }
        }
        text = trimmed(text);
        if (isCategory && text.isEmpty())
            text = kUnsetCategory;
        return text;
    }

    bool takeNames(SourceRecord& r)
    {
        const Field& category = fields_[1];
        const Field& sub = fields_[2];
        // Lines that spell both names alike share one entry; spellings that
        // differ only in case or quoting become one category when registered.
        const std::string_view key(category.rawB, size_t(sub.rawE - category.rawB));
        const auto [at, added] = names_.try_emplace(key, int(out_.names.size()));
        r.names = at->second;
        if (!added)
            return true;
        const auto c = name(category, true);
        if (!c)
            return false;
        const auto s = name(sub, false);
        if (!s)
            return false;
        out_.names.push_back({*c, *s, recordLine_, lineText(recordBegin_)});
        return true;
    }

    const char* const begin_;
    const char* const end_;
    const char* p_;
    const Encoding enc_;
    const int year_;
    const bool byteOffsets_;
    ReadProgress* const progress_;

    int line_ = 1;
    int recordLine_ = 1;
    const char* recordBegin_ = nullptr;
    std::vector<Field> fields_;
    std::unordered_map<std::string_view, int> names_;
    ParsedSource out_;
};

ParsedSource refused(const QString& why)
{
    ParsedSource out;
    out.fault = QStringLiteral("データファイルが不正です。\r\n\r\n") + why;
    return out;
}
}

ParsedSource parseSource(const QByteArray& input, int year, ReadProgress* progress)
{
    QByteArray bytes = input;
    Encoding enc = Encoding::Cp932;
    bool byteOffsets = true;
    qsizetype skip = 0;
    const bool le = bytes.startsWith("\xFF\xFE");
    if (le || bytes.startsWith("\xFE\xFF")) {
        // UTF-16 is read through UTF-8; positions then no longer match the file's bytes.
        QStringDecoder dec(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString text = dec.decode(QByteArrayView(bytes).sliced(2));
        bool broken = dec.hasError() || bytes.size() % 2 != 0;
        for (qsizetype i = 0; i < text.size() && !broken; ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            else
                broken = text[i].isSurrogate();
        }
        if (broken)
            return refused(QStringLiteral("UTF-16 のファイルとして正しくない部分があるため、読み込めません。\r\n\r\n"
                                          "シフトJIS (CP932) か UTF-8 で保存し直して下さい。"));
        bytes = text.toUtf8();
        enc = Encoding::Utf8;
        byteOffsets = false;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        enc = Encoding::Utf8;
        skip = 3;
    } else if (utf8WithText(bytes)) {
        enc = Encoding::Utf8;
    }
    Reader reader(bytes.constData() + skip, bytes.constData() + bytes.size(), enc, year, byteOffsets, progress);
    return reader.run();
}

ParsedSource readSourceFile(const QString& path, int year, ReadProgress* progress)
{
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        ParsedSource out;
        out.fault = QStringLiteral("データファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(QDir::toNativeSeparators(path), file.error);
        return out;
    }
    return parseSource(file.bytes, year, progress);
}

}
