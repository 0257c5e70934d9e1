#include "ledger/BackupRestore.h"

#include "ledger/LedgerModel.h"
#include "ledger/LineText.h"
#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace Backups {

namespace {
const QString kTitle = QStringLiteral("バックアップから復元");

// The balance line of a year file's bytes.
std::optional<qint64> balanceLine(const QByteArray& bytes)
{
    std::optional<qint64> balance;
    const char* const begin = bytes.constData();
    const char* const end = begin + bytes.size();
    TextFile::forEachLine(begin + TextFile::bomLength(begin, end), end, [&](const char* b, const char* e, int) {
        while (b < e && *b == ' ')
            ++b;
        if (!balance && b < e && *b == '$') {
            bool ok = false;
            const qint64 v = trimSpaces(QString::fromLatin1(b + 1, e - b - 1)).toLongLong(&ok);
            if (ok)
                balance = v;
        }
    });
    return balance;
}

// The category numbers a master's bytes hold ("nn00name:...").
QSet<int> categoryNumbers(const QByteArray& bytes)
{
    QSet<int> numbers;
    for (const QString& raw : TextFile::splitLines(TextFile::decode(bytes))) {
        const QString line = trimSpaces(raw);
        if (line.size() > 4 && isTwoDigits(QStringView(line).left(2), 1, 99) && QStringView(line).mid(2, 2) == u"00"
            && line.indexOf(QLatin1Char(':')) > 4)
            numbers.insert(line.left(2).toInt());
    }
    return numbers;
}

// Entries of the open year whose category the master would no longer hold.
int entriesLost(const LedgerModel& m, const QSet<int>& kept, QSet<int>& gone)
{
    int n = 0;
    for (const MonthSlot& s : m.monthSlots())
        for (const Entry& e : s.entries)
            if (!kept.contains(e.categoryNo)) {
                gone.insert(e.categoryNo);
                ++n;
            }
    return n;
}

QString timeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")); }
}

Kind kindOf(const QString& fileName, int* year)
{
    static const QRegularExpression dated(QStringLiteral("^(\\d{4})\\.(zbl|zbm)$"));
    if (fileName == QLatin1String("MainSub.zbt"))
        return Kind::Master;
    const auto m = dated.match(fileName);
    if (!m.hasMatch())
        return Kind::Other;
    if (year)
        *year = m.captured(1).toInt();
    return m.captured(2) == QLatin1String("zbl") ? Kind::Year : Kind::Memo;
}

Listing describe(const Copy& copy)
{
    Listing l;
    l.copy = copy;
    l.kind = kindOf(copy.fileName, &l.year);
    if (l.kind == Kind::Year) {
        const YearFileLines lines = LedgerModel::readYearFileLines(copy.path);
        if (lines.ok()) {
            l.entries = 0;
            for (const auto& month : lines.data.months)
                l.entries += int(month.size());
            l.balance = balanceLine(TextFile::readBytes(copy.path).bytes);
        }
    }
    return l;
}

std::vector<Listing> restorable()
{
    std::vector<Listing> out;
    for (const Copy& c : list())
        if (kindOf(c.fileName) != Kind::Other)
            out.push_back(describe(c));
    return out;
}

bool restore(LedgerModel& m, const Copy& copy, const std::function<void()>& beforeReplace)
{
    Prompter& p = m.prompter();
    int year = 0;
    const Kind kind = kindOf(copy.fileName, &year);
    if (kind == Kind::Other)
        return false;
    const QString target = programFile(copy.fileName);
    // Read before anything is kept: keeping may prune the oldest copy.
    const TextFile::BytesResult bytes = TextFile::readBytes(copy.path);
    if (!bytes.ok) {
        p.message(QStringLiteral("バックアップ [%1] を読み込めませんでした。\r\n\r\n%2")
                      .arg(QFileInfo(copy.path).fileName(), bytes.error),
                  Prompter::Icon::Warning, kTitle);
        return false;
    }

    QString text = QStringLiteral("[%1] を、%2 に保存された内容に戻しますか。\r\n\r\n現在のファイルはバックアップとして残します。")
                       .arg(copy.fileName, timeText(copy.saved));
    QSet<int> gone;
    if (kind == Kind::Year && year == m.curYear())
        text += QStringLiteral("\r\n開いている %1 年度の、保存していない変更は失われます。").arg(year);
    else if (kind == Kind::Master)
        if (const int lost = entriesLost(m, categoryNumbers(bytes.bytes), gone); lost > 0)
            text += QStringLiteral("\r\n\r\n開いている %1 年度のデータのうち %2 件は、この管理ファイルにない費目のため表示されなくなり、"
                                   "保存すると失われます。")
                        .arg(m.curYear())
                        .arg(lost);
    if (p.question(text, Prompter::Buttons::YesNo, kTitle, Prompter::Answer::No) != Prompter::Answer::Yes)
        return false;
    if (beforeReplace)
        beforeReplace();

    // The current file is kept whatever the setting: nothing is pruned here.
    const TextFile::BytesResult current = TextFile::readBytes(target);
    const Result kept = keep(target, int(copiesOf(copy.fileName).size()) + 1);
    if (!kept.ok) {
        p.message(QStringLiteral("現在の [%1] をバックアップとして残せないため、復元しませんでした。\r\n\r\n%2")
                      .arg(copy.fileName, kept.error),
                  Prompter::Icon::Warning, kTitle);
        return false;
    }
    const TextFile::WriteResult written = TextFile::writeBytes(target, bytes.bytes);
    if (!written.ok) {
        p.message(QStringLiteral("[%1] を復元できませんでした。\r\n\r\n%2\r\n\r\n現在のファイルはそのまま残っています。")
                      .arg(QDir::toNativeSeparators(target), written.error),
                  Prompter::Icon::Warning, kTitle);
        return false;
    }

    switch (kind) {
    case Kind::Year:
        if (year == m.curYear())
            m.LoadYearFile();
        break;
    case Kind::Master:
        // A copy the program cannot use gives way to the master it replaced.
        if (!m.ReadCategoryMaster(0)) {
            if (current.ok)
                TextFile::writeBytes(target, current.bytes);
            m.ReadCategoryMaster(0);
            p.message(QStringLiteral("このバックアップは費目・摘要項目管理ファイルとして使えないため、元に戻しました。"),
                      Prompter::Icon::Warning, kTitle);
            return false;
        }
        m.AlignYearToMaster(gone);
        m.AlignCategoryUse();
        m.RankCategoriesByUse();
        break;
    case Kind::Memo:
        if (year == m.curYear()) {
            m.ClearMemos();
            m.ReadMemoFile(year);
        }
        break;
    case Kind::Other:
        break;
    }
    return true;
}

}
