#include "month/EditCommands.h"

#include "ledger/Clock.h"
#include "month/EditHistory.h"
#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"
#include "month/MonthListModel.h"
#include "month/MonthViews.h"
#include "month/frmData.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QTreeView>
#include <algorithm>

EditCommands::EditCommands(LedgerModel& model, MonthViews& views, QWidget* owner)
    : QObject(owner), model_(model), views_(views), owner_(owner)
{
    for (QTreeView* list : {views_.lvwMonth, views_.lvwMonthC}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

frmData* EditCommands::dataDialog()
{
    if (!dataDialog_)
        dataDialog_ = new frmData(model_, views_, owner_);
    return dataDialog_;
}

int EditCommands::selectedEntryRow() const
{
    if (views_.summaryMode() != 0)
        return -1;
    const int r = views_.selectedRow();
    return r > 0 ? r : -1;
}

bool EditCommands::entrySelected() const { return selectedEntryRow() > 0; }

QString EditCommands::dayTotalsCaption() const
{
    const int r = selectedEntryRow();
    return r > 0 ? dayCaption(r) : QString();
}

QString EditCommands::dayCaption(int row) const
{
    return QString::number(model_.curMonth()) + QStringLiteral("月") + QString::number(views_.monthRows->row(row).day)
           + QStringLiteral("日の収支状況");
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
    case 6:
        emit categoriesRequested();
        break;
    default:
        break;
    }
}

// ---- add and change ----

void EditCommands::addEntry()
{
    QString date;
    if (views_.summaryMode() == 1) {
        const int s = views_.selectedSummaryRow();
        if (s > 0)
            date = views_.summaryRows->cell(s, MonthListModel::Date);
    } else if (const int r = views_.selectedRow(); r > 0) {
        date = Fmt::zero2(model_.curMonth()) + QLatin1Char('/') + Fmt::zero2(views_.monthRows->row(r).day);
    }
    if (date.isEmpty())
        date = Clock::today().toString(QStringLiteral("MM/dd"));
    addEntryOn(date);
}

void EditCommands::addEntryOn(const QString& date)
{
    dataDialog()->prepareAdd(date);
    showDialog();
}

void EditCommands::showDialog()
{
    frmData* dialog = dataDialog();
    placeBesideSelection(dialog);
    dialog->showModal();
}

// Above the selected row, or below it when there is no room above, so that
// the row the dialog works on stays in view, and in add mode the rows the
// new entries go to, after it; centred over the list.
void EditCommands::placeBesideSelection(QWidget* dialog) const
{
    const bool summary = views_.summaryMode() == 1;
    QTreeView* list = summary ? views_.lvwMonthC : views_.lvwMonth;
    const int row = summary ? views_.selectedSummaryRow() : views_.selectedRow();
    if (row < 0 || !list->isVisible())
        return;
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    if (!cell.isValid() || !list->viewport()->rect().intersects(cell))
        return;
    const QRect shown(list->viewport()->mapToGlobal(QPoint(0, cell.top())), QSize(list->viewport()->width(), cell.height()));
    const QScreen* screen = list->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    // Its own size before it is first shown; later the size the user left it.
    if (!dialog->windowHandle())
        dialog->adjustSize();
    // The frame the window system adds, as the main window has it.
    const QWidget* main = list->window();
    const int frameTop = main->geometry().top() - main->frameGeometry().top();
    const QSize size(dialog->width(), dialog->height() + frameTop + (main->frameGeometry().bottom() - main->geometry().bottom()));
    const int gap = 4;
    const int spaceBelow = room.bottom() - shown.bottom() - gap;
    const int spaceAbove = shown.top() - room.top() - gap;
    const bool above = spaceAbove >= size.height() || (spaceBelow < size.height() && spaceAbove >= spaceBelow);
    int y = above ? shown.top() - gap - size.height() : shown.bottom() + gap + 1;
    y = std::clamp(y, room.top(), std::max(room.top(), room.bottom() - size.height() + 1));
    int x = shown.center().x() - size.width() / 2;
    x = std::clamp(x, room.left(), std::max(room.left(), room.right() - size.width() + 1));
    dialog->move(x, y);
}

void EditCommands::changeEntry()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    const MonthListModel& rows = *views_.monthRows;
    // The date the day's first row shows, also for the day's further rows.
    const MonthRow& row = rows.row(r);
    const QString date = Fmt::zero2(model_.curMonth()) + QLatin1Char('/') + Fmt::zero2(row.day);
    const qint64 amount = row.out != 0 ? row.out : row.in;
    dataDialog()->prepareChange(date, rows.cell(r, MonthListModel::Category), rows.cell(r, MonthListModel::Sub),
                              amount == 0 ? QString() : QString::number(amount), row.entryId);
    showDialog();
}

// ---- delete ----

void EditCommands::deleteEntry()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    MonthListModel& rows = *views_.monthRows;
    const MonthRow row = rows.row(r);
    // The entry named with its amount, so the question says which one goes.
    const bool isOut = row.out != 0 || row.in == 0;
    QStringList named{Fmt::zero2(model_.curMonth()) + QLatin1Char('/') + Fmt::zero2(row.day),
                      rows.cell(r, MonthListModel::Category)};
    if (const QString sub = rows.cell(r, MonthListModel::Sub); !sub.isEmpty())
        named << sub;
    named << (isOut ? QStringLiteral("出金 ") : QStringLiteral("入金 ")) + Fmt::hash0(isOut ? row.out : row.in)
                 + QStringLiteral(" 円");
    const QString text = QStringLiteral("選択されたデータを削除しますが、よろしいですか。\r\n\r\n  [削除データ]  ")
                         + named.join(QStringLiteral("  "));
    if (model_.prompter().question(text, Prompter::Buttons::YesNo, QStringLiteral("家計簿データ 削除"), Prompter::Answer::No)
        != Prompter::Answer::Yes)
        return;
    // The list follows the model.
    EditHistory::of(model_).removeEntry(model_.curMonth(), row.entryId);
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
    if (event->type() == QEvent::KeyPress && (watched == views_.lvwMonth || watched == views_.lvwMonthC)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier
                   ? listKey(watched == views_.lvwMonthC, key->key())
                   : false;
    }
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
        emit popupRequested(mouse->globalPosition().toPoint());
        return true;
    }
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        listActivated(summaryList);
        return true;
    }
    return false;
}

// ---- keys on the lists ----

bool EditCommands::listKey(bool summaryList, int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        listActivated(summaryList);
        return true;
    case Qt::Key_Insert:
        mnuEditItem(0);
        return true;
    case Qt::Key_Delete:
        if (selectedEntryRow() > 0)
            mnuEditItem(2);
        return true;
    default:
        return false;
    }
}

// A double-click, or Enter: add, or change the selected entry.
void EditCommands::listActivated(bool summaryList)
{
    if (summaryList) {
        mnuEditItem(0);
        return;
    }
    const int r = views_.selectedRow();
    if (r < 0)
        mnuEditItem(0);
    else if (r > 0)
        mnuEditItem(1);
}
