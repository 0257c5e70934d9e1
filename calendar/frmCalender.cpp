// The calendar window: the grid, paging, closing and the link with the main
// window.
#include "calendar/frmCalender.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "calendar/MonthGridView.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <bitset>

namespace {
const QString kFromMain = QStringLiteral("from main");
const QString kFromSub = QStringLiteral("from sub");
}

frmCalender::frmCalender(LedgerModel& model, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint), model_(model)
{
    setObjectName(QStringLiteral("frmCalender"));
    buildWindow();
    showLink(false);

    nmonth = 42;
    nowpos = -1;
    pmonth = -1;
    year = model_.curYear();
    month = model_.curMonth();
    loadMemos(year);
    // Opening shows the ledger's month: nothing to hand back to it.
    tag = kFromMain;
    RemakeCalender();
}

void frmCalender::buildWindow()
{
    mnuExit = menuBar()->addAction(QStringLiteral("閉じる(&X)"), this, &QWidget::close);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    mnuJump = menuBar()->addMenu(QStringLiteral("ジャンプ(&J)"));
    mnuJump->setObjectName(QStringLiteral("mnuJump"));
    mnuJumpItem[0] = mnuJump->addAction(QStringLiteral("今日"), this, [this] { mnuJumpItem_Click(0); });
    mnuJumpItem[1] = mnuJump->addSeparator();
    mnuJumpItem[2] = mnuJump->addAction(QStringLiteral("年月指定"), this, [this] { mnuJumpItem_Click(2); });

    mnuOpt = menuBar()->addMenu(QStringLiteral("オプション(&O)"));
    mnuOpt->setObjectName(QStringLiteral("mnuOpt"));
    mnuOptItem[0] = mnuOpt->addAction(QStringLiteral("カレンダーとデータ入力画面を連動させる"), this,
                                      &frmCalender::mnuOptItem_Click);
    mnuOptItem[0]->setCheckable(true);
    connect(mnuOpt, &QMenu::aboutToShow, this, [this] { showLink(linkCalendar_); });

    mnuRight = new QMenu(QStringLiteral("右ｸﾘｯｸ用メニュー"), this);
    mnuRight->setObjectName(QStringLiteral("mnuRight"));
    const QString rightCaptions[4] = {QStringLiteral("家計簿データの追加"), {}, QStringLiteral("メモの追加"),
                                      QStringLiteral("メモの削除")};
    for (int i = 0; i < 4; ++i) {
        mnuRightItem[i] = rightCaptions[i].isEmpty() ? mnuRight->addSeparator()
                                                     : mnuRight->addAction(rightCaptions[i], this, [this, i] { mnuRightItem_Click(i); });
        mnuRightItem[i]->setObjectName(QStringLiteral("mnuRightItem%1").arg(i));
    }
    mnuJumpItem[0]->setObjectName(QStringLiteral("mnuJumpItem0"));
    mnuJumpItem[2]->setObjectName(QStringLiteral("mnuJumpItem2"));
    mnuOptItem[0]->setObjectName(QStringLiteral("mnuOptItem0"));

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);

    grid = new MonthGridView(MonthGridStyle::calendarWindow(), centre);
    grid->setObjectName(QStringLiteral("grid"));
    // The grid takes the keys: arrows mark a day, Enter clicks it, the
    // menu key opens its pop-up, Page Up/Down page the months.
    grid->setFocusPolicy(Qt::StrongFocus);

    auto arrow = [centre](const char* name, Qt::ArrowType type, const QString& tip) {
        auto* b = new QToolButton(centre);
        b->setObjectName(QLatin1String(name));
        b->setArrowType(type);
        b->setToolTip(tip);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(30, 24);
        return b;
    };
    hsrDown = arrow("hsrDown", Qt::LeftArrow, QStringLiteral("前の月 (PageUp)"));
    hsrUp = arrow("hsrUp", Qt::RightArrow, QStringLiteral("次の月 (PageDown)"));
    lblYearMonth = new QLabel(centre);
    lblYearMonth->setObjectName(QStringLiteral("lblYearMonth"));
    lblYearMonth->setAlignment(Qt::AlignCenter);
    QFont captionFont = lblYearMonth->font();
    captionFont.setPointSize(12);
    captionFont.setBold(true);
    lblYearMonth->setFont(captionFont);

    auto* top = new QHBoxLayout;
    top->addWidget(hsrDown);
    top->addWidget(lblYearMonth, 1);
    top->addWidget(hsrUp);
    layout->addLayout(top);
    layout->addWidget(grid, 0, Qt::AlignHCenter);
    setCentralWidget(centre);

    sbrMemo = new QStatusBar(this);
    sbrMemo->setObjectName(QStringLiteral("sbrMemo"));
    sbrMemo->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        auto* panel = new QLabel(sbrMemo);
        panel->setObjectName(QStringLiteral("sbrMemoPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setContentsMargins(3, 0, 3, 0);
        sbrMemoPanel[i] = panel;
    }
    sbrMemoPanel[0]->setFixedWidth(sbrMemoPanel[0]->fontMetrics().horizontalAdvance(QStringLiteral("00/00")) + 12);
    sbrMemoPanel[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    sbrMemo->addWidget(sbrMemoPanel[0]);
    sbrMemo->addWidget(sbrMemoPanel[1], 1);
    setStatusBar(sbrMemo);

    connect(hsrDown, &QToolButton::clicked, this, &frmCalender::hsrDown_Click);
    connect(hsrUp, &QToolButton::clicked, this, &frmCalender::hsrUp_Click);
    connect(grid, &MonthGridView::cellHovered, this, &frmCalender::lblDay_MouseMove);
    connect(grid, &MonthGridView::cellClicked, this, &frmCalender::lblDay_Click);
    connect(grid, &MonthGridView::cellRightClicked, this, [this](int i) {
        lblDay_MouseMove(i);
        popupAt(i);
    });
    // The marks of days with entries follow the ledger's entries.
    LedgerModel* m = &model_;
    connect(m, &LedgerModel::entryInserted, this, &frmCalender::entriesChanged);
    connect(m, &LedgerModel::entryRemoved, this, &frmCalender::entriesChanged);
    connect(m, &LedgerModel::entryReplaced, this, &frmCalender::entriesChanged);
    connect(m, &LedgerModel::entriesChanged, this, &frmCalender::entriesChanged);
    connect(m, &LedgerModel::yearLoaded, this, &frmCalender::entriesChanged);
    grid->setFocus();
    setFixedSize(sizeHint());
}

void frmCalender::showLink(bool on)
{
    linkCalendar_ = on;
    setWindowTitle(QStringLiteral("カレンダー ") + (on ? QStringLiteral("*") : QString()));
    mnuOptItem[0]->setChecked(on);
    mnuRightItem[0]->setVisible(on);
    mnuRightItem[1]->setVisible(on);
}

// ---- the grid ----

void frmCalender::RemakeCalender()
{
    if (tag == kFromMain) {
        if (model_.curYear() != year && !ChangeYear(model_.curYear())) {
            tag.clear();
            return;
        }
        month = model_.curMonth();
    }
    if (nowpos != -1)
        grid->resetCell(nowpos);
    nowpos = -1;
    marked_ = false;

    shown_ = MonthGrid::compute(year, month);
    year = shown_.year;
    month = shown_.month;
    lblYearMonth->setText(shown_.caption);
    grid->fill(shown_);
    pmonth = shown_.pmonth;
    nmonth = shown_.nmonth;
    setCellTips();

    const QDate today = Clock::today();
    nowpos = pmonth + today.day();
    if (year == today.year() && month == today.month())
        markCell(nowpos);
    else
        showMemoOf(-1);

    // The ledger follows within its own year only.
    if (tag != kFromMain && linkCalendar_ && year == model_.curYear())
        emit monthChosen(month);
    tag.clear();
}

void frmCalender::FollowMainWindow()
{
    // The tab changed because this window chose it: nothing to follow.
    if (tag == kFromSub) {
        tag.clear();
        return;
    }
    tag = kFromMain;
    RemakeCalender();
}

QString frmCalender::memoKey(int i) const
{
    const QDate d = shown_.dateOf(i);
    if (!d.isValid() || d.year() != year)
        return {};
    return Fmt::zero2(d.month()) + QLatin1Char('/') + Fmt::zero2(d.day());
}

void frmCalender::markCell(int i)
{
    if (i < 0 || i >= MonthGrid::CellCount)
        return;
    if (nowpos >= 0 && nowpos != i)
        grid->setCellBackground(nowpos, grid->style().cellBackground);
    grid->setCellBackground(i, markColor());
    nowpos = i;
    marked_ = true;
    showMemoOf(i);
}

void frmCalender::showMemoOf(int i)
{
    const QString key = i >= 0 ? memoKey(i) : QString();
    const auto memo = key.isEmpty() ? nullptr : model_.memoList().find(key);
    sbrMemoPanel[0]->setText(key);
    sbrMemoPanel[1]->setToolTip(memo ? memo->name : QString());
    elideMemo();
}

// A long memo ends in "…" in the panel; the tooltip holds all of it.
void frmCalender::elideMemo()
{
    QLabel* panel = sbrMemoPanel[1];
    panel->setText(panel->fontMetrics().elidedText(panel->toolTip(), Qt::ElideRight, panel->contentsRect().width()));
}

void frmCalender::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    elideMemo(); // the panel has its width only now
}

