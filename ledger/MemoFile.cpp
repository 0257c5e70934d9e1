#include "ledger/LedgerModel.h"

#include "ledger/Clock.h"
#include "ledger/LineText.h"
#include "ledger/ProgramFolder.h"
#include "ledger/Settings.h"
#include "ledger/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QSettings>

QString LedgerModel::keptMemoFolder()
{
    // Beside the per-user settings, apart for each program folder.
    const QFileInfo settings(QSettings(QSettings::IniFormat, QSettings::UserScope, kAppName, kAppName).fileName());
    const QByteArray key = QCryptographicHash::hash(QDir(programFolder()).absolutePath().toUtf8(), QCryptographicHash::Sha1);
    return settings.absolutePath() + QStringLiteral("/unsaved-memos/") + QString::fromLatin1(key.toHex().left(16));
}

QString LedgerModel::keptMemoPath(int year) { return keptMemoFolder() + QLatin1Char('/') + QString::number(year) + QStringLiteral(".zbm"); }

QString LedgerModel::memoSource(int year) const
{
    const QString kept = keptMemoPath(year);
    return QFileInfo::exists(kept) ? kept : memoPath(year);
}

void LedgerModel::SetMemo(const QString& key, const QString& text)
{
    if (const auto memo = memoList_.find(key))
        memo->name = text;
    else
        memoList_.add(key, std::make_shared<clsTekiyo>(clsTekiyo{key, text}));
    emit memoChanged(key);
}

void LedgerModel::RemoveMemo(const QString& key)
{
    if (memoList_.remove(key))
        emit memoChanged(key);
}

void LedgerModel::ClearMemos()
{
    if (memoList_.isEmpty())
        return;
    memoList_.clear();
    emit memoChanged(QString());
}

MemoFileRead LedgerModel::readMemoFileLines(const QString& path)
{
    MemoFileRead r;
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (!file.ok) {
        r.failAt(path, file.error);
        return r;
    }
    QSet<QString> days;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = trimSpaces(file.lines[i]);
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')))
            continue;
        const QString key = line.left(5);
        const bool keyOk = line.size() >= 5 && isTwoDigits(QStringView(key).left(2), 1, 12) && key[2] == QLatin1Char('/')
            && isTwoDigits(QStringView(key).mid(3, 2), 1, 31);
        // The text is all that follows the key, spaces at its start too, so
        // that it is written back as it was typed.
        r.data.push_back({i + 1, keyOk ? key : QString(), keyOk ? line.mid(5) : QString(), line});
        if (!keyOk)
            r.skipped.push_back({i + 1, SkippedLine::Reason::Malformed});
        else if (days.contains(key))
            r.skipped.push_back({i + 1, SkippedLine::Reason::Repeated});
        days.insert(key);
    }
    return r;
}

