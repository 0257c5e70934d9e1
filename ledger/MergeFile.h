#pragma once

#include "Types.h"

#include <QByteArray>
#include <QList>
#include <vector>

// The merge file yyyy_add.zbl that the import tool leaves for the ledger:
// the year file's header and entry lines, no carry line, no balance line.
namespace MergeFile {

struct Line {
    int lineNo = 0;
    Entry entry; // the amount in `out`; the category's kind decides later
};

struct Parsed {
    std::vector<Line> entries;
    QList<int> skipped; // lines that are neither comments nor entry lines
};

// Reads the raw bytes of a merge file. Needs nothing else, so it can be
// handed any bytes at all.
Parsed parse(const QByteArray& bytes);

}
