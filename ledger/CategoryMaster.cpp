#include "ledger/LedgerModel.h"

#include "ledger/Formats.h"
#include "ledger/LedgerRules.h"
#include "ledger/LineText.h"
#include "ledger/TextFile.h"

#include <QFileInfo>
#include <array>

namespace {
const QString kMasterName = QStringLiteral("MainSub.zbt");

// Parses a category line "nn00name:f:color:limit"; null when it breaks the
// layout. Any type but 1 is income, as the year reader takes it; oddType
// tells when the type was neither 1 nor 2.
std::shared_ptr<clsHimoku> parseCategoryLine(const QString& line, bool& oddType)
{
    if (line.size() < 5 || !isTwoDigits(QStringView(line).left(2), 1, 99))
        return nullptr;
    const qsizetype p = line.indexOf(QLatin1Char(':'), 4);
    if (p < 0 || p + 2 >= line.size() || line[p + 2] != QLatin1Char(':'))
        return nullptr;
    const QChar flag = line[p + 1];
    const qsizetype q = line.indexOf(QLatin1Char(':'), p + 3);
    if (q < 0)
        return nullptr;
    const auto color = Num::parseFileInt32(QStringView(line).mid(p + 3, q - p - 3));
    const auto limit = Num::parseFileInt32(QStringView(line).mid(q + 1));
    if (!color || !limit)
        return nullptr;
    const QString name = line.mid(4, p - 4);
    auto c = std::make_shared<clsHimoku>();
    c->no = line.left(2);
    c->name = name;
    c->ioflag = flag == QLatin1Char('1') ? 1 : 2;
    oddType = flag != QLatin1Char('1') && flag != QLatin1Char('2');
    c->color = quint32(*color);
    c->limit = *limit;
    return c;
}
}

MasterFileRead LedgerModel::readMasterFile(const QString& path)
{
    MasterFileRead r;
    if (!QFileInfo::exists(path)) {
        r.error = ReadError::Missing;
        return r;
    }
    if (!TextFile::codecAvailable()) {
        r.failAt(path, TextFile::codecMissingMessage());
        return r;
    }
    TextFile::BytesResult file = TextFile::readBytes(path);
    if (!file.ok) {
        r.failAt(path, file.error);
        return r;
    }
    const QStringList lines = TextFile::splitLines(TextFile::decode(file.bytes));
    r.data.bytes = std::move(file.bytes);

    KeyedCollection<clsHimoku>& categories = r.data.categories;
    KeyedCollection<clsHimoku> byName;
    using Reason = SkippedLine::Reason;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = trimSpaces(lines[i]);
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')) || line.startsWith(QLatin1Char('C')))
            continue;
        const auto skip = [&](Reason why) { r.skipped.push_back({i + 1, why}); };
        if (QStringView(line).mid(2, 2) == QLatin1String("00")) {
            bool oddType = false;
            const auto c = parseCategoryLine(line, oddType);
            if (!c)
                skip(Reason::Malformed);
            else if (categories.contains(c->no) || byName.contains(c->name))
                skip(Reason::Repeated);
            else {
                categories.add(c->no, c);
                byName.add(c->name, c);
                if (oddType)
                    skip(Reason::OddType);
            }
        } else if (line.size() < 4 || !isTwoDigits(QStringView(line).left(2), 1, 99)
                   || !isTwoDigits(QStringView(line).mid(2, 2), 1, 99)) {
            skip(Reason::Malformed);
        } else if (const auto c = categories.find(line.left(2)); !c) {
            skip(Reason::Orphan);
        } else if (!c->addsub(line.mid(2, 2), line.mid(4))) {
            skip(Reason::Repeated);
        }
    }
    return r;
}

bool LedgerModel::ReadCategoryMaster(int mode) { return TakeCategoryMaster(readMasterFile(masterPath()), mode); }

bool LedgerModel::TakeCategoryMaster(MasterFileRead master, int mode)
{
    categoryList_.clear();
    categoryByName_.clear();
    sumsChanged();
    if (master.error == ReadError::Missing) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)が存在しません。\r\n\r\n"
                                          "インストール（圧縮ファイルの解凍）が失敗している可能性があります。\r\n"
                                          "再度、インストールしてみて下さい。"),
                           Prompter::Icon::Warning);
        return false;
    }
    if (!master.ok()) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)を読み込めませんでした。\r\n\r\n%1")
                               .arg(master.errorText),
                           Prompter::Icon::Warning);
        return false;
    }
    using Reason = SkippedLine::Reason;
    reportSkippedLines(kMasterName, master.lines({Reason::Malformed, Reason::Repeated, Reason::Orphan}));
    if (const QList<int> oddTypes = master.lines({Reason::OddType}); !oddTypes.isEmpty())
        prompter_->message(QStringLiteral("%1 の次の行は費目の種類が 1 (出金) でも 2 (入金) でもないため、"
                                          "入金の費目として読み込みました。\r\n\r\n  行番号 : %2\r\n\r\n"
                                          "保存すると、種類は 2 (入金) として書き込まれます。")
                               .arg(kMasterName, lineListText(oddTypes)),
                           Prompter::Icon::Warning);
    // Without a category every entry of the year would be dropped at load
    // and the next save would write an empty year: never go on like that.
    if (master.data.categories.isEmpty()) {
        prompter_->message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)から費目をひとつも読み込めませんでした。\r\n\r\n"
                                          "ファイルが壊れているか、形式が正しくない可能性があります。\r\n"
                                          "費目のない家計簿は扱えないため、ファイルを確認して下さい。"),
                           Prompter::Icon::Warning);
        return false;
    }
    categoryList_ = std::move(master.data.categories);
    for (const auto& c : categoryList_)
        categoryByName_.add(c.item->name, c.item);

    if (mode == 1) {
        categoryUse_.clear();
        for (const auto& c : categoryList_)
            categoryUse_.push_back({c.item->no.toInt(), 0});
    }
    graphTargets_.clear();
    for (const auto& c : categoryList_)
        graphTargets_.push_back({c.item->no.toInt(), 1});
    emit masterChanged();
    return true;
}

