#include "ledger/LedgerModel.h"

#include "ledger/Formats.h"
#include "ledger/LineText.h"
#include "ledger/TextFile.h"

#include <QFileInfo>
#include <algorithm>
#include <bitset>
#include <charconv>
#include <cstring>
#include <limits>
#include <optional>

// The year file is parsed on its raw bytes. Every character the reader acts
// on is ASCII, and in CP932 no byte below 0x40 (digits, "/", "-", "$", "#",
// "&", "*", space, CR, LF) is ever the second byte of a double-byte
// character, nor is any ASCII byte part of a UTF-8 character, so lines split
// and trim the same as after decoding.

namespace {
const QString kCarryPrompt = QStringLiteral("前年度の繰越残高を入力して下さい。\r\n\r\n"
                                            "(赤字の場合は、先頭に\"-(マイナス)\"をつけて下さい。)");

QString fileName(const QString& path) { return QFileInfo(path).fileName(); }

bool twoDigits(const char* p, int lo, int hi, int& value)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return false;
    value = (p[0] - '0') * 10 + (p[1] - '0');
    return value >= lo && value <= hi;
}

// Optional "-" and digits only; beyond the 32-bit range is malformed, never wrapped.
std::optional<qint32> parseInt32(const char* b, const char* e)
{
    const bool neg = b < e && *b == '-';
    if (neg)
        ++b;
    if (b == e)
        return std::nullopt;
    qint64 v = 0;
    for (; b < e; ++b) {
        if (*b < '0' || *b > '9')
            return std::nullopt;
        v = v * 10 + (*b - '0');
        if (v > qint64(1) << 31)
            return std::nullopt;
    }
    if (neg)
        v = -v;
    if (v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(v);
}

struct RawEntry {
    int month = 0, day = 0, category = 0, sub = 0;
    qint32 amount = 0;
};

// An entry line "mm/ddccssamount", already trimmed.
bool parseEntry(const char* b, const char* e, RawEntry& r)
{
    if (e - b < 10 || b[2] != '/')
        return false;
    if (!twoDigits(b, 1, 12, r.month) || !twoDigits(b + 3, 1, 31, r.day) || !twoDigits(b + 5, 1, 99, r.category)
        || !twoDigits(b + 7, 0, 99, r.sub))
        return false;
    const auto amount = parseInt32(b + 9, e);
    if (!amount)
        return false;
    r.amount = *amount;
    return true;
}

// The fields of an entry as the reader accepts them back.
bool writableEntry(const Entry& e)
{
    return e.monthNo >= 1 && e.monthNo <= 12 && e.dayNo >= 1 && e.dayNo <= 31 && e.categoryNo >= 1 && e.categoryNo <= 99
        && e.subNo <= 99;
}

void appendTwoDigits(QByteArray& out, int v)
{
    out.append(char('0' + v / 10));
    out.append(char('0' + v % 10));
}

void appendNumber(QByteArray& out, qint64 v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr - buf);
}

// The amount an entry line carries. An expense of the wrong sign is still the
// expense: taking the income (0) instead would lose it.
qint32 writtenAmount(const Entry& e, bool& isOut)
{
    isOut = e.out != 0;
    return isOut ? e.out : e.in;
}
}

bool LedgerModel::parseEntryLine(const QString& line, Entry& e)
{
    const QByteArray bytes = trimSpaces(line).toLatin1(); // characters beyond Latin-1 become "?" and fail
    return parseEntryBytes(bytes.constData(), bytes.constData() + bytes.size(), e);
}

bool LedgerModel::parseEntryBytes(const char* b, const char* end, Entry& e)
{
    RawEntry r;
    if (!parseEntry(b, end, r))
        return false;
    e.monthNo = quint8(r.month);
    e.dayNo = quint8(r.day);
    e.categoryNo = quint8(r.category);
    e.subNo = quint8(r.sub);
    e.out = r.amount;
    e.in = 0;
    return true;
}

