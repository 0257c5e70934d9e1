#include "LedgerModel.h"

#include "Formats.h"
#include "LineText.h"
#include "TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
const QString kCarryPrompt = QStringLiteral("前年度の繰越残高を入力して下さい。\r\n\r\n"
                                            "(赤字の場合は、先頭に\"-(マイナス)\"をつけて下さい。)");

QString fileName(const QString& path) { return QFileInfo(path).fileName(); }

// An entry line "mm/ddccssamount"; false when it breaks the layout.
bool parseEntryLine(const QString& line, Entry& e)
{
    if (line.size() < 10)
        return false;
    const QStringView v(line);
    if (!isTwoDigits(v.left(2), 1, 12) || line[2] != QLatin1Char('/') || !isTwoDigits(v.mid(3, 2), 1, 31)
        || !isTwoDigits(v.mid(5, 2), 1, 99) || !isTwoDigits(v.mid(7, 2), 0, 99))
        return false;
    const auto amount = Num::parseFileInt32(v.mid(9));
    if (!amount)
        return false;
    e.date = line.left(5);
    e.category = line.mid(5, 2);
    e.sub = line.mid(7, 2);
    e.out = *amount; // the category decides the side
    return true;
}
}

bool LedgerModel::askNewYearCarryOver()
{
    bool askAmount = true;
    if (QFileInfo::exists(yearPath(curYear - 1))) {
        const auto answer = prompter_->question(
            QString::number(curYear) + QStringLiteral(" 年度のデータファイルを作成します。\r\n前年度 (")
                + QString::number(curYear - 1)
                + QStringLiteral("年) の残高を繰越高として引き継ぎますか。\r\n\r\n"
                                 "[はい]を選択した場合、前年度データファイルから自動算出します。"),
            Prompter::Buttons::YesNo);
        if (answer == Prompter::Answer::Yes) {
            carryAuto = true;
            carryOver = Num::toInt32(CalcPrevCarryOver()).value_or(0);
            askAmount = false;
        }
    }
    if (askAmount) {
        carryAuto = false;
        for (;;) {
            const QString answer = prompter_->input(kCarryPrompt, QStringLiteral("前年度繰越残高の設定"), QStringLiteral("0"));
            if (Num::beyondInt32(answer)) {
                prompter_->message(QStringLiteral("入力された金額が大きすぎます。\r\n\r\n"
                                                  "-2,147,483,648 から 2,147,483,647 までの金額を入力して下さい。"),
                                   Prompter::Icon::Warning);
                continue;
            }
            carryOver = Num::toInt32(answer).value_or(0);
            break;
        }
    }
    return SaveYearFile(0);
}

bool LedgerModel::LoadYearFile()
{
    const QString path = yearPath(curYear);
    if (!QFileInfo::exists(path) && !askNewYearCarryOver())
        return false;

    const TextFile::ReadResult file = TextFile::readLines(path);
    yearUnreadable = !file.ok;
    if (!file.ok) {
        prompter_->message(QStringLiteral("家計簿データファイル [%1] を読み込めませんでした。\r\n\r\n%2").arg(path, file.error),
                           Prompter::Icon::Warning);
        return false;
    }
    for (MonthSlot& s : monthSlots) {
        s.totalOut = s.totalIn = 0;
        s.entries.reserve(s.entries.size() + file.lines.size() / 12);
    }

    QList<int> skipped;
    for (int i = 0; i < file.lines.size(); ++i) {
        const QString line = trimSpaces(file.lines[i]);
        if (line.isEmpty() || line == QLatin1String("C") || line.startsWith(QLatin1Char('*')) || line.startsWith(QLatin1Char('$')))
            continue;
        const QChar first = line[0];
        if (first == QLatin1Char('&') || first == QLatin1Char('#')) {
            const auto value = Num::parseFileInt32(QStringView(line).mid(1));
            if (!value) {
                skipped << i + 1;
                continue;
            }
            carryOver = *value;
            carryAuto = first == QLatin1Char('#');
            if (carryAuto) {
                const QString r = CalcPrevCarryOver();
                if (r != QLatin1String("NOFILE") && !r.isEmpty())
                    carryOver = Num::toInt32(r).value_or(carryOver);
            }
            continue;
        }
        Entry e;
        if (!parseEntryLine(line, e)) {
            skipped << i + 1;
            continue;
        }
        const auto cat = category(e.category);
        if (!cat) {
            prompter_->message(QStringLiteral("費目番号 [") + e.category + QStringLiteral("] に該当する費目は削除されています。"),
                               Prompter::Icon::Warning);
            continue;
        }
        if (cat->ioflag != 1) {
            e.in = e.out;
            e.out = 0;
        }
        if (e.sub != QLatin1String("00") && !cat->nTekiyo.contains(e.sub)) {
            prompter_->message(QStringLiteral("費目 [") + cat->name + QStringLiteral("] の [") + e.sub
                                   + QStringLiteral("] に該当する摘要項目は削除されているため、\r\n"
                                                    " [摘要項目なし] のデータとして処理を続行します。"),
                               Prompter::Icon::Warning);
            e.sub = QStringLiteral("00");
        }
        e.id = nextEntryId();
        MonthSlot& s = slot(e.month());
        s.totalOut += e.out;
        s.totalIn += e.in;
        s.entries.push_back(std::move(e));
    }
    reportSkippedLines(fileName(path), skipped);
    return true;
}

