// The category editor's controls, their layout and the pop-up menu of the
// category list.
#include "categories/frmMainSub.h"

#include "categories/ColourSwatch.h"
#include "categories/NumberedNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
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