std::optional<qint32> LedgerModel::askCarryOverAmount(const QString& defaultText)
{
    QString shown = defaultText;
    for (;;) {
        const QString answer = prompter_->input(kCarryPrompt, QStringLiteral("前年度繰越残高の設定"), shown).trimmed();
        if (answer.isEmpty())
            return std::nullopt;
        if (const auto value = Num::toInt32(answer))
            return value;
        // Shown again as typed, to be corrected.
        shown = answer;
        prompter_->message(Num::isNumeric(answer)
                               ? QStringLiteral("入力された金額が大きすぎます。\r\n\r\n"
                                                "-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。")
                               : QStringLiteral("入力された繰越高 [%1] は金額として読み取れません。\r\n\r\n"
                                                "数字で入力して下さい。(例: 120000、12万、1.5万、-5000)")
                                     .arg(answer),
                           Prompter::Icon::Warning);
    }
}

bool LedgerModel::askNewYearCarryOver()
{
    bool askAmount = true;
    if (QFileInfo::exists(yearPath(curYear_ - 1))) {
        const auto answer = prompter_->question(
            QString::number(curYear_) + QStringLiteral(" 年度のデータファイルを作成します。\r\n前年度 (")
                + QString::number(curYear_ - 1)
                + QStringLiteral("年) の残高を繰越高として引き継ぎますか。\r\n\r\n"
                                 "[はい]を選択した場合、前年度データファイルから自動算出します。"),
            Prompter::Buttons::YesNo);
        if (answer == Prompter::Answer::Yes) {
            carryAuto_ = true;
            carryOver_ = Num::toInt32(CalcPrevCarryOver()).value_or(0);
            askAmount = false;
        }
    }
    if (askAmount) {
        carryAuto_ = false;
        // The file needs a carry-over: Cancel takes the 0 the box offers.
        carryOver_ = askCarryOverAmount(QStringLiteral("0")).value_or(0);
    }
    return SaveYearFile(0);
}

void LedgerModel::reportDeletedCategory(const QString& no)
{
    prompter_->message(QStringLiteral("費目番号 [") + no + QStringLiteral("] に該当する費目は削除されています。"),
                       Prompter::Icon::Warning);
}

void LedgerModel::reportDeletedSub(const QString& categoryName, const QString& subNo)
{
    prompter_->message(QStringLiteral("費目 [") + categoryName + QStringLiteral("] の [") + subNo
                           + QStringLiteral("] に該当する摘要項目は削除されているため、\r\n"
                                            " [摘要項目なし] のデータとして処理を続行します。"),
                       Prompter::Icon::Warning);
}

YearFileLines LedgerModel::readYearFileLines(const QString& path)
{
    YearFileLines r;
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        r.failAt(path, file.error);
        return r;
    }
    const char* const begin = file.bytes.constData();
    const char* const end = begin + file.bytes.size();
    // All entries go to one list sized by the file's lines, then each month
    // gets exactly its own: twelve lists grown entry by entry would hold up
    // to twice what they use.
    size_t lines = 1 + size_t(std::count(begin, end, '\n'));
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)))); ++p)
        if (p + 1 == end || p[1] != '\n')
            ++lines; // a line ended by CR alone
    std::vector<Entry> entries;
    entries.reserve(lines);
    TextFile::forEachLine(begin + TextFile::bomLength(begin, end), end, [&](const char* b, const char* e, int lineNo) {
        while (b < e && *b == ' ')
            ++b;
        while (e > b && e[-1] == ' ')
            --e;
        if (b == e || *b == '*' || *b == '$' || (e - b == 1 && *b == 'C'))
            return;
        if (*b == '&' || *b == '#') {
            if (const auto value = parseInt32(b + 1, e))
                r.data.carries.push_back({lineNo, *value, *b == '#'});
            else
                r.skipped.push_back({lineNo, SkippedLine::Reason::Malformed});
            return;
        }
        Entry entry;
        if (parseEntryBytes(b, e, entry)) {
            entry.id = EntryId(lineNo);
            entries.push_back(entry);
        } else {
            r.skipped.push_back({lineNo, SkippedLine::Reason::Malformed});
        }
    });
    std::array<size_t, 12> count{};
    for (const Entry& entry : entries)
        ++count[entry.month() - 1];
    for (int m = 0; m < 12; ++m)
        r.data.months[m].reserve(count[m]);
    for (const Entry& entry : entries)
        r.data.months[entry.month() - 1].push_back(entry);
    return r;
}

