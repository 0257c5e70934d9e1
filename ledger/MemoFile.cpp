#include "LedgerModel.h"

#include "Clock.h"
#include "LineText.h"
#include "TextFile.h"

#include <QFileInfo>

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

bool LedgerModel::ReadMemoFile(int year)
{
    const QString path = memoPath(year);
    // The kept lines always belong to the file read last.
    memoOtherLines_.clear();
    memoOtherYear_ = year;
    if (!QFileInfo::exists(path))
        return true;
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (!file.ok) {
        prompter_->message(QStringLiteral("メモデータファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.error),
                           Prompter::Icon::Warning);
        return false;
    }
    QList<int> kept;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = trimSpaces(file.lines[i]);
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')))
            continue;
        const QString key = line.left(5);
        const bool keyOk = line.size() >= 5 && isTwoDigits(QStringView(key).left(2), 1, 12) && key[2] == QLatin1Char('/')
            && isTwoDigits(QStringView(key).mid(3, 2), 1, 31);
        // The text is trimmed too: spaces typed after the key are no part of the memo.
        // A line the calendar cannot show (no day, or a second memo of a day)
        // is still the user's: it stays in the file.
        if (!keyOk || !memoList_.add(key, std::make_shared<clsTekiyo>(clsTekiyo{key, trimSpaces(line.mid(5))}))) {
            memoOtherLines_ << line;
            kept << i + 1;
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

bool LedgerModel::WriteMemoFile(int year)
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
    // The code page is tried on the whole file at once; memo by memo only to
    // tell which one it cannot hold.
    QByteArray bytes;
    const bool encoded = TextFile::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes);
    for (int i = 0; !encoded && i < memoList_.count(); ++i) {
        const auto& memo = memoList_.at(i);
        QByteArray b;
        QString bad;
        if (!TextFile::encode(memo->name, b, &bad)) {
            prompter_->message(QStringLiteral("[%1] のメモの文字「%2」は保存できない文字のため、メモを保存できませんでした。")
                                   .arg(memo->no, bad),
                               Prompter::Icon::Warning);
            return false;
        }
    }
    keepBackup(memoPath(year));
    const TextFile::WriteResult r =
        encoded ? TextFile::writeBytes(memoPath(year), bytes) : TextFile::writeLines(memoPath(year), lines);
    if (!r.ok) {
        reportWriteFailure(memoPath(year), r.error);
        return false;
    }
    memoOtherLines_.clear();
    ClearMemos();
    return true;
}
