#include "TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {

namespace {
const char* const kCodec = "windows-31j";
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder dec(kCodec);
    if (!dec.isValid())
        return QString::fromLatin1(bytes);
    return dec.decode(bytes);
}

bool encode(const QString& text, QByteArray& out, QString* badChar)
{
    QStringEncoder enc(kCodec);
    out = enc.encode(text);
    // The encoder substitutes what it cannot map, so a round trip tells.
    if (!enc.hasError() && decode(out) == text)
        return true;
    if (badChar) {
        badChar->clear();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            const QString one = text.mid(i, len);
            QStringEncoder e1(kCodec);
            const QByteArray b = e1.encode(one);
            if (e1.hasError() || decode(b) != one) {
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
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    // A final line end does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

BytesResult readBytes(const QString& path)
{
    BytesResult r;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        r.error = f.errorString();
        return r;
    }
    r.bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        r.error = f.errorString();
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

ReadResult readLines(const QString& path)
{
    ReadResult r;
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
        r.error = f.errorString();
        return r;
    }
    // The buffered rest is written by flush(); commit() would report success
    // after a short write there (a full disk) and replace the file with the
    // truncated one, so the flush is checked here.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        r.error = f.errorString();
        f.cancelWriting();
        return r;
    }
    if (!f.commit()) {
        r.error = f.errorString();
        return r;
    }
    r.ok = true;
    return r;
}

WriteResult writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines) {
        QByteArray b;
        QString bad;
        if (!encode(l, b, &bad)) {
            WriteResult r;
            r.error = QStringLiteral("「%1」の文字「%2」は保存できない文字です。").arg(l, bad);
            return r;
        }
        bytes += b;
        bytes += "\r\n";
    }
    return writeBytes(path, bytes);
}

}