void LedgerModel::PrefetchYearFile(int year)
{
    const QString path = yearPath(year);
    const QFileInfo file(path);
    if (!file.isFile())
        return;
    prefetch_ = std::make_unique<YearPrefetch>();
    prefetch_->path = path;
    prefetch_->size = file.size();
    prefetch_->modified = file.lastModified();
    prefetch_->lines = std::async(std::launch::async, &LedgerModel::readYearFileLines, path);
}

YearFileLines LedgerModel::takeYearFileLines(const QString& path)
{
    std::unique_ptr<YearPrefetch> ahead = std::move(prefetch_);
    if (ahead && ahead->path == path) {
        YearFileLines lines = ahead->lines.get();
        // Read ahead of a change (another program wrote the file meanwhile)? Read it again.
        const QFileInfo file(path);
        if (file.size() == ahead->size && file.lastModified() == ahead->modified)
            return lines;
    }
    return readYearFileLines(path);
}

bool LedgerModel::LoadYearFile()
{
    // Every month is new, however the reading ends.
    yearUnreadable_ = false;
    mergeToRemove_.clear();
    monthSlots_ = {};
    const bool loaded = readYearFile();
    sumsChanged();
    emit yearLoaded();
    return loaded;
}

bool LedgerModel::readYearFile()
{
    const QString path = yearPath(curYear_);
    if (!QFileInfo::exists(path) && !askNewYearCarryOver())
        return false;

    YearFileLines file = takeYearFileLines(path);
    if (!file.ok()) {
        yearUnreadable_ = true;
        prompter_->message(QStringLiteral("家計簿データファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.errorText),
                           Prompter::Icon::Warning);
        return false;
    }

    // Category numbers are two digits, so the categories and their sub-item
    // numbers are looked up by index instead of by text for every line.
    std::array<const clsHimoku*, 100> categoryAt{};
    std::array<std::bitset<100>, 100> subAt{};
    for (const auto& c : categoryList_) {
        if (c.key.size() != 2 || !isTwoDigits(c.key, 0, 99))
            continue;
        const int n = c.key.toInt();
        categoryAt[n] = c.item.get();
        for (const auto& t : c.item->nTekiyo)
            if (t.key.size() == 2 && isTwoDigits(t.key, 0, 99))
                subAt[n].set(t.key.toInt());
    }

    // The entries go to their months as they are; what needs a word (a
    // deleted category or sub-item, a carry line) is told afterwards in the
    // order of the file's lines.
    struct Note {
        int line = 0;
        const YearEntries::Carry* carry = nullptr;
        QString category; // deleted category's number, or the name of the sub-item's category
        QString sub;      // deleted sub-item's number
    };
    std::vector<Note> notes;
    for (const YearEntries::Carry& c : file.data.carries)
        notes.push_back({c.line, &c, {}, {}});
    for (int month = 1; month <= 12; ++month) {
        std::vector<Entry>& entries = file.data.months[month - 1];
        MonthSlot& s = monthSlots_[month - 1];
        size_t kept = 0;
        for (Entry entry : entries) {
            const int line = int(entry.id);
            const clsHimoku* cat = categoryAt[entry.categoryNo];
            if (!cat) {
                notes.push_back({line, nullptr, entry.category(), {}});
                continue;
            }
            if (entry.subNo != 0 && !subAt[entry.categoryNo].test(entry.subNo)) {
                notes.push_back({line, nullptr, cat->name, entry.sub()});
                entry.subNo = 0;
            }
            if (cat->ioflag != 1)
                std::swap(entry.out, entry.in);
            entry.id = nextEntryId();
            s.totalOut += entry.out;
            s.totalIn += entry.in;
            entries[kept++] = entry;
        }
        entries.resize(kept);
        s.entries = std::move(entries);
    }

    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) { return a.line < b.line; });
    // An automatic carry-over is taken from the previous year's file once,
    // however many carry lines the file holds.
    std::optional<QString> previousBalance;
    for (const Note& n : notes) {
        if (n.carry) {
            carryOver_ = n.carry->value;
            carryAuto_ = n.carry->automatic;
            if (carryAuto_) {
                if (!previousBalance)
                    previousBalance = CalcPrevCarryOver();
                if (*previousBalance != QLatin1String("NOFILE") && !previousBalance->isEmpty())
                    carryOver_ = Num::toInt32(*previousBalance).value_or(carryOver_);
            }
        } else if (n.sub.isEmpty()) {
            reportDeletedCategory(n.category);
        } else {
            reportDeletedSub(n.category, n.sub);
        }
    }
    reportSkippedLines(fileName(path), file.lines({SkippedLine::Reason::Malformed}));
    return true;
}

