// Start-up, the stored settings and the list font size.
#include "app/frmKanelo.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "month/MonthViews.h"
#include "ledger/ProgramFolder.h"
#include "ledger/Settings.h"
#include "recurring/TeikiBook.h"
#include "app/frmVersion.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QAction>
#include <filesystem>

namespace {
bool allDigits(const QString& s)
{
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool isTrue(const QString& s) { return s.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0; }
QString trueFalse(bool b) { return b ? QStringLiteral("True") : QStringLiteral("False"); }

// Geometry is stored in twips. The conversion rounds both ways, so a stored
// value always restores the same pixels; values are whole numbers of any
// size (a large screen does not overflow 16 bits).
double dpi(const QWidget* w)
{
    const QScreen* s = w->screen();
    return s ? s->logicalDotsPerInchX() : 96.0;
}
int toTwips(int px, double dpi) { return qRound(px * 1440.0 / dpi); }
int toPixels(int twips, double dpi) { return qRound(twips * dpi / 1440.0); }

// The list font sizes the options accept.
constexpr int kMinFontSize = 6;
constexpr int kMaxFontSize = 48;

int readTwips(const QString& key, int current)
{
    bool ok = false;
    const int v = ReadSetting(kAppName, QStringLiteral("Settings"), key, QString::number(current)).trimmed().toInt(&ok);
    return ok ? v : current;
}
}

int frmKanelo::yearInCommandLine(const QString& commandLine)
{
    const QString line = commandLine.trimmed();
    if (line.isEmpty())
        return 0;
    const QString s = line.right(8);
    if (s.right(4).toLower() != QLatin1String(".zbl") || !allDigits(s.left(4)) || s.size() < 8)
        return -1;
    return s.left(4).toInt();
}

int frmKanelo::ParseCommandLine(const QString& commandLine, LedgerModel& model)
{
    const int year = yearInCommandLine(commandLine);
    if (year == -1) {
        model.prompter().message(QStringLiteral("指定されたファイルは家計簿データファイルではありません。\r\n\r\n"
                                                "家計簿データファイル(yyyy.zbl)を指定して下さい。\r\nプログラムを終了します。"),
                                 Prompter::Icon::Warning);
    }
    return year;
}

bool frmKanelo::Form_Load(const QString& commandLine)
{
    LedgerModel& m = *model_;
    splash = new frmVersion;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->showAsSplash();
    auto endProgram = [this] {
        if (splash)
            splash->close();
        return false;
    };

    const int year = ParseCommandLine(commandLine, m);
    if (year == -1)
        return endProgram();
    if (year != 0)
        m.setStart(year, 1);
    else
        m.setStart(Clock::today().year(), Clock::today().month());

    readSettings();
    mnuFileItem[5]->setVisible(QFile::exists(importToolPath()));
    UpdateCaption();

    // Selecting the start month is no click: the month is built below.
    views->tabTag = QStringLiteral("NOT CLICK");
    views->tabMonth->setCurrentIndex(m.curMonth() - 1);
    views->tabTag.clear();

    const QString yearFile = m.yearPath(m.curYear());
    if (QFile::exists(yearFile)) {
        // One copy in the kernel: the year can be megabytes and the window waits.
        const QString copy = programFile(QString::number(m.curYear()) + QStringLiteral(".z__"));
        const std::filesystem::path to = QFile::encodeName(copy).toStdString();
        std::error_code error;
        std::filesystem::remove(to, error); // a read-only old copy too
        std::filesystem::copy_file(QFile::encodeName(yearFile).toStdString(), to, error);
    }

    if (!m.ReadCategoryMaster(1))
        return endProgram();
    // The month views follow the master and the year as they are read.
    m.LoadYearFile();
    OfferLeftoverMerge();
    m.RankCategoriesByUse();
    m.WriteKeptMemos();
    m.ReadMemoFile(m.curYear());
    TodayMemoFromList();

    views->setSummaryMode(0);
    if (splash)
        splash->close();
    show();
    // The keyboard is the window's from the start, also where no window
    // manager hands it over (the start-up questions had it before).
    activateWindow();
    views->loaded = true;
    // The rules are read with the window in view, to which their messages
    // and the question of what is due belong.
    teiki->read();
    OfferRecurring();
    return true;
}

void frmKanelo::StartedAgain(const QString& commandLine)
{
    if (isMinimized())
        showNormal();
    // A dialog or message box open over the window stays in front of it and
    // keeps the keyboard; the year waits for the user to finish there.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* front = modal ? modal : this;
    front->raise();
    front->activateWindow();
    if (modal || importRunning || !isVisible())
        return;
    LedgerModel& m = *model_;
    const int year = yearInCommandLine(commandLine);
    if (year <= 0 || year == m.curYear())
        return;
    // As 開く: the open year is saved first; one that cannot be saved stays open.
    if (m.SaveYearFile(1)) {
        SwitchYear(year);
        views->sbrStatus->showMessage(QStringLiteral("%1 年度の家計簿データファイルを開きました。").arg(year), 8000);
    }
}

void frmKanelo::TodayMemoFromList()
{
    const QDate today = Clock::today();
    const auto memo = model_->memoList().find(Fmt::zero2(today.month()) + QLatin1Char('/') + Fmt::zero2(today.day()));
    ShowTodayMemo(memo ? memo->name : QString());
}

void frmKanelo::readSettings()
{
    const double d = dpi(this);
    const int left = readTwips(QStringLiteral("left"), toTwips(x(), d));
    const int top = readTwips(QStringLiteral("top"), toTwips(y(), d));
    const int width = readTwips(QStringLiteral("width"), toTwips(this->width(), d));
    const int height = readTwips(QStringLiteral("height"), toTwips(this->height(), d));
    move(toPixels(left, d), toPixels(top, d));
    resize(toPixels(width, d), toPixels(height, d));

    const bool toolbar = isTrue(ReadSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("toolbar"), QStringLiteral("True")));
    tbrToolBar->setHidden(!toolbar);
    mnuEnvItem[0]->setChecked(!toolbar);

