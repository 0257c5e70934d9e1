#include "MergeFile.h"

#include "LedgerModel.h"
#include "ProgramFolder.h"
#include "TextFile.h"

#include <QFileInfo>
#include <algorithm>
#include <bitset>
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
            out.entries.push_back(line);
        else
            out.skipped << lineNo;
    });
    return out;
}

}

QString LedgerModel::mergePath(int year) const { return programFile(QString::number(year) + QStringLiteral("_add.zbl")); }

bool LedgerModel::WriteMergeFile(int year)
{
    const QString path = mergePath(year);
    QByteArray out = yearFileHeader(year);
    if (out.isEmpty()) {
        reportWriteFailure(path, TextFile::codecMissingMessage());
        return false;
    }
    qint64 sumOut = 0, sumIn = 0;
    if (!appendEntryLines(out, sumOut, sumIn))
        return false;
    const TextFile::WriteResult r = TextFile::writeBytes(path, out);
    if (!r.ok) {
        reportWriteFailure(path, r.error);
        return false;
    }
    return true;
}

bool LedgerModel::MergeAddFile(int year)
{
    const QString path = mergePath(year);
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        prompter_->message(QStringLiteral("取込データファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.error),
                           Prompter::Icon::Warning);
        return false;
    }
    const MergeFile::Parsed parsed = MergeFile::parse(file.bytes);

    std::array<const clsHimoku*, 100> categoryAt{};
    std::array<std::bitset<100>, 100> subAt{};
    for (const auto& c : categoryList) {
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
    std::vector<Entry> entries;
    entries.reserve(parsed.entries.size());
    for (const MergeFile::Line& line : parsed.entries) {
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
    InsertEntries(std::move(entries));
    reportSkippedLines(QFileInfo(path).fileName(), parsed.skipped);
    return true;
}

// InsertEntry puts an entry before the first entry of its month whose day is
// the same or later. Done one by one, every new entry therefore lands just
// before the first existing entry X[j] with day >= its day (existing entries
// need not be in day order), and the new entries in front of one X[j] end
// up by day, same days in reverse order of arrival. This builds that result
// directly.
void LedgerModel::InsertEntries(std::vector<Entry> entries)
{
    std::array<std::vector<std::pair<int, Entry>>, 12> byMonth; // (arrival, entry)
    for (int i = 0; i < int(entries.size()); ++i) {
        Entry& e = entries[i];
        if (!e.hasDate() || e.month() > 12)
            continue;
        if (e.id == 0)
            e.id = nextEntryId();
        byMonth[e.month() - 1].push_back({i, e});
    }
    for (int month = 1; month <= 12; ++month) {
        auto& incoming = byMonth[month - 1];
        if (incoming.empty())
            continue;
        MonthSlot& s = slot(month);
        std::vector<int> runningMax(s.entries.size());
        int top = 0;
        for (size_t k = 0; k < s.entries.size(); ++k)
            runningMax[k] = top = std::max(top, s.entries[k].day());
        // (position of X[j], day, arrival) sorted: j ascending, day ascending, later arrivals first.
        std::vector<std::tuple<size_t, int, int>> order;
        order.reserve(incoming.size());
        for (size_t k = 0; k < incoming.size(); ++k) {
            const int day = incoming[k].second.day();
            const size_t j = size_t(std::lower_bound(runningMax.begin(), runningMax.end(), day) - runningMax.begin());
            order.emplace_back(j, day, -incoming[k].first);
        }
        std::vector<size_t> index(incoming.size());
        for (size_t k = 0; k < index.size(); ++k)
            index[k] = k;
        std::sort(index.begin(), index.end(), [&](size_t a, size_t b) { return order[a] < order[b]; });

        std::vector<Entry> merged;
        merged.reserve(s.entries.size() + incoming.size());
        size_t next = 0;
        for (size_t j = 0; j <= s.entries.size(); ++j) {
            while (next < index.size() && std::get<0>(order[index[next]]) == j) {
                const Entry& e = incoming[index[next++]].second;
                s.totalOut += e.out;
                s.totalIn += e.in;
                merged.push_back(e);
            }
            if (j < s.entries.size())
                merged.push_back(s.entries[j]);
        }
        s.entries = std::move(merged);
    }
}