qint64 LedgerModel::yearEndBalance() const { return yearEndBalanceWith(carryOver_); }

QByteArray LedgerModel::yearFileHeader(int year)
{
    QByteArray out;
    // Empty when the code page is missing: a file without its header lines
    // must not be written.
    if (!TextFile::encode(QStringLiteral("C\r\n* Last modified: ") + headerDate()
                              + QStringLiteral("\r\n*\r\n*  Kanelo Y -データファイル (") + QString::number(year)
                              + QStringLiteral("年度)-\r\n*\r\n*      [データ内容] 日付/費目/摘要項目/出入金\r\n*\r\n\r\n"),
                          out))
        return {};
    return out;
}

bool LedgerModel::appendEntryLines(QByteArray& out, qint64& sumOut, qint64& sumIn)
{
    for (const MonthSlot& s : monthSlots_) {
        for (const Entry& e : s.entries) {
            if (!writableEntry(e)) {
                prompter_->message(QStringLiteral("日付 [%1]、費目番号 [%2]、摘要項目番号 [%3] のデータは形式が正しくないため、"
                                                  "家計簿データファイルを保存できませんでした。")
                                       .arg(e.date(), e.category(), e.sub()),
                                   Prompter::Icon::Warning);
                return false;
            }
            appendTwoDigits(out, e.monthNo);
            out += '/';
            appendTwoDigits(out, e.dayNo);
            appendTwoDigits(out, e.categoryNo);
            appendTwoDigits(out, e.subNo);
            bool isOut = false;
            const qint32 amount = writtenAmount(e, isOut);
            appendNumber(out, amount);
            (isOut ? sumOut : sumIn) += amount;
            out += "\r\n";
        }
    }
    return true;
}

bool LedgerModel::yearFileBytes(int mode, QByteArray& out, qint32& carry)
{
    const QString path = yearPath(curYear_);
    if (yearUnreadable_ && mode == 1) {
        prompter_->message(QStringLiteral("家計簿データファイル [%1] は読み込めなかったため、上書き保存しません。").arg(path),
                           Prompter::Icon::Warning);
        return false;
    }
    carry = carryOver_;
    if (carryAuto_) {
        carry = 0;
        if (mode == 1) {
            const QString r = CalcPrevCarryOver();
            if (r != QLatin1String("NOFILE") && !r.isEmpty())
                carry = Num::toInt32(r).value_or(0);
        }
    }

    qsizetype entryCount = 0;
    if (mode == 1)
        for (const MonthSlot& s : monthSlots_)
            entryCount += s.count();

    out = yearFileHeader(curYear_);
    if (out.isEmpty()) {
        reportWriteFailure(path, TextFile::codecMissingMessage());
        return false;
    }
    out.reserve(out.size() + 24 * (entryCount + 2));
    out += carryAuto_ ? '#' : '&';
    appendNumber(out, carry);
    out += "\r\n";

    qint64 sumOut = 0, sumIn = 0;
    if (mode == 1 && !appendEntryLines(out, sumOut, sumIn))
        return false;
    // The next year reads this line back as its carry-over, in 32 bits.
    const qint64 balance = qint64(carry) + sumIn - sumOut;
    if (!balanceFits(balance)) {
        reportWriteFailure(path, balanceRangeText(balance));
        return false;
    }
    out += '$';
    appendNumber(out, balance);
    out += "\r\n";
    return true;
}

