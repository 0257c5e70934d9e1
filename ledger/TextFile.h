#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The data files are Japanese ANSI code page text (CP932) with CR LF line
// ends. Files are read and written whole; writes replace the old file only
// once the new one is complete.
//
// Readers are lenient about what editors make of a file: a line ends at CR
// LF, LF or a lone CR; a UTF-8 byte order mark is skipped; a file that is
// valid UTF-8 holding non-ASCII text is read as UTF-8. Writers always write
// CP932 with CR LF.
namespace TextFile {

// Whether this build can convert CP932 at all. Without it no file can be
// read or written correctly; the programs say so and end.
bool codecAvailable();
// The message for that case.
QString codecMissingMessage();
// Tests name a codec that does not exist to see the programs refuse.
void setCodecName(const char* name);

// Decodes file bytes: UTF-8 (without its byte order mark) when they are
// valid UTF-8 with non-ASCII text, CP932 otherwise.
QString decode(const QByteArray& bytes);
// Encodes text to CP932. Returns false, and the first character that the
// code page cannot hold in badChar, when the text does not fit.
bool encode(const QString& text, QByteArray& out, QString* badChar = nullptr);
bool canEncode(const QString& text);

// The length of a UTF-8 byte order mark at the start of bytes (3 or 0).
qsizetype bomLength(const char* b, const char* e);

// Calls f(begin, end, lineNumber) for each line of raw bytes, without its
// line end. CR and LF are never part of a double-byte CP932 or UTF-8
// character, so splitting before decoding is safe. A final line end does
// not start another line.
template <typename F>
void forEachLine(const char* p, const char* end, F&& f)
{
    for (int lineNo = 1; p < end; ++lineNo) {
        const char* e = p;
        while (e < end && *e != '\n' && *e != '\r')
            ++e;
        const char* next = e;
        if (next < end)
            next += (*next == '\r' && next + 1 < end && next[1] == '\n') ? 2 : 1;
        f(p, e, lineNo);
        p = next;
    }
}

struct ReadResult {
    bool ok = false;
    QString error;     // why the file could not be read, in Japanese
    QStringList lines; // without line ends
};
ReadResult readLines(const QString& path);

struct BytesResult {
    bool ok = false;
    QString error;
    QByteArray bytes;
};
// The whole file as it lies on disk.
BytesResult readBytes(const QString& path);

// Splits decoded text into lines at CR LF, LF or a lone CR.
QStringList splitLines(const QString& text);

struct WriteResult {
    bool ok = false;
    QString error; // a Japanese sentence for the user: no space, no permission, read-only, ...
};
// Writes bytes to path through a temporary file.
WriteResult writeBytes(const QString& path, const QByteArray& bytes);
// Encodes lines, each followed by CR LF, and writes them. Text the code page
// cannot hold is refused before anything is written.
WriteResult writeLines(const QString& path, const QStringList& lines);

}
