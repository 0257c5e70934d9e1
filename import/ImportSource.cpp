// Taking in what the source reader read: its faults, dates of other years,
// and the categories and sub-items it names.
#include "import/ImportSession.h"

#include "ledger/Formats.h"
#include "ledger/LedgerRules.h"
#include "ledger/ProgramFolder.h"

#include <QDir>
#include <QProcess>

namespace Import {

namespace {
// New categories named like income start as income.
bool isIncomeWord(const QString& name)
{
    static const QStringList words{QStringLiteral("給与"), QStringLiteral("給料"), QStringLiteral("賞与"),
                                   QStringLiteral("ボーナス"), QStringLiteral("年金"), QStringLiteral("利息"),
                                   QStringLiteral("配当"), QStringLiteral("還付"), QStringLiteral("手当"),
                                   QStringLiteral("収入")};
    return words.contains(name);
}
}

ImportSession::ImportSession(Prompter& prompter) : ledger(prompter), prompter_(&prompter)
{
    startProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments, programFolder());
    };
}

void ImportSession::setCommandLine(const QString& commandLine)
{
    linkedMode = !commandLine.isEmpty();
    if (!linkedMode)
        return;
    importYear = commandLine.left(4).leftJustified(4, QLatin1Char(' '));
    token = commandLine.section(QLatin1Char(' '), 1, 1, QString::SectionSkipEmpty);
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
    extendsMaster = false;
    masterRead_.clear();
    skippedOtherYear = skippedDuplicates = written = 0;
}

bool ImportSession::LoadCurrentMaster() { return takeMaster(LedgerModel::readMasterFile(ledger.masterPath())); }

bool ImportSession::LoadMasterToExtend()
{
    MasterFileRead master = LedgerModel::readMasterFile(ledger.masterPath());
    // On its own the tool builds a master where there is none.
    if (master.error == ReadError::Missing && !linkedMode)
        return true;
    return takeMaster(std::move(master));
}

bool ImportSession::takeMaster(MasterFileRead master)
{
    if (master.error == ReadError::Missing) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。\r\n\r\n  フォルダ : %1\r\n\r\n"
                                          "インポート処理を中断します。")
                               .arg(QDir::toNativeSeparators(programFolder())),
                           Prompter::Icon::Warning);
        return false;
    }
    QByteArray bytes = master.data.bytes;
    if (!ledger.TakeCategoryMaster(std::move(master), 0))
        return false;
    masterRead_ = std::move(bytes);
    extendsMaster = true;
    for (const auto& slot : ledger.categoryList()) {
        const clsHimoku& m = *slot.item;
        ImportCategory* c = addCategory(m.name, m.no);
        c->ioflag = m.ioflag;
        c->color = m.color;
        c->limit = m.limit;
        c->flag = true;
        for (const auto& t : m.nTekiyo)
            c->addsub(t.item->no, t.item->name);
        c->masterSubs = c->nTekiyo.count();
    }
    return true;
}

ImportCategory* ImportSession::addCategory(const QString& name, const QString& no)
{
    auto c = std::make_shared<ImportCategory>();
    c->no = no;
    c->name = name;
    c->ioflag = isIncomeWord(name) ? 2 : 1;
    c->limit = 0;
    c->color = quint32(-1); // no colour yet
    sourceCategories.add(name, c);
    categoryNumbers.add(no, std::make_shared<clsTekiyo>(clsTekiyo{no, name}));
    return c.get();
}

// Names go into the master as they are read; what it cannot hold stops the
// import here, naming the line, rather than when writing.
bool ImportSession::checkName(const QString& name, bool isCategory, const SourceNames& where)
{
    const QString what = isCategory ? QStringLiteral("費目名") : QStringLiteral("摘要項目名");
    const LedgerRules::NameFault f = LedgerRules::masterNameFault(name, isCategory);
    QString fault;
    if (f.kind == LedgerRules::NameFault::Colon)
        fault = QStringLiteral("費目名 [%1] には「:」を使用できません。").arg(name);
    else if (f.kind == LedgerRules::NameFault::LineBreak) // the reader refuses these first
        fault = QStringLiteral("%1 [%2] には改行を使用できません。").arg(what, name);
    else if (f.kind == LedgerRules::NameFault::Unstorable)
        fault = QStringLiteral("%1 [%2] の文字「%3」は家計簿データに保存できない文字です。").arg(what, name, f.character);
    if (fault.isEmpty())
        return true;
    prompter_->message(fault + QStringLiteral("\r\n\r\n  %1 行目: %2").arg(where.lineNo).arg(where.lineText), Prompter::Icon::Warning);
    return false;
}

