#include "ledger/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {

namespace {
const char* codec = "windows-31j";

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF,
// no sequence cut off at the end. Sets nonAscii when a multi-byte
// character occurs.
bool validUtf8(const unsigned char* p, const unsigned char* e, bool& nonAscii)
{
    nonAscii = false;
    while (p < e) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        nonAscii = true;
        int n = 0;
        unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (e - p <= n || p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= n; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        p += n + 1;
    }
    return true;
}

QString readFailureText(const QString& path)
{
    const QFileInfo fi(path);
    if (fi.isDir())
        return QStringLiteral("同じ名前のフォルダがあるため、ファイルとして読み込めません。");
    if (!fi.exists())
        return QStringLiteral("ファイルが見つかりません。");
    if (!fi.isReadable())
        return QStringLiteral("ファイルを読み込む権限がありません。");
    return QStringLiteral("ディスクからの読み込みに失敗しました。");
}

// Why a write failed, found out after the failure; the most specific cause wins.
QString writeFailure(const QString& path, QFileDevice::FileError error, qint64 size)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir())
        return QStringLiteral("同じ名前のフォルダがあるため、ファイルを作成できません。");
    if (!folder.isDir())
        return QStringLiteral("保存先のフォルダが見つかりません。");
    const QStorageInfo drive(folder.absoluteFilePath());
    if (drive.isValid() && drive.isReadOnly())
        return QStringLiteral("保存先のドライブが読み取り専用のため、書き込めません。");
    if (file.isFile() && !file.isWritable())
        return QStringLiteral("ファイルが読み取り専用になっているため、書き込めません。");
    if (!folder.isWritable())
        return QStringLiteral("保存先のフォルダに書き込む権限がありません。");
    if (error == QFileDevice::ResourceError || (drive.isValid() && drive.bytesAvailable() >= 0 && drive.bytesAvailable() < size))
        return QStringLiteral("ディスクの空き容量が足りません。");
    return QStringLiteral("ディスクへの書き込みに失敗しました。");
}
}

bool codecAvailable() { return QStringDecoder(codec).isValid() && QStringEncoder(codec).isValid(); }

QString codecMissingMessage()
{
    return QStringLiteral("日本語の文字コード (シフトJIS / CP932) を変換する機能がこの環境にないため、"
                          "家計簿のファイルを正しく読み書きできません。");
}

void setCodecName(const char* name) { codec = name; }

qsizetype bomLength(const char* b, const char* e)
{
    return (e - b >= 3 && b[0] == '\xEF' && b[1] == '\xBB' && b[2] == '\xBF') ? 3 : 0;
}

QString decode(const QByteArray& bytes)
{
    const char* b = bytes.constData();
    const char* e = b + bytes.size();
    b += bomLength(b, e);
    const QByteArrayView body(b, e - b);
    bool nonAscii = false;
    if (validUtf8(reinterpret_cast<const unsigned char*>(b), reinterpret_cast<const unsigned char*>(e), nonAscii)
        && nonAscii)
        return QString::fromUtf8(body);
    QStringDecoder dec(codec);
    if (!dec.isValid())
        return QString::fromLatin1(body);
    return dec.decode(body);
}

bool encode(const QString& text, QByteArray& out, QString* badChar)
{
    QStringEncoder enc(codec);
    if (!enc.isValid()) {
        out.clear();
        if (badChar)
            badChar->clear();
        return false;
    }
    out = enc.encode(text);
    // The encoder substitutes what it cannot map, so a round trip tells.
    QStringDecoder dec(codec);
    if (!enc.hasError() && dec.decode(out) == text)
        return true;
    if (badChar) {
        badChar->clear();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            const QString one = text.mid(i, len);
            QStringEncoder e1(codec);
            QStringDecoder d1(codec);
            const QByteArray b = e1.encode(one);
            if (e1.hasError() || d1.decode(b) != one) {
                *badChar = one;
                break;
            }
            i += len - 1;
        }
    }
    return false;
}

bool canEncode(const QString& text)
{
    QByteArray b;
    return encode(text, b);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const QChar* p = text.constData();
    const QChar* const end = p + text.size();
    while (p < end) {
        const QChar* e = p;
        while (e < end && *e != QLatin1Char('\n') && *e != QLatin1Char('\r'))
            ++e;
        lines << QString(p, e - p);
        if (e < end)
            e += (*e == QLatin1Char('\r') && e + 1 < end && e[1] == QLatin1Char('\n')) ? 2 : 1;
        p = e;
    }
    return lines;
}

BytesResult readBytes(const QString& path)
{
    BytesResult r;
    QFile f(path);
    if (QFileInfo(path).isDir() || !f.open(QIODevice::ReadOnly)) {
        r.error = readFailureText(path);
        return r;
    }
    r.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = readFailureText(path);
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

ReadResult readLines(const QString& path)
{
    ReadResult r;
    if (!codecAvailable()) {
        r.error = codecMissingMessage();
        return r;
    }
    const BytesResult b = readBytes(path);
    r.error = b.error;
    if (!b.ok)
        return r;
    r.lines = splitLines(decode(b.bytes));
    r.ok = true;
    return r;
}

WriteResult writeBytes(const QString& path, const QByteArray& bytes)
{
    WriteResult r;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        r.error = writeFailure(path, f.error(), bytes.size());
        return r;
    }
    // The buffered rest is written by flush(); commit() would report success
    // after a short write there (a full disk) and replace the file with the
    // truncated one, so the flush is checked here.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        const QFileDevice::FileError error = f.error();
        f.cancelWriting();
        r.error = writeFailure(path, error, bytes.size());
        return r;
    }
    if (!f.commit()) {
        r.error = writeFailure(path, f.error(), bytes.size());
        return r;
    }
    r.ok = true;
    return r;
}

WriteResult writeLines(const QString& path, const QStringList& lines)
{
    if (!codecAvailable())
        return {false, codecMissingMessage()};
    QByteArray bytes;
    for (const QString& l : lines) {
        QByteArray b;
        QString bad;
        if (!encode(l, b, &bad))
            return {false, QStringLiteral("「%1」の文字「%2」は保存できない文字です。").arg(l, bad)};
        bytes += b;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

}
