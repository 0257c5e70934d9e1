#include "EditCommands.h"

#include "Clock.h"
#include "EntryRows.h"
#include "Formats.h"
#include "LedgerModel.h"
#include "MonthListModel.h"
#include "MonthViews.h"
#include "frmData.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeView>

EditCommands::EditCommands(LedgerModel& model, MonthViews& views, QWidget* owner)
    : QObject(owner), model_(model), views_(views), owner_(owner)
{
    mnuEdit = new QMenu(QStringLiteral("編集(&E)"), owner);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    const QString captions[6] = {QStringLiteral("データ追加"), QStringLiteral("データ内容変更"),
                                 QStringLiteral("データ削除"), {}, QStringLiteral("その日の収支"), {}};
    for (int i = 0; i < 6; ++i) {
        if (captions[i].isEmpty()) {
            mnuEditItems[i] = mnuEdit->addSeparator();
        } else {
            mnuEditItems[i] = mnuEdit->addAction(captions[i], this, [this, i] { mnuEditItem(i); });
        }
        mnuEditItems[i]->setObjectName(QStringLiteral("mnuEditItem%1").arg(i));
    }
    connect(mnuEdit, &QMenu::aboutToShow, this, &EditCommands::mnuEdit_Open);

    auto button = [&](const char* name, const QString& tip, const char* icon) {
        auto* a = new QAction(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(icon))), tip, this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        return a;
    };
    tbrAdd = button("tbrAdd", QStringLiteral("データ追加"), "add");
    tbrChange = button("tbrChange", QStringLiteral("データ内容変更"), "change");
    tbrDelete = button("tbrDelete", QStringLiteral("データ削除"), "delete");
    connect(tbrAdd, &QAction::triggered, this, [this] { mnuEditItem(0); });
    connect(tbrChange, &QAction::triggered, this, [this] {
        if (selectedEntryRow() > 0)
            mnuEditItem(1);
    });
    connect(tbrDelete, &QAction::triggered, this, [this] {
        if (selectedEntryRow() > 0)
            mnuEditItem(2);
    });

    views_.lvwMonth->viewport()->installEventFilter(this);
    views_.lvwMonthC->viewport()->installEventFilter(this);
}

frmData* EditCommands::dataDialog()
{
    if (!dataDialog_)
        dataDialog_ = new frmData(model_, views_, owner_);
    return dataDialog_;
}

int EditCommands::selectedEntryRow() const
{
    if (model_.summaryMode != 0)
        return -1;
    const int r = views_.selectedRow();
    return r > 0 ? r : -1;
}

QString EditCommands::dayCaption(int row) const
{
    return QString::number(model_.curMonth) + QStringLiteral("月") + QString::number(views_.monthRows->row(row).day)
           + QStringLiteral("日の収支状況");
}

void EditCommands::mnuEdit_Open()
{
    const int r = selectedEntryRow();
    for (int i : {1, 2, 4})
        mnuEditItems[i]->setEnabled(r > 0);
    if (r > 0)
        mnuEditItems[4]->setText(dayCaption(r));
}

void EditCommands::mnuEditItem(int index)
{
    switch (index) {
    case 0:
        addEntry();
        break;
    case 1:
        changeEntry();
        break;
    case 2:
        deleteEntry();
        break;
    case 4:
        dayTotals();
        break;
    default:
        break;
    }
}

// ---- add and change ----

void EditCommands::addEntry()
{
    QString date;
    if (model_.summaryMode == 1) {
        const int s = views_.selectedSummaryRow();
        if (s > 0)
            date = views_.summaryRows->cell(s, MonthListModel::Date);
    } else if (const int r = views_.selectedRow(); r > 0) {
        date = Fmt::zero2(model_.curMonth) + QLatin1Char('/') + Fmt::zero2(views_.monthRows->row(r).day);
    }
    if (date.isEmpty())
        date = Clock::today().toString(QStringLiteral("MM/dd"));
    addEntryOn(date);
}

void EditCommands::addEntryOn(const QString& date)
{
    dataDialog()->prepareAdd(date);
    dataDialog()->showModal();
}

void EditCommands::changeEntry()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    const MonthListModel& rows = *views_.monthRows;
    // The date the day's first row shows, also for the day's further rows.
    const MonthRow& row = rows.row(r);
    const QString date = Fmt::zero2(model_.curMonth) + QLatin1Char('/') + Fmt::zero2(row.day);
    const qint64 amount = row.out != 0 ? row.out : row.in;
    dataDialog()->prepareChange(date, rows.cell(r, MonthListModel::Category), rows.cell(r, MonthListModel::Sub),
                              amount == 0 ? QString() : QString::number(amount), row.entryId);
    dataDialog()->showModal();
}

// ---- delete ----

void EditCommands::deleteEntry()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    MonthListModel& rows = *views_.monthRows;
    const MonthRow row = rows.row(r);
    const QString text = QStringLiteral("選択されたデータを削除しますが、よろしいですか。\r\n\r\n  [削除データ]  ")
                         + Fmt::zero2(model_.curMonth) + QLatin1Char('/') + Fmt::zero2(row.day) + QStringLiteral("  ")
                         + rows.cell(r, MonthListModel::Category) + QStringLiteral("  ") + rows.cell(r, MonthListModel::Sub);
    if (model_.prompter().question(text, Prompter::Buttons::YesNo, QStringLiteral("家計簿データ 削除"))
        != Prompter::Answer::Yes)
        return;
    removeEntryRow(rows, r);
    // The slot loses the entry the row showed; the balances then set its totals.
    removeSlotEntry(model_.slot(model_.curMonth), row.entryId);
    views_.UpdateBalances(&rows);
    model_.RankCategoriesByUse();
}

// ---- day totals ----

void EditCommands::dayTotals()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    const MonthListModel& rows = *views_.monthRows;
    const QString caption = dayCaption(r);
    mnuEditItems[4]->setText(caption);
    const int day = rows.row(r).day;
    // The carry-over row counts as day 1 too.
    int first = 1;
    if (day != 1)
        while (first < rows.count() && rows.row(first).day != day)
            ++first;
    qint64 out = 0;
    qint64 in = 0;
    for (int k = first; k < rows.count() && rows.row(k).day == day; ++k) {
        out += rows.row(k).out;
        in += rows.row(k).in;
    }
    model_.prompter().message(caption + QStringLiteral("は以下のとおりです。\r\n\r\n   支出： ") + Fmt::hash0(out)
                                  + QStringLiteral(" 円   収入： ") + Fmt::hash0(in) + QStringLiteral(" 円"),
                              Prompter::Icon::Information, caption);
}

// ---- mouse on the lists ----

bool EditCommands::eventFilter(QObject* watched, QEvent* event)
{
    const bool entryList = watched == views_.lvwMonth->viewport();
    const bool summaryList = watched == views_.lvwMonthC->viewport();
    if (!entryList && !summaryList)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::RightButton)
            return false;
        if (entryList) {
            // The row at the pointer's height, whatever the column.
            QTreeView* list = views_.lvwMonth;
            const QPoint at(list->header()->sectionViewportPosition(0) + 1, mouse->position().toPoint().y());
            if (const QModelIndex index = list->indexAt(at); index.isValid())
                views_.selectRow(index.row());
        }
        mnuEdit->popup(mouse->globalPosition().toPoint());
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        if (summaryList) {
            mnuEditItem(0);
        } else {
            const int r = views_.selectedRow();
            if (r < 0)
                mnuEditItem(0);
            else if (r > 0)
                mnuEditItem(1);
        }
        return true;
    }
    return false;
}
