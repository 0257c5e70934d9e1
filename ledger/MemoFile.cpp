#include "LedgerModel.h"

#include "Clock.h"
#include "LineText.h"
#include "TextFile.h"

#include <QFileInfo>

void LedgerModel::ReadMemoFile(int year)
{
    const QString path = memoPath(year);
    if (!QFileInfo::exists(path))
        return;
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (!file.ok) {
        prompter_->message(QStringLiteral("メモデータファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.error),
                           Prompter::Icon::Warning);
        return;
    }
    QList<int> skipped;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = trimSpaces(file.lines[i]);
        if (line.isEmpty() || line.startsWith(QLatin1Char('*')))
            continue;
        const QString key = line.left(5);
        const bool keyOk = line.size() >= 5 && isTwoDigits(QStringView(key).left(2), 1, 12) && key[2] == QLatin1Char('/')
            && isTwoDigits(QStringView(key).mid(3, 2), 1, 31);
        // The text is trimmed too: spaces typed after the key are no part of the memo.
        // A second memo for the same day cannot be held; say so instead of losing it unnoticed.
        if (!keyOk || !memoList.add(key, std::make_shared<clsTekiyo>(clsTekiyo{key, trimSpaces(line.mid(5))})))
            skipped << i + 1;
    }
    reportSkippedLines(QFileInfo(path).fileName(), skipped);
}

bool LedgerModel::WriteMemoFile(int year)
{
    QStringList lines{QStringLiteral("*  Last modified: ") + Clock::today().toString(QStringLiteral("yyyy/MM/dd")),
                      QStringLiteral("*"),
                      QStringLiteral("*  メモデータ管理ファイル  [") + QString::number(year) + QStringLiteral("年度]"),
                      QStringLiteral("*"),
                      QString()};
    for (const auto& m : memoList) {
        QByteArray b;
        QString bad;
        if (!TextFile::encode(m.item->name, b, &bad)) {
            prompter_->message(QStringLiteral("[%1] のメモの文字「%2」は保存できない文字のため、メモを保存できませんでした。")
                                   .arg(m.item->no, bad),
                               Prompter::Icon::Warning);
            return false;
        }
        lines << m.item->no + m.item->name;
    }
    const TextFile::WriteResult r = TextFile::writeLines(memoPath(year), lines);
    if (!r.ok) {
        reportWriteFailure(memoPath(year), r.error);
        return false;
    }
    memoList.clear();
    return true;
}
