// The calendar's memos: one line per day, kept per year in yyyy.zbm; the
// right-click menu that adds an entry or edits the memo of a day.
#include "calendar/frmCalender.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/LineText.h"
#include "calendar/MonthGridView.h"
#include "ledger/TextFile.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void frmCalender::loadMemos(int y)
{
    model_.ClearMemos();
    // A file that is there but cannot be read must not be replaced by the
    // few memos typed since.
    memosUnreadable_ = !model_.ReadMemoFile(y);
    // Memos kept from a failed save still wait for their file.
    memosChanged_ = model_.memoSource(y) != model_.memoPath(y);
}

bool frmCalender::saveMemos(bool askOnFailure)
{
    if (!memosChanged_) {
        model_.ClearMemos();
        return true;
    }
    Prompter& p = model_.prompter();
    const QString fileName = QString::number(year) + QStringLiteral(".zbm");
    if (memosUnreadable_) {
        QString text = QStringLiteral("メモデータファイル [%1] を読み込めなかったため、メモを保存すると"
                                      "ファイルにあったメモが失われます。メモは保存しませんでした。")
                           .arg(fileName);
        // The program ends: the memos typed since can only be shown.
        if (!askOnFailure) {
            text += QStringLiteral("\r\n\r\n保存しなかったメモ:");
            for (const auto& m : model_.memoList())
                text += QStringLiteral("\r\n  ") + m.key + QLatin1Char(' ') + m.item->name;
        }
        p.message(text, Prompter::Icon::Warning);
    } else if (model_.WriteMemoFile(year)) {
        memosChanged_ = false;
        return true;
    }
    // The memos stay in memory unless the user lets them go; as the program
    // ends they are kept for its next start.
    if (!askOnFailure) {
        if (!memosUnreadable_ && model_.KeepUnsavedMemos(year))
            memosChanged_ = false;
        return false;
    }
    const auto answer = p.question(QStringLiteral("%1年のメモを保存できませんでした。\r\n\r\n"
                                                  "保存していないメモを破棄して続けますか。\r\n\r\n"
                                                  "  ・メモを破棄して続ける場合は [はい]\r\n"
                                                  "  ・メモを残してこのままにする場合は [いいえ]")
                                       .arg(year),
                                   Prompter::Buttons::YesNo, QStringLiteral("メモの保存"), Prompter::Answer::No);
    if (answer != Prompter::Answer::Yes)
        return false;
    model_.ClearMemos();
    memosChanged_ = false;
    return true;
}

bool frmCalender::ChangeYear(int newYear)
{
    if (!saveMemos(true))
        return false;
    year = newYear;
    loadMemos(year);
    return true;
}

bool frmCalender::isToday(const QString& key) const
{
    const QDate today = Clock::today();
    return year == today.year() && key == Fmt::zero2(today.month()) + QLatin1Char('/') + Fmt::zero2(today.day());
}

bool frmCalender::prepareRightMenu()
{
    if (!(pmonth < nowpos && nowpos < nmonth))
        return false;
    rightKey_ = memoKey(nowpos);
    const bool hasMemo = model_.memoList().contains(rightKey_);
    // Entries go into the loaded year only.
    mnuRightItem[0]->setEnabled(linkCalendar_ && year == model_.curYear());
    mnuRightItem[2]->setText(hasMemo ? QStringLiteral("メモの変更") : QStringLiteral("メモの追加"));
    mnuRightItem[2]->setData(hasMemo ? QStringLiteral("mod") : QStringLiteral("add"));
    mnuRightItem[3]->setEnabled(hasMemo);
    return true;
}

void frmCalender::mnuRightItem_Click(int index)
{
    if (rightKey_.isEmpty())
        return;
    if (index == 0) {
        if (year == model_.curYear())
            emit addEntryRequested(rightKey_);
    } else if (index == 2) {
        editMemo();
    } else if (index == 3) {
        deleteMemo();
    }
}

void frmCalender::editMemo()
{
    Prompter& p = model_.prompter();
    const auto memo = model_.memoList().find(rightKey_);
    const QString title = QLatin1Char('[') + rightKey_ + QStringLiteral("] ") + mnuRightItem[2]->text();
    QString text = memo ? memo->name : QString();
    for (;;) {
        const QString typed = p.input(QStringLiteral("メモを入力して下さい。"), title, text);
        // Spaces at the start stay as typed; the file keeps none at the end.
        text = typed;
        while (text.endsWith(QLatin1Char(' ')))
            text.chop(1);
        if (trimSpaces(text).isEmpty())
            return;
        QByteArray encoded;
        QString bad;
        if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
            p.message(QStringLiteral("メモは1行で入力して下さい。改行は入力できません。"), Prompter::Icon::Warning, title);
        else if (!TextFile::encode(text, encoded, &bad))
            p.message(QStringLiteral("「%1」はメモに保存できない文字です。別の文字で入力して下さい。").arg(bad),
                      Prompter::Icon::Warning, title);
        else
            break;
        // Asked again with what was typed, so nothing typed is lost.
        text.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    model_.SetMemo(rightKey_, text);
    memosChanged_ = true;
    setCellTips();
    showMemoOf(nowpos);
    if (isToday(rightKey_))
        emit todayMemoChanged(text);
}

void frmCalender::deleteMemo()
{
    const auto memo = model_.memoList().find(rightKey_);
    if (!memo)
        return;
    const QString question = QStringLiteral("[%1] のメモを削除してよろしいですか。\r\n\r\n  [メモ]  %2").arg(rightKey_, memo->name);
    if (model_.prompter().question(question, Prompter::Buttons::YesNo, QStringLiteral("メモの削除"), Prompter::Answer::No)
        != Prompter::Answer::Yes)
        return;
    model_.RemoveMemo(rightKey_);
    // The year's file is rewritten even when no memo is left.
    memosChanged_ = true;
    setCellTips();
    showMemoOf(nowpos);
    if (isToday(rightKey_))
        emit todayMemoChanged(QString());
}
