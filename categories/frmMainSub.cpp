// The category editor's window: its controls, the lists, the keyboard and
// the ways of closing it.
#include "frmMainSub.h"

#include "CategoryRules.h"
#include "ColourSwatch.h"
#include "LedgerModel.h"
#include "NumberedNames.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("費目・摘要項目 編集");

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QTreeView* makeList(NumberedNames* rows, const char* name)
{
    auto* list = named(new QTreeView, name);
    list->setModel(rows);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Names are changed through the fields, never in the list.
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(0, list->fontMetrics().horizontalAdvance(QStringLiteral("番号")) + 24);
    return list;
}

QLabel* numberLabel(const char* name)
{
    auto* l = named(new QLabel, name);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    l->setFixedWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    return l;
}
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

bool frmMainSub::Run(LedgerModel& model, QWidget* parent)
{
    frmMainSub window(model, parent);
    if (!window.Form_Load())
        return false;
    window.exec();
    return true;
}

void frmMainSub::buildWidgets()
{
    lblList = named(new QLabel(QStringLiteral("費目リスト")), "lblList");
    mainRows = new NumberedNames(QStringLiteral("費目名"), this);
    lvwMain = makeList(mainRows, "lvwMain");
    lblList->setBuddy(lvwMain);
    lblMainNo = numberLabel("lblMainNo");
    txtMain = named(new QLineEdit, "txtMain");
    optOut = named(new QRadioButton(QStringLiteral("出金")), "optOut");
    optIn = named(new QRadioButton(QStringLiteral("入金")), "optIn");
    optOut->setChecked(true);
    lblMain = named(new ColourSwatch, "lblMain");
    lblMain->setToolTip(QStringLiteral("クリックすると色の設定ができます。"));
    txtLimit = named(new QLineEdit, "txtLimit");
    txtLimit->setAlignment(Qt::AlignRight);
    // Budgets are typed as plain digits.
    txtLimit->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtLimit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    lblNewHelp = named(new QLabel(QStringLiteral("新たに費目を追加する場合、費目情報を入力後、[新規追加]をクリックして下さい。"
                                                 "（費目番号は自動採番されます。）")),
                       "lblNewHelp");
    lblChangeHelp = named(new QLabel(QStringLiteral("費目情報を変更する場合は、変更情報を入力後、[変更]をクリックして下さい。")),
                          "lblChangeHelp");
    // Each help text takes at most two lines, at any size of the window.
    const QFontMetrics fm = lblNewHelp->fontMetrics();
    const int helpWidth = std::max(fm.horizontalAdvance(lblNewHelp->text()), fm.horizontalAdvance(lblChangeHelp->text())) / 2
                          + fm.horizontalAdvance(QStringLiteral("あああ"));
    for (QLabel* help : {lblNewHelp, lblChangeHelp}) {
        help->setWordWrap(true);
        help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Laid out as it will be drawn, so a fallback font for the kana and
        // kanji with taller lines is counted too.
        help->setMinimumSize(helpWidth, help->heightForWidth(helpWidth));
    }
    cmdNew = named(new QPushButton(QStringLiteral("新規追加")), "cmdNew");
    cmdNew->setToolTip(QStringLiteral("新しく追加する[費目]を入力して、このボタンをクリックして下さい。"
                                      "[費目番号]は自動的に採番されます。"));
    cmdChange = named(new QPushButton(QStringLiteral("変更")), "cmdChange");
    cmdChange->setToolTip(QStringLiteral("既存の[費目]の情報を変更する場合、このボタンをクリックして下さい。"
                                         "費目名変更の場合も同様にクリック。"));
    cmdChange->setEnabled(false);

    picDummy = named(new QGroupBox(QStringLiteral("摘要項目")), "picDummy");
    subRows = new NumberedNames(QStringLiteral("摘要項目名"), this);
    lvwSub = makeList(subRows, "lvwSub");
    lblSubNo = numberLabel("lblSubNo");
    txtSub = named(new QLineEdit, "txtSub");
    cmdAddsub = named(new QPushButton(QStringLiteral("追加")), "cmdAddsub");
    cmdChangesub = named(new QPushButton(QStringLiteral("変更")), "cmdChangesub");
    cmdDelsub = named(new QPushButton(QStringLiteral("削除")), "cmdDelsub");
    cmdOK = named(new QPushButton(QStringLiteral("OK")), "cmdOK");
    cmdCancel = named(new QPushButton(QStringLiteral("キャンセル")), "cmdCancel");
    // Enter presses the focused button only; in a field it moves on, so no
    // button acts by surprise on a half-typed name.
    for (QPushButton* b : {cmdNew, cmdChange, cmdAddsub, cmdChangesub, cmdDelsub, cmdOK, cmdCancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    connect(lblMain, &ColourSwatch::clicked, this, &frmMainSub::lblMain_Click);
    connect(cmdNew, &QPushButton::clicked, this, &frmMainSub::cmdNew_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmMainSub::cmdChange_Click);
    connect(cmdAddsub, &QPushButton::clicked, this, &frmMainSub::cmdAddsub_Click);
    connect(cmdChangesub, &QPushButton::clicked, this, &frmMainSub::cmdChangesub_Click);
    connect(cmdDelsub, &QPushButton::clicked, this, &frmMainSub::cmdDelsub_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmMainSub::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMainSub::cmdCancel_Click);

    // Moving through a list with the arrow keys shows the row as a click does.
    connect(lvwMain->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
        if (!filling_ && now.isValid() && now.row() != shownMainRow_)
            lvwMain_Click(now.row());
    });
    connect(lvwSub->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
        if (!filling_ && now.isValid())
            lvwSub_Click(now.row());
    });
    for (QTreeView* list : {lvwMain, lvwSub}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
}

void frmMainSub::buildLayout()
{
    auto* left = new QVBoxLayout;
    left->addWidget(lblList);
    left->addWidget(lvwMain, 1);
    lvwMain->setMinimumWidth(200);

    auto* category = new QGroupBox(QStringLiteral("費目情報"));
    auto* form = new QGridLayout(category);
    auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    form->addWidget(label(QStringLiteral("費目番号"), lblMainNo), 0, 0);
    form->addWidget(lblMainNo, 0, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("費目名"), txtMain), 1, 0);
    form->addWidget(txtMain, 1, 1, 1, 2);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(optOut);
    kinds->addWidget(optIn);
    kinds->addStretch();
    form->addWidget(label(QStringLiteral("出入金区分"), optOut), 2, 0);
    form->addLayout(kinds, 2, 1, 1, 2);
    form->addWidget(label(QStringLiteral("表示色"), lblMain), 3, 0);
    form->addWidget(lblMain, 3, 1, Qt::AlignLeft);
    form->addWidget(label(QStringLiteral("予算"), txtLimit), 4, 0);
    form->addWidget(txtLimit, 4, 1);
    txtLimit->setMaximumWidth(txtLimit->fontMetrics().horizontalAdvance(QStringLiteral("-2,147,483,648")) + 20);
    form->addWidget(lblNewHelp, 5, 0, 1, 3);
    form->addWidget(lblChangeHelp, 6, 0, 1, 3);
    auto* categoryButtons = new QHBoxLayout;
    categoryButtons->addStretch();
    categoryButtons->addWidget(cmdNew);
    categoryButtons->addWidget(cmdChange);
    form->addLayout(categoryButtons, 7, 0, 1, 3);
    form->setColumnStretch(2, 1);

    auto* subFields = new QGridLayout;
    subFields->addWidget(label(QStringLiteral("摘要項目番号"), lblSubNo), 0, 0);
    subFields->addWidget(lblSubNo, 0, 1, Qt::AlignLeft);
    subFields->addWidget(label(QStringLiteral("摘要項目名"), txtSub), 1, 0, 1, 2);
    subFields->addWidget(txtSub, 2, 0, 1, 2);
    auto* subButtons = new QHBoxLayout;
    subButtons->addWidget(cmdAddsub);
    subButtons->addWidget(cmdChangesub);
    subButtons->addWidget(cmdDelsub);
    subFields->addLayout(subButtons, 3, 0, 1, 2);
    subFields->setRowStretch(4, 1);
    auto* sub = new QHBoxLayout(picDummy);
    sub->addWidget(lvwSub, 1);
    sub->addLayout(subFields);
    lvwSub->setMinimumSize(180, 120);
    // Hiding the panel leaves its place empty rather than moving the window's content.
    QSizePolicy keep = picDummy->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    picDummy->setSizePolicy(keep);

    auto* right = new QVBoxLayout;
    right->addWidget(category);
    right->addWidget(picDummy, 1);

    auto* top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addLayout(right, 3);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cmdOK);
    bottom->addWidget(cmdCancel);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(bottom);

    setTabOrder(lvwMain, txtMain);
    setTabOrder(txtMain, optOut);
    setTabOrder(optOut, optIn);
    setTabOrder(optIn, lblMain);
    setTabOrder(lblMain, txtLimit);
    setTabOrder(txtLimit, cmdNew);
    setTabOrder(cmdNew, cmdChange);
    setTabOrder(cmdChange, lvwSub);
    setTabOrder(lvwSub, txtSub);
    setTabOrder(txtSub, cmdAddsub);
    setTabOrder(cmdAddsub, cmdChangesub);
    setTabOrder(cmdChangesub, cmdDelsub);
    setTabOrder(cmdDelsub, cmdOK);
    setTabOrder(cmdOK, cmdCancel);
    resize(760, 560);
}

void frmMainSub::buildEditMenu()
{
    mnuEdit = new QMenu(QStringLiteral("費目編集(&E)"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEditItems[0] = mnuEdit->addAction(QStringLiteral("費目情報クリア（新規作成用）"), this, [this] { mnuEditItem(0); });
    mnuEditItems[1] = mnuEdit->addSeparator();
    mnuEditItems[2] = mnuEdit->addAction(QStringLiteral("削除"), this, [this] { mnuEditItem(2); });
    for (int i = 0; i < 3; ++i)
        mnuEditItems[i]->setObjectName(QStringLiteral("mnuEditItem%1").arg(i));
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
    rows.reserve(model_.categoryList.count());
    for (const auto& c : model_.categoryList)
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
    if (const auto colour = model_.prompter().chooseColor(lblMain->colour()))
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            focusNextChild();
        return;
    }
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
    model_.ReadCategoryMaster(0);
    CategoryRules::alignYear(model_, deleted_);
    CategoryRules::alignCategoryUse(model_);
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
