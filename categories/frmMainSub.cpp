// The category editor's window: opening, the lists, the keyboard and the
// ways of closing it.
#include "categories/frmMainSub.h"

#include "categories/ColourSwatch.h"
#include "ledger/LedgerModel.h"
#include "categories/NumberedNames.h"
#include "ui/EnterKey.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

namespace {
const QString kTitle = QStringLiteral("費目・摘要項目 編集");
}

frmMainSub::frmMainSub(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmMainSub"));
    setWindowTitle(kTitle);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildWidgets();
    buildLayout();
    buildEditMenu();
}

frmMainSub::~frmMainSub()
{
    // Destroyed while still open: the edits are discarded as by Cancel.
    if (snapshot_.taken() && !closed_)
        cmdCancel_Click();
}

bool frmMainSub::Run(LedgerModel& model, QWidget* parent, Deleted* deleted)
{
    frmMainSub window(model, parent);
    if (!window.Form_Load())
        return false;
    if (window.exec() == QDialog::Accepted && deleted)
        *deleted = {window.deleted_, window.deletedSubs_};
    return true;
}

// ---- opening and the lists ----

bool frmMainSub::Form_Load()
{
    if (!snapshot_.take(model_.masterPath())) {
        model_.prompter().message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)の控え(MainSub.z__)を作成できないため、"
                                                 "費目・摘要項目の編集を始められません。\r\n\r\n")
                                      + snapshot_.error(),
                                  Prompter::Icon::Warning, kTitle);
        return false;
    }
    std::vector<NumberedNames::Row> rows;
    rows.reserve(model_.categoryList().count());
    for (const auto& c : model_.categoryList())
        rows.push_back({c.item->no, c.item->name});
    filling_ = true;
    mainRows->setRows(std::move(rows));
    filling_ = false;
    if (mainRows->count() > 0)
        lvwMain_Click(0);
    else
        ClearCategoryFields();
    lvwMain->setFocus();
    return true;
}

void frmMainSub::selectOnly(QTreeView* list, int row)
{
    filling_ = true;
    if (row < 0)
        list->selectionModel()->clear();
    else
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    filling_ = false;
}

