// The File menu: new year, open, save, CSV export and exit.
#include "app/frmKanelo.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "ledger/LedgerRules.h"
#include "month/MonthViews.h"
#include "ledger/ProgramFolder.h"
#include "ledger/TextFile.h"
#include "reports/frmPrint.h"
#include "reports/frmPrintY.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStatusBar>

namespace {
bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Fields holding a separator, a quote or a line break are quoted as CSV
// readers expect; all others are written as they are.
void appendField(QString& line, const QString& field)
{
    if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) || field.contains(QLatin1Char('\n'))
        || field.contains(QLatin1Char('\r'))) {
        QString quoted = field;
        quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
        line += QLatin1Char('"') + quoted + QLatin1Char('"');
    } else {
        line += field;
    }
}
}

void frmKanelo::mnuFileItem_Click(int index)
{
    switch (index) {
    case 0: NewYearFile(); break;
    case 1: OpenYearFile(); break;
    case 3: SaveAndConfirm(); break;
    case 5: ImportData(); break;
    case 6: ExportCsv(); break;
    case 10: ExitProgram(); break;
    default: break;
    }
}

void frmKanelo::mnuFileSubItem_Click(int index)
{
    if (index == 0) {
        frmPrint w(*model_, this);
        w.exec();
    } else if (index == 1) {
        frmPrintY w(*model_, this);
        w.exec();
    }
}

// A save that worked is confirmed quietly in the status bar; a failure has
// been reported in a message box.
void frmKanelo::SaveAndConfirm()
{
    if (model_->SaveYearFile(1))
        views->sbrStatus->showMessage(QStringLiteral("家計簿データファイル [%1.zbl] を上書き保存しました。")
                                          .arg(model_->curYear()),
                                      4000);
}

void frmKanelo::SwitchYear(int year)
{
    LedgerModel& m = *model_;
    m.setYear(year);
    UpdateCaption();
    // The month views follow the loaded year.
    m.LoadYearFile();
    OfferLeftoverMerge();
    OfferRecurring();
}

void frmKanelo::NewYearFile()
{
    LedgerModel& m = *model_;
    Prompter& p = m.prompter();
    const QString answer = p.input(QStringLiteral("作成する年度を西暦(4桁)で入力して下さい。(半角入力)"),
                                   QStringLiteral("新規家計簿ファイル作成"), QString::number(m.startYear()));
    if (answer.isEmpty())
        return;
    const QString s = Num::halfWidth(answer).trimmed();
    QString error;
    if (s.size() != 4)
        error = QStringLiteral("入力された年度が [4] 桁以外です。");
    else if (!allDigits(s))
        error = QStringLiteral("入力された年度が数値以外です。");
    if (!error.isEmpty()) {
        p.message(error, Prompter::Icon::Warning);
        return;
    }
    const int year = s.toInt();
    if (QFile::exists(m.yearPath(year))) {
        QString text = QStringLiteral("すでに ") + s + QStringLiteral(" 年度のデータファイルが存在しますが、作成し直しますか。");
        if (year == m.curYear()) {
            qsizetype entries = 0;
            for (const MonthSlot& slot : m.monthSlots())
                entries += slot.count();
            if (entries > 0)
                text += QStringLiteral("\r\n\r\n[はい] を選ぶと、開いている %1 年度の %2 件のデータはすべて失われます。")
                            .arg(s)
                            .arg(entries);
        }
        // Yes wipes a year; Enter must not.
        const auto again = p.question(text, Prompter::Buttons::YesNo, QStringLiteral("新規データファイル作成"), Prompter::Answer::No);
        if (again == Prompter::Answer::No) {
            // An open year that could not be saved is not left behind.
            if (year != m.curYear() && m.SaveYearFile(1))
                SwitchYear(year);
            return;
        }
    }
    // Entries typed into the open year are not dropped when another year
    // takes its place: it is saved first, as opening a year does.
    if (year != m.curYear() && !m.SaveYearFile(1))
        return;
    const QString path = m.yearPath(year);
    // The year made anew can be had back from its copy.
    m.keepBackup(path);
    if (QFile::exists(path) && !QFile::remove(path)) {
        p.message(QStringLiteral("家計簿データファイル [%1] を削除できないため、作成し直せません。")
                      .arg(QDir::toNativeSeparators(path)),
                  Prompter::Icon::Warning);
        return;
    }
    // Loading a year without a file creates it with the carry-over question
    // of a first start: the open year's carry-over belongs to that year only.
    SwitchYear(year);
}

