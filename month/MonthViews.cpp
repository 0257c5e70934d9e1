#include "month/MonthViews.h"

#include "ledger/Clock.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "month/MonthList.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
// Twelve tabs of one width that share the strip's width.
class MonthTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize s = QTabBar::tabSizeHint(index);
        const int shared = (width() - 8) / 12;
        if (shared > s.width())
            s.setWidth(shared);
        return s;
    }
    QSize minimumSizeHint() const override { return {0, QTabBar::minimumSizeHint().height()}; }
    void resizeEvent(QResizeEvent* e) override
    {
        QTabBar::resizeEvent(e);
        setElideMode(elideMode()); // lays the tabs out again for the new width
    }
};

}

MonthViews::MonthViews(LedgerModel& model, QWidget* owner) : QObject(owner), model_(&model)
{
    buildWidgets(owner);
    buildStatusBar(owner);
    followModel();
}

void MonthViews::buildWidgets(QWidget* owner)
{
    centre = new QWidget(owner);
    centre->setObjectName(QStringLiteral("centre"));
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 7, 0, 0);
    layout->setSpacing(0);

    tabMonth = new MonthTabBar(centre);
    tabMonth->setObjectName(QStringLiteral("tabMonth"));
    tabMonth->setExpanding(false);
    tabMonth->setUsesScrollButtons(false);
    tabMonth->setDrawBase(false);
    for (int m = 1; m <= 12; ++m)
        tabMonth->addTab(m < 10 ? QString::number(m) + QStringLiteral(" 月") : QString::number(m) + QStringLiteral("月"));
    layout->addWidget(tabMonth);

    // The tab page: both lists share one rectangle inside it.
    auto* page = new QFrame(centre);
    page->setFrameShape(QFrame::StyledPanel);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(8, 5, 8, 8);
    listStack = new QStackedWidget(page);
    pageLayout->addWidget(listStack);
    layout->addWidget(page, 1);

    monthRows = new MonthListModel(this);
    monthRows->setCategories(&model_->categoryList());
    monthRows->setHeadings({QStringLiteral("日付"), QStringLiteral("費目"), QStringLiteral("摘要項目"), QStringLiteral("出金"),
                            QStringLiteral("入金"), QStringLiteral("残高")});
    summaryRows = new MonthListModel(this);
    summaryRows->setHeadings({QStringLiteral("日付"), QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("出金"),
                              QStringLiteral("入金"), QStringLiteral("残高")});
    lvwMonth = new MonthList(QStringLiteral("lvwMonth"), monthRows, listStack);
    lvwMonthC = new MonthList(QStringLiteral("lvwMonthC"), summaryRows, listStack);
    listStack->addWidget(lvwMonth);
    listStack->addWidget(lvwMonthC);
    listStack->setCurrentWidget(lvwMonth);
    lvwMonth->viewport()->installEventFilter(this);
    setListFontSize(11, true);

    connect(tabMonth, &QTabBar::currentChanged, this, &MonthViews::onTabChanged);
    // Ctrl+PgUp and Ctrl+PgDn turn the month tabs as in other tabbed windows.
    for (const int step : {-1, 1}) {
        auto* turn = new QAction(owner);
        turn->setObjectName(step < 0 ? QStringLiteral("previousMonth") : QStringLiteral("nextMonth"));
        turn->setShortcut(step < 0 ? Qt::CTRL | Qt::Key_PageUp : Qt::CTRL | Qt::Key_PageDown);
        connect(turn, &QAction::triggered, this, [this, step] {
            const int month = model_->curMonth() + step;
            if (month >= 1 && month <= 12)
                selectMonth(month);
        });
        owner->addAction(turn);
    }
}

