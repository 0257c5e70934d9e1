#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The data files are Japanese ANSI code page text (CP932) with CR LF line
// ends. Files are read and written whole; writes replace the old file only
// once the new one is complete.
namespace TextFile {

// Decodes CP932 bytes.
QString decode(const QByteArray& bytes);
// Encodes text to CP932. Returns false, and the first character that the
// code page cannot hold in badChar, when the text does not fit.
bool encode(const QString& text, QByteArray& out, QString* badChar = nullptr);
bool canEncode(const QString& text);

struct ReadResult {
    bool ok = false;
    QString error;     // why the file could not be read
    QStringList lines; // without line ends; LF-only files are accepted too
};
ReadResult readLines(const QString& path);

struct BytesResult {
    bool ok = false;
    QString error;
    QByteArray bytes;
};
// The whole file as it lies on disk.
BytesResult readBytes(const QString& path);

// Splits decoded text into lines at CR LF or LF.
QStringList splitLines(const QString& text);

struct WriteResult {
    bool ok = false;
    QString error; // a sentence for the user
};
// Writes bytes to path through a temporary file.
WriteResult writeBytes(const QString& path, const QByteArray& bytes);
// Encodes lines, each followed by CR LF, and writes them. Text the code page
// cannot hold is refused before anything is written.
WriteResult writeLines(const QString& path, const QStringList& lines);

}