bool LedgerModel::SaveYearFile(int mode)
{
    const QString path = yearPath(curYear_);
    QByteArray out;
    qint32 carry = 0;
    if (!yearFileBytes(mode, out, carry))
        return false;
    // Entries taken from a merge file are saved and the file goes, in one step.
    const QString removal = mode == 1 && QFileInfo::exists(mergeToRemove_) ? mergeToRemove_ : QString();
    if (!commitFiles({{path, out}}, removal))
        return false;
    SetCarryOver(carry, carryAuto_);
    if (mode == 1) {
        mergeToRemove_.clear();
        emit yearSaved(curYear_);
    }
    return true;
}

bool LedgerModel::SaveMasterAndYear()
{
    QByteArray master, year;
    qint32 carry = 0;
    if (!masterFileBytes(master) || !yearFileBytes(1, year, carry))
        return false;
    const QString removal = QFileInfo::exists(mergeToRemove_) ? mergeToRemove_ : QString();
    if (!commitFiles({{masterPath(), master}, {yearPath(curYear_), year}}, removal))
        return false;
    mergeToRemove_.clear();
    SetCarryOver(carry, carryAuto_);
    emit yearSaved(curYear_);
    return true;
}

QString LedgerModel::CalcPrevCarryOver()
{
    const QString path = yearPath(curYear_ - 1);
    if (!QFileInfo::exists(path))
        return QStringLiteral("NOFILE");
    const QByteArray bytes = TextFile::readBytes(path).bytes;
    const char* const begin = bytes.constData();
    const char* const end = begin + bytes.size();
    std::optional<QString> value;
    TextFile::forEachLine(begin + TextFile::bomLength(begin, end), end, [&](const char* b, const char* e, int) {
        if (!value && b < e && *b == '$')
            value = trimSpaces(QString::fromLatin1(b + 1, e - b - 1));
    });
    if (value && Num::parseFileInt32(*value))
        return *value;
    prompter_->message(QStringLiteral("家計簿データファイルが異常です。"), Prompter::Icon::Warning);
    return QString();
}

bool LedgerModel::balanceFits(qint64 balance)
{
    return balance >= std::numeric_limits<qint32>::min() && balance <= std::numeric_limits<qint32>::max();
}

QString LedgerModel::balanceRangeText(qint64 balance)
{
    return QStringLiteral("年度末の残高が %1 円になり、家計簿データファイルに保存できる範囲 "
                          "(-2,147,483,648 円から 2,147,483,647 円まで) を超えてしまいます。")
        .arg(Fmt::hash0(balance));
}

qint64 LedgerModel::yearEndBalanceWith(qint32 carry, EntryId skip, qint64 addOut, qint64 addIn) const
{
    qint64 balance = qint64(carry) + addIn - addOut;
    bool isOut = false;
    for (const MonthSlot& s : monthSlots_) {
        for (const Entry& e : s.entries) {
            if (skip != 0 && e.id == skip)
                continue;
            const qint32 amount = writtenAmount(e, isOut);
            balance += isOut ? -qint64(amount) : qint64(amount);
        }
    }
    return balance;
}
