#pragma once

#include <QFileInfo>
#include <QList>
#include <QString>
#include <algorithm>
#include <initializer_list>

// What a reader of one of the ledger's files found: the data it read, the
// lines it passed over and why, or why it could not read the file at all.
// Readers never speak to the user; whoever calls them words the outcome,
// so each caller can say it in its own window's terms.

// A line a reader did not take as it stands.
struct SkippedLine {
    enum class Reason {
        Malformed, // breaks the layout of the file
        Repeated,  // a number, name or day already read from an earlier line
        Orphan,    // a sub-item line whose category the file does not hold
        OddType,   // a category of a type neither 1 nor 2: read all the same, as income
    };
    int line = 0; // from 1
    Reason reason = Reason::Malformed;

    friend bool operator==(const SkippedLine&, const SkippedLine&) = default;
};

enum class ReadError {
    None,
    Missing,    // no file at the path
    Unreadable, // there, but it cannot be read (errorText says why)
};

template <typename T>
struct FileRead {
    T data;
    QList<SkippedLine> skipped; // in line order
    ReadError error = ReadError::None;
    QString errorText; // why an unreadable file could not be read, in Japanese

    bool ok() const { return error == ReadError::None; }

    // The numbers of the lines passed over for one of these reasons.
    QList<int> lines(std::initializer_list<SkippedLine::Reason> reasons) const
    {
        QList<int> out;
        for (const SkippedLine& s : skipped)
            if (std::find(reasons.begin(), reasons.end(), s.reason) != reasons.end())
                out << s.line;
        return out;
    }

    // The file at path could not be read for the reason given: missing
    // when nothing is there, else unreadable.
    void failAt(const QString& path, const QString& text)
    {
        error = QFileInfo::exists(path) ? ReadError::Unreadable : ReadError::Missing;
        errorText = text;
    }
};
