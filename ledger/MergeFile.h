#pragma once

#include "ledger/FileRead.h"
#include "ledger/Types.h"

#include <QByteArray>
#include <vector>

// The merge file yyyy_add.zbl that the import tool leaves for the ledger:
// the year file's header and entry lines, no carry line, no balance line.
namespace MergeFile {

struct Line {
    int lineNo = 0;
    Entry entry; // the amount in `out`; the category's kind decides later
};

using Parsed = FileRead<std::vector<Line>>;

// Reads the raw bytes of a merge file. Needs nothing else, so it can be
// handed any bytes at all.
Parsed parse(const QByteArray& bytes);
// Reads the merge file at path.
Parsed read(const QString& path);

}