bool ImportSession::registerNames(const SourceNames& names, ImportCategory*& category, quint8& subNo)
{
    ImportCategory* c = sourceCategories.find(names.category).get();
    if (!c) {
        if (sourceCategories.count() >= 99) {
            prompter_->message(QStringLiteral("費目数が [99] を越えました...\r\n費目数を削減する必要があります。\r\n\r\n処理を中断します。"),
                               Prompter::Icon::Warning);
            return false;
        }
        if (!checkName(names.category, true, names))
            return false;
        c = addCategory(names.category, LedgerRules::smallestFreeNumber(categoryNumbers));
    }
    category = c;
    subNo = 0;
    if (names.sub.isEmpty())
        return true;
    auto t = c->sTekiyo.find(names.sub);
    if (!t) {
        if (c->nTekiyo.count() >= 99) {
            prompter_->message(QStringLiteral("費目[") + c->name
                                   + QStringLiteral("]の摘要項目が [99] を越えました...\r\n"
                                                    "摘要項目数を削減する必要があります。\r\n\r\n処理を中断します。"),
                               Prompter::Icon::Warning);
            return false;
        }
        if (!checkName(names.sub, false, names))
            return false;
        const QString no = LedgerRules::smallestFreeNumber(c->nTekiyo);
        c->addsub(no, names.sub);
        t = c->nTekiyo.find(no);
    }
    subNo = quint8(t->no.toInt());
    return true;
}

bool ImportSession::ReadSourceFile(const QString& path) { return TakeSource(readSourceFile(path, yearNumber())); }

bool ImportSession::ReadSourceBytes(const QByteArray& bytes) { return TakeSource(parseSource(bytes, yearNumber())); }

bool ImportSession::TakeSource(ParsedSource source)
{
    if (!source.ok) {
        if (!source.fault.isEmpty())
            prompter_->message(source.fault, Prompter::Icon::Warning);
        return false;
    }
    const int year = yearNumber();
    skippedOtherYear = 0;
    if (source.otherYear > 0) {
        QString lines = source.otherYearLines.join(QStringLiteral("\r\n  "));
        if (source.otherYear > source.otherYearLines.size())
            lines += QStringLiteral("\r\n  ほか %1 件").arg(Fmt::hash0(source.otherYear - source.otherYearLines.size()));
        const auto answer = prompter_->question(
            QStringLiteral("%1 年以外の日付のデータが %2 件あります。\r\n\r\n  %3\r\n\r\n"
                           "これらのデータを除いて、%1 年のデータだけを取り込みますか。\r\n\r\n"
                           "  ・除いて取り込む場合は [はい]\r\n  ・取り込みを中止する場合は [いいえ]")
                .arg(importYear, Fmt::hash0(source.otherYear), lines),
            Prompter::Buttons::YesNo, {}, Prompter::Answer::No);
        if (answer != Prompter::Answer::Yes)
            return false;
        std::erase_if(source.records, [year](const SourceRecord& r) { return r.year != 0 && r.year != year; });
        skippedOtherYear = source.otherYear;
    }
    if (source.records.empty()) {
        prompter_->message(QStringLiteral("取り込むデータがありません。"), Prompter::Icon::Warning);
        return false;
    }

    // Only names that kept bookings use are registered, in order of first
    // appearance: categories and sub-items are numbered in that order.
    std::vector<char> used(source.names.size(), 0);
    for (const SourceRecord& r : source.records)
        used[size_t(r.names)] = 1;
    std::vector<std::pair<ImportCategory*, quint8>> resolved(source.names.size(), {nullptr, 0});
    for (size_t i = 0; i < source.names.size(); ++i)
        if (used[i] && !registerNames(source.names[i], resolved[i].first, resolved[i].second))
            return false;

    // The export's columns tell a category's kind: a new category takes it,
    // and no category may have entries on both sides.
    for (const SourceRecord& r : source.records) {
        ImportCategory* c = resolved[size_t(r.names)].first;
        if (r.side == 0 || r.side == c->fileSide || (c->flag && r.side == c->ioflag))
            continue;
        if (!c->flag && c->fileSide == 0) {
            c->fileSide = r.side;
            c->ioflag = r.side;
            continue;
        }
        const auto side = [](int s) { return s == 2 ? QStringLiteral("入金") : QStringLiteral("出金"); };
        prompter_->message(QStringLiteral("データファイルの %1 行目は%2の金額ですが、費目 [%3] は%4の費目です。\r\n\r\n"
                                          "ひとつの費目の金額は、出金か入金のどちらか一方の列に書いて下さい。")
                               .arg(r.lineNo)
                               .arg(side(r.side), c->name, side(c->flag ? c->ioflag : c->fileSide)),
                           Prompter::Icon::Warning);
        return false;
    }

    for (const SourceRecord& r : source.records) {
        const auto& [category, subNo] = resolved[size_t(r.names)];
        importMonths[r.month - 1].push_back({category, r.amount, r.month, r.day, subNo});
    }
    return true;
}

}