void frmKanelo::OpenYearFile()
{
    LedgerModel& m = *model_;
    Prompter& p = m.prompter();
    for (;;) {
        QString path = p.openFile(QStringLiteral("Kanelo Y -家計簿ファイルを開く"),
                                  {QStringLiteral("家計簿データファイル(*.zbl)|*.zbl"), QStringLiteral("すべてのﾌｧｲﾙ(*.*)|*.*")},
                                  QDir::currentPath());
        if (path.isEmpty())
            return;
        const qsizetype nul = path.indexOf(QChar(0));
        if (nul >= 0)
            path.truncate(nul);
        const QString s = path.right(8);
        if (!s.endsWith(QLatin1String(".zbl"))) {
            p.message(QStringLiteral("家計簿データファイルを指定して下さい。\r\n\r\n  形式は [yyyy.zbl (yyyy:西暦年(4桁))]"),
                      Prompter::Icon::Warning);
            continue;
        }
        if (s.size() == 8 && allDigits(s.left(4))) {
            const int year = s.left(4).toInt();
            if (year != m.curYear() && m.SaveYearFile(1))
                SwitchYear(year);
            return;
        }
        p.message(QStringLiteral("指定された家計簿データファイル名が正しくありません。\r\n\r\n"
                                 "  正しい形式は [yyyy.zbl (yyyy:西暦年(4桁))] です。"),
                  Prompter::Icon::Warning);
    }
}

// The ",category,sub-item," middle of an export line for one category and
// sub-item number, as the master now names them.
QString frmKanelo::csvNames(const QString& categoryNo, const QString& subNo) const
{
    const auto names = LedgerRules::namesOf(model_->category(categoryNo).get(), categoryNo, subNo);
    const QString& category = names.category;
    const QString& sub = names.sub;
    QString middle = QStringLiteral(",");
    appendField(middle, category);
    middle += QLatin1Char(',');
    appendField(middle, sub);
    return middle + QLatin1Char(',');
}

void frmKanelo::ExportCsv()
{
    LedgerModel& m = *model_;
    // The chooser asks before it lets an existing file be replaced.
    QString path = m.prompter().saveFile(QStringLiteral("家計簿データのエクスポート"),
                                         {QStringLiteral("CSVファイル(*.csv)|*.csv")},
                                         programFile(QString::number(m.startYear()) + QStringLiteral(".csv")));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    auto fail = [&](const QString& why) {
        m.prompter().message(QStringLiteral("CSVファイル [") + QDir::toNativeSeparators(path)
                                 + QStringLiteral("] を作成できませんでした。\r\n\r\n") + why,
                             Prompter::Icon::Warning);
    };

    // Names are encoded once per category and sub-item; dates and amounts are ASCII.
    QHash<int, QByteArray> names;
    QByteArray bytes;
    bytes.reserve(1024 * 1024);
    for (int month = 1; month <= 12; ++month) {
        for (const Entry& e : m.slot(month).entries) {
            const int key = e.categoryNo * 100 + e.subNo;
            auto it = names.find(key);
            if (it == names.end()) {
                const QString middle = csvNames(e.category(), e.sub());
                QByteArray encoded;
                QString bad;
                if (!TextFile::encode(middle, encoded, &bad)) {
                    fail(QStringLiteral("「%1」の文字「%2」は保存できない文字です。").arg(middle.mid(1).chopped(1), bad));
                    return;
                }
                it = names.insert(key, encoded);
            }
            bytes += e.date().toLatin1();
            bytes += *it;
            bytes += QByteArray::number(e.out);
            bytes += ',';
            bytes += QByteArray::number(e.in);
            bytes += "\r\n";
        }
    }
    const TextFile::WriteResult r = TextFile::writeBytes(path, bytes);
    if (!r.ok) {
        fail(r.error);
        return;
    }
    m.prompter().message(QStringLiteral("CSV出力が完了しました。\r\n\r\nファイル名 [") + QDir::toNativeSeparators(path)
                             + QStringLiteral("]"),
                         Prompter::Icon::Information);
}

void frmKanelo::ExitProgram()
{
    writeSettings();
    // A year that could not be saved keeps the program running: the user has been told.
    if (!model_->SaveYearFile(1))
        return;
    closingByProgram_ = true;
    close();
}
