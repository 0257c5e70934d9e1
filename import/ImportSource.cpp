// Reading the source file: its encoding, its lines and the categories and
// sub-items they name.
#include "ImportSession.h"

#include "Formats.h"
#include "ProgramFolder.h"
#include "TextFile.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>

namespace Import {

const QString ImportSession::kUnsetCategory = QStringLiteral("未設定費目");

ImportSession::ImportSession(Prompter& prompter) : ledger(prompter), prompter_(&prompter)
{
    startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments, programFolder());
    };
}

void ImportSession::setCommandLine(const QString& commandLine)
{
    linkedMode = !commandLine.isEmpty();
    if (linkedMode)
        importYear = commandLine.left(4).leftJustified(4, QLatin1Char(' '));
}

int ImportSession::yearNumber() const
{
    if (importYear.size() != 4)
        return 0;
    for (QChar c : importYear)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    return importYear.toInt();
}

namespace {
// A file that is valid UTF-8 and holds more than ASCII was saved as UTF-8
// (with or without a byte order mark); anything else is the ledger's CP932.
QString decodeSource(const QByteArray& bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return TextFile::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// Spaces around a line or a field are no part of it.
QStringView trimmedSpaces(QStringView s)
{
    while (!s.isEmpty() && s.front() == QLatin1Char(' '))
        s = s.mid(1);
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

int digitsValue(QStringView s)
{
    int v = 0;
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// The four date forms, told apart by length: mmdd, mm/dd, yyyymmdd and
// yyyy/mm/dd. The date's own year is ignored; month and day must exist in
// the year the booking goes into.
bool parseDate(QStringView f, int year, int& month, int& day)
{
    qsizetype m = -1, d = -1;
    switch (f.size()) {
    case 4:
        if (digitsValue(f) >= 0)
            m = 0, d = 2;
        break;
    case 5:
        if (f[2] == QLatin1Char('/'))
            m = 0, d = 3;
        break;
    case 8:
        if (digitsValue(f) >= 0)
            m = 4, d = 6;
        break;
    case 10:
        if (f[4] == QLatin1Char('/') && f[7] == QLatin1Char('/') && digitsValue(f.left(4)) >= 0)
            m = 5, d = 8;
        break;
    default: break;
    }
    if (m < 0)
        return false;
    month = digitsValue(f.mid(m, 2));
    day = digitsValue(f.mid(d, 2));
    return month >= 1 && month <= 12 && QDate(year > 0 ? year : 2000, month, day).isValid();
}
}

int ImportSession::entryCount() const
{
    int n = 0;
    for (const auto& m : importMonths)
        n += int(m.size());
    return n;
}

bool ImportSession::hasNewCategories() const
{
    return std::any_of(sourceCategories.begin(), sourceCategories.end(), [](const auto& s) { return !s.item->flag; });
}

void ImportSession::clear()
{
    for (auto& m : importMonths)
        m.clear();
    sourceCategories.clear();
    categoryNumbers.clear();
    bySpelling_.clear();
    spellings_.clear();
}

QStringView ImportSession::keep(QStringView text)
{
    spellings_.push_back(text.toString());
    return spellings_.back();
}

bool ImportSession::LoadCurrentMaster()
{
    if (!QFileInfo::exists(ledger.masterPath())) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。\r\n\r\n  フォルダ : %1\r\n\r\n"
                                          "インポート処理を中断します。")
                               .arg(QDir::toNativeSeparators(programFolder())),
                           Prompter::Icon::Warning);
        return false;
    }
    if (!ledger.ReadCategoryMaster(0))
        return false;
    for (const auto& slot : ledger.categoryList()) {
        const clsHimoku& m = *slot.item;
        ImportCategory* c = addCategory(m.name, m.no);
        c->ioflag = m.ioflag;
        c->color = m.color;
        c->limit = m.limit;
        c->flag = true;
        for (const auto& t : m.nTekiyo)
            c->addsub(t.item->no, t.item->name);
    }
    return true;
}

ImportCategory* ImportSession::addCategory(const QString& name, const QString& no)
{
    auto c = std::make_shared<ImportCategory>();
    c->no = no;
    c->name = name;
    c->ioflag = 1;
    c->limit = 0;
    c->color = quint32(-1); // no colour yet
    sourceCategories.add(name, c);
    categoryNumbers.add(no, std::make_shared<clsTekiyo>(clsTekiyo{no, name}));
    return c.get();
}

bool ImportSession::failInvalidLine(int lineNo, const QString& text)
{
    prompter_->message(QStringLiteral("データファイルが不正です。処理を中断します。\r\n%1 行目: %2").arg(lineNo).arg(text),
                       Prompter::Icon::Warning);
    return false;
}