// Each day of the shown month carries its memo as its tooltip and a mark;
// days of the loaded year with entries a second mark.
void frmCalender::setCellTips()
{
    std::array<QString, 32> memos;
    const QString prefix = Fmt::zero2(month) + QLatin1Char('/');
    for (const auto& m : model_.memoList())
        if (m.key.startsWith(prefix))
            if (const int day = QStringView(m.key).mid(3, 2).toInt(); day >= 1 && day <= 31)
                memos[day] = m.item->name;
    std::bitset<32> withEntries;
    if (year == model_.curYear())
        for (const Entry& e : model_.slot(month).entries)
            if (e.day() >= 1 && e.day() <= 31)
                withEntries.set(size_t(e.day()));
    for (int i = 0; i < MonthGrid::CellCount; ++i) {
        const bool inMonth = i > pmonth && i < nmonth;
        const int day = inMonth ? shown_.dayOf(i) : 0;
        grid->setCellNote(i, memos[day]);
        grid->setCellMarks(i, !memos[day].isEmpty(), inMonth && withEntries.test(size_t(day)));
    }
}

void frmCalender::entriesChanged()
{
    // One refresh for a burst of changes (a merge, a month rebuilt row by row).
    if (marksPending_)
        return;
    marksPending_ = true;
    QTimer::singleShot(0, this, [this] {
        marksPending_ = false;
        setCellTips();
    });
}