    bool ok = false;
    const int size = ReadSetting(kAppName, QStringLiteral("Options"), QStringLiteral("fontsize"), QStringLiteral("11")).toInt(&ok);
    // Both lists: the size was chosen for both (Options) and is stored once.
    if (ok && size >= kMinFontSize && size <= kMaxFontSize)
        views->setListFontSize(size, true);

    linkCalendar = isTrue(ReadSetting(kAppName, QStringLiteral("Options"), QStringLiteral("movewith"), QStringLiteral("False")));
    mnuEnvSubItem[0]->setChecked(linkCalendar);
}

void frmKanelo::writeSettings()
{
    const double d = dpi(this);
    WriteSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("left"), QString::number(toTwips(x(), d)));
    WriteSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("top"), QString::number(toTwips(y(), d)));
    WriteSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("width"), QString::number(toTwips(width(), d)));
    WriteSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("height"), QString::number(toTwips(height(), d)));
    WriteSetting(kAppName, QStringLiteral("Settings"), QStringLiteral("toolbar"), trueFalse(!tbrToolBar->isHidden()));
    WriteSetting(kAppName, QStringLiteral("Options"), QStringLiteral("fontsize"), QString::number(views->listFontSize()));
    WriteSetting(kAppName, QStringLiteral("Options"), QStringLiteral("movewith"), trueFalse(linkCalendar));
}

void frmKanelo::ChangeFontSize()
{
    const QString current = QString::number(views->listFontSize());
    QString shown = current;
    for (;;) {
        const QString answer = model_->prompter().input(
            QStringLiteral("家計簿データ入力画面のフォントサイズを入力して下さい。\r\n\r\n  現在のフォントサイズ : ") + current,
            QStringLiteral("データ入力画面のフォントサイズ変更"), shown);
        if (answer.trimmed().isEmpty())
            return;
        if (const auto size = Num::toInt32(answer); size && *size >= kMinFontSize && *size <= kMaxFontSize) {
            views->setListFontSize(*size, true);
            return;
        }
        shown = answer.trimmed();
        model_->prompter().message(QStringLiteral("フォントサイズ [%1] は使えません。\r\n\r\n%2 から %3 までの数値で入力して下さい。")
                                       .arg(shown)
                                       .arg(kMinFontSize)
                                       .arg(kMaxFontSize),
                                   Prompter::Icon::Warning);
    }
}