bool LedgerModel::ReadMemoFile(int year)
{
    const QString path = memoSource(year);
    // The kept lines always belong to the file read last.
    memoOtherLines_.clear();
    memoOtherYear_ = year;
    const MemoFileRead file = readMemoFileLines(path);
    if (file.error == ReadError::Missing)
        return true;
    if (!file.ok()) {
        prompter_->message(QStringLiteral("メモデータファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.errorText),
                           Prompter::Icon::Warning);
        return false;
    }
    // A line the calendar cannot show (no day, or a second memo of a day)
    // is still the user's: it stays in the file.
    QList<int> kept;
    for (const MemoLine& m : file.data) {
        if (m.key.isEmpty() || !memoList_.add(m.key, std::make_shared<clsTekiyo>(clsTekiyo{m.key, m.text}))) {
            memoOtherLines_ << m.whole;
            kept << m.line;
        }
    }
    if (!memoList_.isEmpty())
        emit memoChanged(QString());
    if (!kept.isEmpty())
        prompter_->message(QStringLiteral("%1 の次の行は日付 (mm/dd) が読み取れないか、同じ日のメモが重なっているため、"
                                          "カレンダーには表示しません。\r\n\r\n  行番号 : %2\r\n\r\n"
                                          "これらの行は消さずに、そのままファイルに残します。")
                               .arg(QFileInfo(path).fileName(), lineListText(kept)),
                           Prompter::Icon::Warning);
    return true;
}

bool LedgerModel::memoFileBytes(int year, QByteArray& bytes)
{
    if (!TextFile::codecAvailable()) {
        reportWriteFailure(memoPath(year), TextFile::codecMissingMessage());
        return false;
    }
    QStringList lines{QStringLiteral("*  Last modified: ") + Clock::today().toString(QStringLiteral("yyyy/MM/dd")),
                      QStringLiteral("*"),
                      QStringLiteral("*  メモデータ管理ファイル  [") + QString::number(year) + QStringLiteral("年度]"),
                      QStringLiteral("*"),
                      QString()};
    for (const auto& m : memoList_)
        lines << m.item->no + m.item->name;
    if (memoOtherYear_ == year)
        lines += memoOtherLines_;
    // The code page is tried on the whole file at once; line by line only to
    // tell which memo it cannot hold.
    if (TextFile::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes))
        return true;
    for (const QString& line : lines) {
        QByteArray b;
        QString bad;
        if (!TextFile::encode(line, b, &bad)) {
            prompter_->message(QStringLiteral("[%1] のメモの文字「%2」は保存できない文字のため、メモを保存できませんでした。")
                                   .arg(line.left(5), bad),
                               Prompter::Icon::Warning);
            break;
        }
    }
    return false;
}

bool LedgerModel::WriteMemoFile(int year)
{
    QByteArray bytes;
    if (!memoFileBytes(year, bytes))
        return false;
    keepBackup(memoPath(year));
    const TextFile::WriteResult r = TextFile::writeBytes(memoPath(year), bytes);
    if (!r.ok) {
        reportWriteFailure(memoPath(year), r.error);
        return false;
    }
    // Memos kept from an earlier failure are in the file now.
    QFile::remove(keptMemoPath(year));
    memoOtherLines_.clear();
    ClearMemos();
    return true;
}

bool LedgerModel::KeepUnsavedMemos(int year)
{
    QByteArray bytes;
    const bool encoded = memoFileBytes(year, bytes);
    const QString kept = keptMemoPath(year);
    TextFile::WriteResult r;
    if (encoded && QDir().mkpath(keptMemoFolder()))
        r = TextFile::writeBytes(kept, bytes);
    if (!r.ok) {
        prompter_->message(QStringLiteral("%1年のメモは、メモデータファイルにも預かり先 [%2] にも保存できませんでした。\r\n\r\n%3")
                               .arg(year)
                               .arg(QDir::toNativeSeparators(kept), r.error),
                           Prompter::Icon::Warning);
        return false;
    }
    prompter_->message(QStringLiteral("%1年のメモをメモデータファイル [%2] に保存できなかったため、次の場所に預かりました。"
                                      "\r\n\r\n  %3\r\n\r\n次に起動したときに、メモデータファイルに書き込みます。")
                           .arg(year)
                           .arg(QFileInfo(memoPath(year)).fileName(), QDir::toNativeSeparators(kept)),
                       Prompter::Icon::Information);
    memoOtherLines_.clear();
    ClearMemos();
    return true;
}

void LedgerModel::WriteKeptMemos()
{
    const QDir folder(keptMemoFolder());
    QStringList written;
    for (const QString& name : folder.entryList({QStringLiteral("*.zbm")}, QDir::Files, QDir::Name)) {
        bool isYear = false;
        const int year = QFileInfo(name).completeBaseName().toInt(&isYear);
        if (!isYear)
            continue;
        ClearMemos();
        ReadMemoFile(year);
        // A failure is reported by the write; the memos stay kept for the next start.
        if (WriteMemoFile(year))
            written << QFileInfo(memoPath(year)).fileName();
    }
    memoOtherLines_.clear();
    ClearMemos();
    if (!written.isEmpty())
        prompter_->message(QStringLiteral("前回保存できなかったメモを、メモデータファイル %1 に書き込みました。").arg(written.join(QStringLiteral("、"))),
                           Prompter::Icon::Information);
}