void MonthViews::buildStatusBar(QWidget* owner)
{
    sbrStatus = new QStatusBar(owner);
    sbrStatus->setObjectName(QStringLiteral("sbrStatus"));
    sbrStatus->setSizeGripEnabled(true);
    for (int i = 0; i < 7; ++i) {
        auto* panel = new QLabel(sbrStatus);
        panel->setObjectName(QStringLiteral("sbrStatusPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        statusPanel[i] = panel;
        if (i >= 5) {
            sbrStatus->addPermanentWidget(panel);
        } else if (i == 0) {
            sbrStatus->addWidget(panel);
        } else {
            // The four amounts share the width by fixed parts whatever their
            // text, so a long amount never pushes the date and time out of
            // view; the carry-over panel has the longest text.
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            panel->setMinimumWidth(60);
            sbrStatus->addWidget(panel, i == 1 ? 4 : 3);
        }
    }
    statusPanel[1]->installEventFilter(this);

    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &MonthViews::updateClock);
    timer->start(1000);
    updateClock();
}

void MonthViews::updateClock()
{
    const QDateTime now = Clock::now();
    statusPanel[5]->setText(now.date().toString(QStringLiteral("yyyy/MM/dd")));
    statusPanel[6]->setText(now.time().toString(QStringLiteral("HH:mm")));
}

void MonthViews::showPrevCarryOver()
{
    const QString value = model_->CalcPrevCarryOver();
    model_->prompter().message(QString::number(model_->curYear() - 1) + QStringLiteral("年度の繰越高は [ ")
                                   + Fmt::hash(Num::toInt64(value).value_or(0)) + QStringLiteral(" 円 ] です。"),
                               Prompter::Icon::Information);
}

void MonthViews::frontList(QTreeView* list) { listStack->setCurrentWidget(list); }

void MonthViews::toggleSummary(int mode, bool on)
{
    if (on) {
        setSummaryMode(mode);
        return;
    }
    summaryMode_ = 0;
    frontList(lvwMonth);
    emit summaryModeChanged(0);
}

void MonthViews::setSummaryMode(int mode)
{
    summaryMode_ = mode;
    if (mode == 0) {
        frontList(lvwMonth);
        summaryRows->clear();
    } else {
        frontList(lvwMonthC);
        ShowCompress();
    }
    emit summaryModeChanged(mode);
}

void MonthViews::onTabChanged(int index)
{
    if (tabTag == QLatin1String("NOT CLICK")) {
        tabTag.clear();
        return;
    }
    if (index < 0)
        return;
    model_->setCurMonth(tabMonth->tabText(index).left(2).trimmed().toInt());
    if (loaded)
        emit monthTabClicked(model_->curMonth());
    RefreshMonthView();
}

void MonthViews::selectMonth(int month)
{
    if (tabMonth->currentIndex() == month - 1)
        onTabChanged(month - 1);
    else
        tabMonth->setCurrentIndex(month - 1);
}

int MonthViews::selectedRow() const
{
    const QModelIndexList rows = lvwMonth->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MonthViews::selectRow(int row)
{
    if (row < 0 || row >= monthRows->count()) {
        lvwMonth->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex i = monthRows->index(row, 0);
    lvwMonth->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    lvwMonth->scrollTo(i);
}

int MonthViews::selectedSummaryRow() const
{
    const QModelIndexList rows = lvwMonthC->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void MonthViews::setListFontSize(int points, bool alsoSummary)
{
    for (MonthList* list : {lvwMonth, lvwMonthC}) {
        if (list == lvwMonthC && !alsoSummary)
            continue;
        QFont f = list->font();
        f.setPointSize(points);
        list->setFont(f);
        fitColumns(list);
    }
    emit listsRebuilt();
}

int MonthViews::listFontSize() const { return lvwMonth->font().pointSize(); }

// Widths from the font, not from the contents: measuring every cell of a
// long month would cost more than building it.
void MonthViews::fitColumns(MonthList* list)
{
    const QFontMetrics fm(list->font());
    const int pad = fm.horizontalAdvance(QLatin1Char('0')) * 2;
    const int amount = fm.horizontalAdvance(QStringLiteral("-999,999,999")) + pad;
    list->setColumnWidths({fm.horizontalAdvance(QStringLiteral("00/00")) + pad * 2,
                           fm.horizontalAdvance(QStringLiteral("前年度繰越残高")) + pad * 2,
                           fm.horizontalAdvance(QStringLiteral("修繕・メンテナンス")) + pad, amount, amount, amount});
}

bool MonthViews::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwMonth->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        if (e->button() != Qt::LeftButton)
            return false;
        // The row under the pointer, whatever column was hit.
        const QModelIndex hit = lvwMonth->indexAt(QPoint(1, e->position().toPoint().y()));
        if (!hit.isValid())
            return false;
        selectRow(hit.row());
        if (hit.row() == 0 && !model_->carryAuto() && model_->curMonth() == 1) {
            CarryOverInput();
            return true;
        }
        return false;
    }
    if (watched == statusPanel[1] && event->type() == QEvent::MouseButtonDblClick) {
        SwitchCarryOverMode();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