void frmCalender::lblDay_MouseMove(int i)
{
    if (i != nowpos || !marked_)
        markCell(i);
}

void frmCalender::lblDay_Click(int i)
{
    if (i <= pmonth) {
        hsrDown_Click();
    } else if (i >= nmonth) {
        hsrUp_Click();
    } else if (linkCalendar_ && year == model_.curYear() && month == model_.curMonth()) {
        // Only the ledger's own month: a day of another year or month names no row there.
        emit daySelected(shown_.dayOf(i));
    }
}

// ---- paging ----

void frmCalender::hsrDown_Click() { stepMonth(-1); }

void frmCalender::hsrUp_Click() { stepMonth(1); }

void frmCalender::stepMonth(int by)
{
    if (by < 0) {
        if (year == MonthGrid::FirstYear && month == 1)
            return;
        if (month == 1) {
            if (!ChangeYear(year - 1))
                return;
            month = 12;
        } else {
            --month;
        }
    } else {
        if (year == MonthGrid::LastYear && month == 12)
            return;
        if (month == 12) {
            if (!ChangeYear(year + 1))
                return;
            month = 1;
        } else {
            ++month;
        }
    }
    tag = kFromSub;
    RemakeCalender();
}

// ---- closing ----

void frmCalender::closeWithMainWindow()
{
    closingWithMain_ = true;
    close();
}

void frmCalender::closeEvent(QCloseEvent* event)
{
    // Kept open while memos that could not be saved are kept; the main
    // window's end cannot wait: they wait for the next start instead.
    if (!saveMemos(!closingWithMain_) && !closingWithMain_) {
        event->ignore();
        return;
    }
    model_.ClearMemos();
    event->accept();
}