QStringList LedgerModel::masterLines() const
{
    QStringList lines{QStringLiteral("C"),
                      QStringLiteral("*  Last modified: ") + headerDate(),
                      QStringLiteral("*"),
                      QStringLiteral("*  Kanelo Y -費目・摘要項目管理ファイル-"),
                      QStringLiteral("*"),
                      QString()};
    // Numbers are two digits: categories and sub-items are placed by number
    // rather than searched for each of the 99 numbers.
    std::array<const clsHimoku*, 100> byNo{};
    for (const auto& c : categoryList_)
        if (isTwoDigits(c.key, 1, 99))
            byNo[c.key.toInt()] = c.item.get();
    for (const clsHimoku* c : byNo) {
        if (!c)
            continue;
        lines << c->no + QStringLiteral("00") + c->name + QLatin1Char(':') + QString::number(c->ioflag) + QLatin1Char(':')
                     + QString::number(qint32(c->color)) + QLatin1Char(':') + QString::number(c->limit);
        std::array<const clsTekiyo*, 100> subs{};
        for (const auto& t : c->nTekiyo)
            if (isTwoDigits(t.key, 1, 99))
                subs[t.key.toInt()] = t.item.get();
        for (const clsTekiyo* t : subs)
            if (t)
                lines << c->no + t->no + t->name;
    }
    return lines;
}

namespace {
QString nameFault(const QString& name, bool isCategory, bool checkCodePage)
{
    const LedgerRules::NameFault f = LedgerRules::masterNameFault(name, isCategory, checkCodePage);
    switch (f.kind) {
    case LedgerRules::NameFault::Colon:
        return QStringLiteral("費目名に「:」は使えません。");
    case LedgerRules::NameFault::LineBreak:
        return QStringLiteral("名前に改行は使えません。");
    case LedgerRules::NameFault::Unstorable:
        return QStringLiteral("文字「%1」は保存できない文字です。").arg(f.character);
    case LedgerRules::NameFault::None:
        break;
    }
    return {};
}
}

QString LedgerModel::masterNameFault(const QString& name, bool isCategory) { return nameFault(name, isCategory, true); }

bool LedgerModel::masterFileBytes(QByteArray& out)
{
    if (!TextFile::codecAvailable()) {
        reportWriteFailure(masterPath(), TextFile::codecMissingMessage());
        return false;
    }
    const QString text = masterLines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    // The code page is tried on the whole file at once; on the names one by
    // one only to tell which name it cannot hold.
    const bool encoded = TextFile::encode(text, out);
    for (const auto& slot : categoryList_) {
        const auto& c = slot.item;
        QString fault = nameFault(c->name, true, !encoded);
        QString what;
        if (!fault.isEmpty())
            what = QStringLiteral("費目名 [%1]").arg(c->name);
        for (int i = 0; fault.isEmpty() && i < c->nTekiyo.count(); ++i) {
            fault = nameFault(c->nTekiyo.at(i)->name, false, !encoded);
            if (!fault.isEmpty())
                what = QStringLiteral("費目 [%1] の摘要項目 [%2]").arg(c->name, c->nTekiyo.at(i)->name);
        }
        if (!fault.isEmpty()) {
            prompter_->message(QStringLiteral("%1 は保存できないため、費目・摘要項目管理ファイルを保存できませんでした。\r\n\r\n%2")
                                   .arg(what, fault),
                               Prompter::Icon::Warning);
            return false;
        }
    }
    if (!encoded) {
        QString bad;
        TextFile::encode(text, out, &bad);
        reportWriteFailure(masterPath(), QStringLiteral("文字「%1」は保存できない文字です。").arg(bad));
        return false;
    }
    return true;
}

bool LedgerModel::WriteCategoryMaster()
{
    QByteArray bytes;
    return masterFileBytes(bytes) && commitFiles({{masterPath(), bytes}});
}
