#pragma once

#include "recurring/TeikiRule.h"

#include <QList>
#include <QStringList>

// The rules file Teiki.zbt in the data folder: CP932, CR LF, a header in
// the style of the master, then one rule a line:
//
//   ccss:amount:day:months:first:last:on:applied:name
//   0301:78000:27:*:2026/01::1:2026/03:家賃
//
// category and sub-item numbers ("00" for none), the amount, the day, the
// months ("*" or "6,12"), the first and last month (empty for none), "1"
// on / "0" off, the last month applied of each year ("2025/12,2026/03") and
// the name, which may hold ":". A missing file holds no rules; a line the
// reader cannot use is kept as it is and written back after the rules.
namespace TeikiFile {

QString fileName(); // "Teiki.zbt"
QString path();     // in the data folder

struct Contents {
    std::vector<TeikiRule> rules;
    QStringList kept;       // lines that are no rule, as they were
    QList<int> keptLines;   // their line numbers
};

struct ReadResult {
    bool ok = true;
    QString error; // why an existing file could not be read
    Contents contents;
};
ReadResult read(const QString& path);

// The lines as they are written; a rule's name may not break a line or
// leave the code page (checked by the window before it gets here).
QStringList lines(const Contents& contents);
// False with a sentence for the user when the file could not be written;
// the old file is intact then.
bool write(const QString& path, const Contents& contents, QString* error);

bool parseLine(const QString& line, TeikiRule& rule);
QString lineOf(const TeikiRule& rule);

}