qint64 LedgerModel::yearEndBalance() const
{
    qint64 balance = carryOver;
    for (const MonthSlot& s : monthSlots)
        for (const Entry& e : s.entries)
            balance += e.out > 0 ? -qint64(e.out) : qint64(e.in);
    return balance;
}

bool LedgerModel::SaveYearFile(int mode)
{
    if (yearUnreadable && mode == 1) {
        prompter_->message(QStringLiteral("家計簿データファイル [%1] は読み込めなかったため、上書き保存しません。")
                               .arg(yearPath(curYear)),
                           Prompter::Icon::Warning);
        return false;
    }
    qint32 carry = carryOver;
    if (carryAuto) {
        carry = 0;
        if (mode == 1) {
            const QString r = CalcPrevCarryOver();
            if (r != QLatin1String("NOFILE") && !r.isEmpty())
                carry = Num::toInt32(r).value_or(0);
        }
    }

    QByteArray out;
    out.reserve(64 * 1024);
    {
        QByteArray header;
        TextFile::encode(QStringLiteral("C\r\n* Last modified: ") + headerDate()
                             + QStringLiteral("\r\n*\r\n*  Kanelo Y -データファイル (") + QString::number(curYear)
                             + QStringLiteral("年度)-\r\n*\r\n*      [データ内容] 日付/費目/摘要項目/出入金\r\n*\r\n\r\n"),
                         header);
        out += header;
    }
    out += carryAuto ? '#' : '&';
    out += QByteArray::number(carry);
    out += "\r\n";

    qint64 sumOut = 0, sumIn = 0;
    if (mode == 1) {
        for (const MonthSlot& s : monthSlots) {
            for (const Entry& e : s.entries) {
                out += e.date.toLatin1();
                out += e.category.toLatin1();
                out += e.sub.toLatin1();
                if (e.out > 0) {
                    out += QByteArray::number(e.out);
                    sumOut += e.out;
                } else {
                    out += QByteArray::number(e.in);
                    sumIn += e.in;
                }
                out += "\r\n";
            }
        }
    }
    out += '$';
    out += QByteArray::number(qint64(carry) + sumIn - sumOut);
    out += "\r\n";

    const QString path = yearPath(curYear);
    const TextFile::WriteResult r = TextFile::writeBytes(path, out);
    if (!r.ok) {
        reportWriteFailure(path, r.error);
        return false;
    }
    carryOver = carry;
    return true;
}

QString LedgerModel::CalcPrevCarryOver()
{
    const QString path = yearPath(curYear - 1);
    if (!QFileInfo::exists(path))
        return QStringLiteral("NOFILE");
    QFile f(path);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    // "$" is plain ASCII and never the second byte of a CP932 character, so
    // the balance line is found in the raw bytes.
    qsizetype at = bytes.startsWith('$') ? 0 : -1;
    if (at < 0) {
        const qsizetype nl = bytes.indexOf("\n$");
        at = nl < 0 ? -1 : nl + 1;
    }
    if (at >= 0) {
        qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            end = bytes.size();
        const QString value = trimSpaces(QString::fromLatin1(bytes.mid(at + 1, end - at - 1)).remove(QLatin1Char('\r')));
        if (Num::parseFileInt32(value))
            return value;
    }
    prompter_->message(QStringLiteral("家計簿データファイルが異常です。"), Prompter::Icon::Warning);
    return QString();
}
