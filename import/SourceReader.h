#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <vector>

// The import source read as the user meant it, knowing nothing of windows
// or of the ledger's categories, so it may run on any thread.
//
// Lines are CSV (RFC 4180): fields separated by ",", a field in double
// quotes may hold commas, doubled quotes and line ends; lines end at CR LF,
// LF or a lone CR. The text is CP932, UTF-8 (with or without a byte order
// mark) or UTF-16 with its byte order mark. A line holds four fields (date,
// category, sub-item, amount) or the five of the ledger's own CSV export
// (date, category, sub-item, expense, income); a first line whose first
// field is "日付" is a header.
namespace Import {

// One booking of the source.
struct SourceRecord {
    int lineNo = 0;   // the line it starts on
    int names = 0;    // index into ParsedSource::names
    qint32 amount = 0;
    quint16 year = 0; // the date's own year; 0 when the date gives none
    quint8 month = 0;
    quint8 day = 0;
    quint8 side = 0; // 0 by the category's kind; 1 expense, 2 income (the export's columns)
};

// A category and sub-item as first met (the spelling of that line).
struct SourceNames {
    QString category; // "未設定費目" for an empty field
    QString sub;      // empty for none
    int lineNo = 0;
    QString lineText;
};

struct ParsedSource {
    bool ok = false;
    QString fault; // the whole message, naming the line and the reason, when !ok
    std::vector<SourceRecord> records;
    std::vector<SourceNames> names;
    // Bookings dated in a year other than the import year: how many, and
    // the first few as "N 行目: text".
    int otherYear = 0;
    QStringList otherYearLines;
};

// Polled while reading: progress in thousandths of the bytes read so far,
// and a request to stop (the result then does not matter).
struct ReadProgress {
    std::atomic<int> permille{0};
    std::atomic<bool> cancel{false};
};

// Reads source bytes for the import year `year` (a date's month and day must
// exist in its own year, or in `year` when it names none).
ParsedSource parseSource(const QByteArray& bytes, int year, ReadProgress* progress = nullptr);
// The same on a file; a file that cannot be read is a fault too.
ParsedSource readSourceFile(const QString& path, int year, ReadProgress* progress = nullptr);

// The name given to bookings without a category.
extern const QString kUnsetCategory; // "未設定費目"

}