// Names go into the master as they are read; what it cannot hold back stops
// the import here, naming the line, rather than when writing.
bool ImportSession::checkName(const QString& name, bool isCategory, int lineNo)
{
    QString fault;
    QByteArray encoded;
    QString bad;
    if (isCategory && name.contains(QLatin1Char(':')))
        fault = QStringLiteral("費目名 [%1] には「:」を使用できません。").arg(name);
    else if (!TextFile::encode(name, encoded, &bad))
        fault = QStringLiteral("%1 [%2] の文字「%3」は家計簿データに保存できない文字です。")
                    .arg(isCategory ? QStringLiteral("費目名") : QStringLiteral("摘要項目名"), name, bad);
    if (fault.isEmpty())
        return true;
    prompter_->message(fault + QStringLiteral("処理を中断します。\r\n%1 行目: %2").arg(lineNo).arg(lineText_.toString()),
                       Prompter::Icon::Warning);
    return false;
}

bool ImportSession::RegisterSourceCategory(QStringView categoryText, QStringView sub, int lineNo, ImportEntry* entry)
{
    ImportCategory* c = bySpelling_.value(categoryText);
    if (!c) {
        const QString category = categoryText.toString();
        c = sourceCategories.find(category).get();
        if (!c) {
            if (sourceCategories.count() >= 99) {
                prompter_->message(QStringLiteral("費目数が [99] を越えました...\r\n費目数を削減する必要があります。\r\n\r\n処理を中断します。"),
                                   Prompter::Icon::Warning);
                return false;
            }
            if (!checkName(category, true, lineNo))
                return false;
            int n = 1;
            while (categoryNumbers.contains(Fmt::zero2(n)))
                ++n;
            c = addCategory(category, Fmt::zero2(n));
        }
        bySpelling_.insert(keep(categoryText), c);
    }

    quint8 subNo = 0;
    if (!sub.isEmpty()) {
        const auto known = c->subBySpelling.constFind(sub);
        if (known != c->subBySpelling.constEnd()) {
            subNo = *known;
        } else {
            auto t = c->sTekiyo.find(sub.toString());
            if (!t) {
                if (c->nTekiyo.count() >= 99) {
                    prompter_->message(QStringLiteral("費目[") + c->name
                                           + QStringLiteral("]の摘要項目が [99] を越えました...\r\n"
                                                            "摘要項目数を削減する必要があります。\r\n\r\n処理を中断します。"),
                                       Prompter::Icon::Warning);
                    return false;
                }
                if (!checkName(sub.toString(), false, lineNo))
                    return false;
                int n = 1;
                while (c->nTekiyo.contains(Fmt::zero2(n)))
                    ++n;
                c->addsub(Fmt::zero2(n), sub.toString());
                t = c->nTekiyo.find(Fmt::zero2(n));
            }
            subNo = quint8(t->no.toInt());
            c->subBySpelling.insert(keep(sub), subNo);
        }
    }
    if (entry) {
        entry->category = c;
        entry->subNo = subNo;
    }
    return true;
}

bool ImportSession::ReadSourceFile(const QString& path)
{
    const TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        prompter_->message(QStringLiteral("データファイル [%1] を読み込めませんでした。\r\n\r\n%2\r\n\r\n処理を中断します。")
                               .arg(QDir::toNativeSeparators(path), file.error),
                           Prompter::Icon::Warning);
        return false;
    }
    return ReadSourceBytes(file.bytes);
}

bool ImportSession::ReadSourceBytes(const QByteArray& bytes)
{
    const QString text = decodeSource(bytes);
    const int year = yearNumber();
    int lineNo = 0;
    // Lines end at LF or CR LF; the line is looked at in place, and only
    // names met for the first time are copied.
    for (qsizetype at = 0; at < text.size();) {
        qsizetype nl = text.indexOf(QLatin1Char('\n'), at);
        if (nl < 0)
            nl = text.size();
        QStringView raw = QStringView(text).mid(at, nl - at);
        at = nl + 1;
        ++lineNo;
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        const QStringView line = trimmedSpaces(raw);
        lineText_ = line;
        if (line.isEmpty())
            continue;
        // Date, category and sub-item come first, the amount last; what lies
        // between the third and the last separator is not used.
        const qsizetype c1 = line.indexOf(QLatin1Char(','), 1);
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(QLatin1Char(','), c1 + 1);
        const qsizetype c3 = c2 < 0 ? -1 : line.indexOf(QLatin1Char(','), c2 + 1);
        if (c3 < 0)
            return failInvalidLine(lineNo, line.toString());
        int month = 0, day = 0;
        if (!parseDate(trimmedSpaces(line.left(c1)), year, month, day))
            return failInvalidLine(lineNo, line.toString());
        const auto amount = Num::parseFileInt32(trimmedSpaces(line.mid(line.lastIndexOf(QLatin1Char(',')) + 1)));
        if (!amount)
            return failInvalidLine(lineNo, line.toString());
        QStringView category = trimmedSpaces(line.mid(c1 + 1, c2 - c1 - 1));
        if (category.isEmpty())
            category = kUnsetCategory;
        ImportEntry e;
        e.month = quint8(month);
        e.day = quint8(day);
        e.amount = *amount;
        if (!RegisterSourceCategory(category, trimmedSpaces(line.mid(c2 + 1, c3 - c2 - 1)), lineNo, &e))
            return false;
        importMonths[month - 1].push_back(e);
    }
    return true;
}

}
