#include "ledger/MergeFile.h"

#include "ledger/ImportHandOff.h"
#include "ledger/LedgerModel.h"
#include "ledger/TextFile.h"

#include <QFileInfo>
#include <algorithm>
#include <bitset>
#include <iterator>
#include <set>

namespace MergeFile {

// Entry lines are ASCII, so the raw bytes split and trim like the decoded
// text, with the year file's line-end rule (CR LF, LF or a lone CR).
Parsed parse(const QByteArray& bytes)
{
    Parsed out;
    const char* const begin = bytes.constData();
    const char* const end = begin + bytes.size();
    TextFile::forEachLine(begin + TextFile::bomLength(begin, end), end, [&](const char* b, const char* e, int lineNo) {
        while (b < e && *b == ' ')
            ++b;
        while (e > b && e[-1] == ' ')
            --e;
        if (b == e || *b == 'C' || *b == '*')
            return;
        Line line{lineNo, {}};
        if (LedgerModel::parseEntryBytes(b, e, line.entry))
            out.data.push_back(line);
        else
            out.skipped.push_back({lineNo, SkippedLine::Reason::Malformed});
    });
    return out;
}

Parsed read(const QString& path)
{
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        Parsed out;
        out.failAt(path, file.error);
        return out;
    }
    return parse(file.bytes);
}

}

QString LedgerModel::mergePath(int year) const { return HandOff::mergeFilePath(year); }

bool LedgerModel::mergeFileBytes(int year, const QString& token, QByteArray& out)
{
    out = yearFileHeader(year);
    if (out.isEmpty()) {
        reportWriteFailure(mergePath(year), TextFile::codecMissingMessage());
        return false;
    }
    // The token goes among the header's comment lines, before its empty line.
    if (!token.isEmpty())
        out.insert(out.size() - 2, HandOff::tokenLine(token));
    qint64 sumOut = 0, sumIn = 0;
    return appendEntryLines(out, sumOut, sumIn);
}

bool LedgerModel::WriteMergeFile(int year, const QString& token)
{
    QByteArray out;
    return mergeFileBytes(year, token, out) && commitFiles({{mergePath(year), out}});
}

bool LedgerModel::ReadMergeFile(int year, std::vector<Entry>& entries)
{
    const QString path = mergePath(year);
    const MergeFile::Parsed parsed = MergeFile::read(path);
    if (!parsed.ok()) {
        prompter_->message(QStringLiteral("取込データファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, parsed.errorText),
                           Prompter::Icon::Warning);
        return false;
    }

    std::array<const clsHimoku*, 100> categoryAt{};
    std::array<std::bitset<100>, 100> subAt{};
    for (const auto& c : categoryList_) {
        const int n = c.item->no.toInt();
        if (n < 1 || n > 99)
            continue;
        categoryAt[n] = c.item.get();
        for (const auto& t : c.item->nTekiyo)
            if (const int s = t.item->no.toInt(); s >= 1 && s <= 99)
                subAt[n].set(s);
    }

    // One warning per missing number, not one per line: a whole category
    // of a large import would otherwise bury the user in boxes.
    std::set<int> reported;
    entries.clear();
    entries.reserve(parsed.data.size());
    for (const MergeFile::Line& line : parsed.data) {
        Entry e = line.entry;
        const clsHimoku* cat = categoryAt[e.categoryNo];
        if (!cat) {
            if (reported.insert(e.categoryNo).second)
                reportDeletedCategory(e.category());
            continue;
        }
        if (e.subNo != 0 && !subAt[e.categoryNo].test(e.subNo)) {
            if (reported.insert(e.categoryNo * 100 + e.subNo).second)
                reportDeletedSub(cat->name, e.sub());
            e.subNo = 0;
        }
        if (cat->ioflag != 1)
            std::swap(e.out, e.in);
        entries.push_back(e);
    }
    reportSkippedLines(QFileInfo(path).fileName(), parsed.lines({SkippedLine::Reason::Malformed}));
    return true;
}

bool LedgerModel::MergeAddFile(int year, int* merged)
{
    std::vector<Entry> entries;
    if (!ReadMergeFile(year, entries))
        return false;
    if (merged)
        *merged = int(entries.size());
    InsertEntries(std::move(entries));
    return true;
}

// The same result as filing the entries one by one with InsertEntry, in one
// pass per month. In a month in day order each new entry lands before the
// first existing entry of the same or a later day, and the new entries in
// front of one existing entry end up by day, same days in reverse order of
// arrival. A month out of day order (a year written by the import tool on its
// own keeps its source order) takes the entries one by one.
void LedgerModel::InsertEntries(std::vector<Entry> entries)
{
    std::array<std::vector<Entry>, 12> byMonth;
    for (Entry& e : entries) {
        if (!e.hasDate() || e.month() > 12)
            continue;
        if (e.id == 0)
            e.id = nextEntryId();
        byMonth[e.month() - 1].push_back(e);
    }
    for (int month = 1; month <= 12; ++month) {
        std::vector<Entry>& incoming = byMonth[month - 1];
        if (incoming.empty())
            continue;
        const auto byDay = [](const Entry& a, const Entry& b) { return a.dayNo < b.dayNo; };
        if (!std::is_sorted(slot(month).entries.begin(), slot(month).entries.end(), byDay)) {
            for (Entry& e : incoming)
                InsertEntry(std::move(e));
            continue;
        }
        // Later arrivals of one day go first; then a stable merge puts each
        // day's new entries before the existing entries of that day.
        std::reverse(incoming.begin(), incoming.end());
        std::stable_sort(incoming.begin(), incoming.end(), byDay);
        MonthSlot& s = editSlot(month);
        for (const Entry& e : incoming) {
            s.totalOut += e.out;
            s.totalIn += e.in;
        }
        std::vector<Entry> merged;
        merged.reserve(s.entries.size() + incoming.size());
        std::merge(incoming.begin(), incoming.end(), s.entries.begin(), s.entries.end(), std::back_inserter(merged), byDay);
        s.entries = std::move(merged);
        emit entriesChanged(month);
    }
}