int frmMainSub::selectedMainRow() const
{
    const QModelIndexList rows = lvwMain->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int frmMainSub::selectedSubRow() const
{
    const QModelIndexList rows = lvwSub->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void frmMainSub::lvwMain_Click(int row)
{
    if (row < 0 || row >= mainRows->count())
        return;
    selectOnly(lvwMain, row);
    shownMainRow_ = row;
    picDummy->setVisible(true);
    cmdChange->setEnabled(true);
    const auto c = model_.category(mainRows->row(row).no);
    if (!c)
        return;
    lblMainNo->setText(c->no);
    txtMain->setText(c->name);
    lblMain->setColour(c->color);
    txtLimit->setText(QString::number(c->limit));
    optOut->setChecked(c->ioflag == 1);
    optIn->setChecked(c->ioflag == 2);
    showSubRows(c->no);
    lblSubNo->clear();
    txtSub->clear();
}

void frmMainSub::showSubRows(const QString& categoryNo)
{
    std::vector<NumberedNames::Row> rows;
    if (const auto c = model_.category(categoryNo)) {
        rows.reserve(c->nTekiyo.count());
        for (const auto& t : c->nTekiyo)
            rows.push_back({t.item->no, t.item->name});
    }
    filling_ = true;
    subRows->setRows(std::move(rows));
    filling_ = false;
}

void frmMainSub::lvwSub_Click(int row)
{
    if (row < 0 || row >= subRows->count())
        return;
    selectOnly(lvwSub, row);
    lblSubNo->setText(subRows->row(row).no);
    txtSub->setText(subRows->row(row).name);
}

void frmMainSub::popupEditMenu(const QPoint& at, bool onRow)
{
    mnuEditItems[2]->setEnabled(onRow);
    mnuEdit->popup(at);
}

void frmMainSub::mnuEditItem(int index)
{
    if (index == 0)
        ClearCategoryFields();
    else if (index == 2)
        DeleteCategory();
}

void frmMainSub::ClearCategoryFields()
{
    lblMainNo->clear();
    txtMain->clear();
    lblSubNo->clear();
    txtSub->clear();
    lblMain->setColour(0);
    txtLimit->setText(QStringLiteral("0"));
    filling_ = true;
    subRows->setRows({});
    filling_ = false;
    picDummy->setVisible(false);
    cmdChange->setEnabled(false);
    selectOnly(lvwMain, -1);
    shownMainRow_ = -1;
}

void frmMainSub::lblMain_Click()
{
    // A colour another category shows is named at once, and the chooser
    // opens again on it to pick a neighbour.
    auto colour = model_.prompter().chooseColor(lblMain->colour());
    while (colour && !colourIsFree(*colour, lblMainNo->text()))
        colour = model_.prompter().chooseColor(*colour);
    if (colour)
        lblMain->setColour(*colour);
}

// ---- mouse and keys ----

bool frmMainSub::eventFilter(QObject* watched, QEvent* event)
{
    const bool onMain = watched == lvwMain || watched == lvwMain->viewport();
    const bool onSub = watched == lvwSub || watched == lvwSub->viewport();
    if (!onMain && !onSub)
        return QDialog::eventFilter(watched, event);
    QTreeView* list = onMain ? lvwMain : lvwSub;

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (watched != list->viewport())
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        // The row at the pointer's height, whatever the column.
        const QPoint at(list->header()->sectionViewportPosition(0) + 1, mouse->position().toPoint().y());
        const int row = list->indexAt(at).row();
        if (onSub) {
            if (mouse->button() != Qt::LeftButton || row < 0)
                return true;
            lvwSub_Click(row);
            list->setFocus(Qt::MouseFocusReason);
            return true;
        }
        if (row >= 0)
            lvwMain_Click(row);
        list->setFocus(Qt::MouseFocusReason);
        if (mouse->button() == Qt::RightButton && event->type() == QEvent::MouseButtonPress)
            popupEditMenu(mouse->globalPosition().toPoint(), row >= 0);
        return true;
    }
    case QEvent::ContextMenu: {
        auto* menu = static_cast<QContextMenuEvent*>(event);
        // The mouse's menu came with its press; the key's pops up at the selected row.
        if (onMain && menu->reason() == QContextMenuEvent::Keyboard) {
            const int row = selectedMainRow();
            QPoint at = lvwMain->viewport()->rect().topLeft();
            if (row >= 0)
                at = lvwMain->visualRect(mainRows->index(row, 1)).bottomLeft();
            popupEditMenu(lvwMain->viewport()->mapToGlobal(at), row >= 0);
        }
        return true;
    }
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Delete || watched != list)
            return false;
        // One press deletes once.
        if (onMain)
            DeleteCategory();
        else if (selectedSubRow() >= 0)
            cmdDelsub_Click();
        return true;
    }
    default:
        return false;
    }
}

void frmMainSub::keyPressEvent(QKeyEvent* event)
{
    if (!EnterKey::pressOrElse(this, event, [this] { focusNextChild(); }))
        QDialog::keyPressEvent(event);
}

// ---- closing ----

void frmMainSub::reject() { cmdCancel_Click(); }

void frmMainSub::done(int result)
{
    if (!closed_) {
        closed_ = true;
        snapshot_.discard();
    }
    QDialog::done(result);
}

void frmMainSub::cmdOK_Click()
{
    // A master that could not be written leaves the window open: the user
    // has been told, and nothing is lost.
    if (!model_.WriteCategoryMaster())
        return;
    done(QDialog::Accepted);
    // The year first, while the categories in memory are the ones written:
    // the views then show the master read back without the deleted ones.
    model_.AlignYearToMaster(deleted_);
    model_.ReadCategoryMaster(0);
    model_.AlignCategoryUse();
    model_.RankCategoriesByUse();
}

void frmMainSub::cmdCancel_Click()
{
    if (!snapshot_.restore()) {
        model_.prompter().message(QStringLiteral("費目・摘要項目管理ファイル(MainSub.zbt)を編集前の内容に戻せませんでした。\r\n\r\n")
                                      + snapshot_.error()
                                      + QStringLiteral("\r\n\r\n編集前の内容は MainSub.z__ に残っています。"),
                                  Prompter::Icon::Warning, kTitle);
    }
    done(QDialog::Rejected);
    // The categories in memory become what the file holds, restored or not.
    model_.ReadCategoryMaster(0);
}
