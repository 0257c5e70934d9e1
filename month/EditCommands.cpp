#include "EditCommands.h"

#include "Clock.h"
#include "EntryRows.h"
#include "Formats.h"
#include "LedgerModel.h"
#include "MonthListModel.h"
#include "MonthViews.h"
#include "frmData.h"
#include "frmMainSub.h"

#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTreeView>

EditCommands::EditCommands(LedgerModel& model, MonthViews& views, QWidget* owner)
    : QObject(owner), model_(model), views_(views)
{
    dataDialog = new frmData(model, views, owner);

    mnuEdit = new QMenu(QStringLiteral("編集(&E)"), owner);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    const QString captions[7] = {QStringLiteral("データ追加"), QStringLiteral("データ内容変更"),
                                 QStringLiteral("データ削除"), {}, QStringLiteral("その日の収支"), {},
                                 QStringLiteral("費目・摘要項目 編集")};
    for (int i = 0; i < 7; ++i) {
        if (captions[i].isEmpty()) {
            mnuEditItems[i] = mnuEdit->addSeparator();
        } else {
            mnuEditItems[i] = mnuEdit->addAction(captions[i], this, [this, i] { mnuEditItem(i); });
        }
        mnuEditItems[i]->setObjectName(QStringLiteral("mnuEditItem%1").arg(i));
    }
    connect(mnuEdit, &QMenu::aboutToShow, this, &EditCommands::mnuEdit_Open);

    QStyle* style = owner ? owner->style() : nullptr;
    auto button = [&](const char* name, const QString& tip, QStyle::StandardPixmap icon) {
        auto* a = new QAction(tip, this);
        a->setObjectName(QLatin1String(name));
        a->setToolTip(tip);
        if (style)
            a->setIcon(style->standardIcon(icon));
        return a;
    };
    tbrAdd = button("tbrAdd", QStringLiteral("データ追加"), QStyle::SP_FileDialogNewFolder);
    tbrChange = button("tbrChange", QStringLiteral("データ内容変更"), QStyle::SP_FileDialogDetailedView);
    tbrDelete = button("tbrDelete", QStringLiteral("データ削除"), QStyle::SP_TrashIcon);
    tbrCategories = new QAction(QIcon(QStringLiteral(":/icons/categories.png")), QStringLiteral("費目・摘要項目 編集"), this);
    tbrCategories->setObjectName(QStringLiteral("tbrCategories"));
    tbrCategories->setToolTip(QStringLiteral("費目・摘要項目 編集"));
    connect(tbrCategories, &QAction::triggered, this, [this] { mnuEditItem(6); });
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

int EditCommands::selectedEntryRow() const
{
    if (model_.summaryMode != 0)
        return -1;
    const int r = views_.selectedRow();
    return r > 0 ? r : -1;
}

QString EditCommands::dayCaption(int row) const
{
    return QString::number(model_.curMonth) + QStringLiteral("月") + QString::number(views_.monthRows->row(row).tag.toInt())
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
    case 6:
        editCategories();
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
        date = Fmt::zero2(model_.curMonth) + QLatin1Char('/') + views_.monthRows->row(r).tag;
    }
    if (date.isEmpty())
        date = Clock::today().toString(QStringLiteral("MM/dd"));
    addEntryOn(date);
}

void EditCommands::addEntryOn(const QString& date)
{
    dataDialog->prepareAdd(date);
    dataDialog->showModal();
}

void EditCommands::changeEntry()
{
    const int r = views_.selectedRow();
    if (r <= 0)
        return;
    const MonthListModel& rows = *views_.monthRows;
    // Further rows of a day leave the date to the day's first row.
    QString date;
    for (int k = r; k >= 1 && date.isEmpty(); --k)
        date = rows.cell(k, MonthListModel::Date);
    if (date.isEmpty())
        date = Fmt::zero2(model_.curMonth) + QLatin1Char('/') + rows.row(r).tag;
    const QString out = rows.cell(r, MonthListModel::Out);
    const QString in = rows.cell(r, MonthListModel::In);
    const QString amount = QString::number(Num::cellValue(out.isEmpty() ? in : out));
    dataDialog->prepareChange(date, rows.cell(r, MonthListModel::Category), rows.cell(r, MonthListModel::Sub),
                              amount == QLatin1String("0") ? QString() : amount, rows.row(r).entryId);
    dataDialog->showModal();
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
                         + Fmt::zero2(model_.curMonth) + QLatin1Char('/') + row.tag + QStringLiteral("  ")
                         + row.cells[MonthListModel::Category] + QStringLiteral("  ") + row.cells[MonthListModel::Sub];
    if (model_.prompter().question(text, Prompter::Buttons::YesNo, QStringLiteral("家計簿データ 削除"), Prompter::Answer::No)
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
    const QString day = rows.row(r).tag;
    // Row 0 carries tag "01" too.
    int first = 1;
    if (day != QLatin1String("01"))
        while (first < rows.count() && rows.row(first).tag != day)
            ++first;
    qint64 out = 0;
    qint64 in = 0;
    for (int k = first; k < rows.count() && rows.row(k).tag == day; ++k) {
        out += Num::cellValue(rows.cell(k, MonthListModel::Out));
        in += Num::cellValue(rows.cell(k, MonthListModel::In));
    }
    model_.prompter().message(caption + QStringLiteral("は以下のとおりです。\r\n\r\n   支出： ") + Fmt::hash0(out)
                                  + QStringLiteral(" 円   収入： ") + Fmt::hash0(in) + QStringLiteral(" 円"),
                              Prompter::Icon::Information, caption);
}

// ---- categories ----

void EditCommands::editCategories()
{
    if (frmMainSub::Run(model_, qobject_cast<QWidget*>(parent())))
        views_.RefreshMonthView();
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
