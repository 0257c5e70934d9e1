#include "import/frmImportMainSub.h"

#include "import/ImportTool.h"
#include "ledger/LedgerRules.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Import {

namespace {
QTreeWidget* makeList(QWidget* parent, const QString& name, const QStringList& headers)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->resizeSection(0, 48);
    return list;
}

QLabel* valueLabel(QWidget* parent, const QString& name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    l->setMinimumWidth(160);
    return l;
}
}

frmMainSub::frmMainSub(ImportTool& tool, QWidget* parent) : QDialog(parent), tool_(tool)
{
    ImportSession& s = tool_.session;
    setObjectName(QStringLiteral("frmMainSub"));
    setWindowTitle(QStringLiteral("Step%1: 費目情報の編集").arg(s.linkedMode ? 2 : 3));

    lblSubject = new QLabel(QStringLiteral("費目リストから費目を選択して、費目情報を設定して下さい。\n\n"
                                           "なお、ここでは、[表示色／予算／出入金区分] の設定のみ可能です。\n"
                                           "(費目の名称変更等は[ぽるもさん]本体の[費目・摘要項目編集]にて行って下さい。)"),
                            this);
    lblSubject->setObjectName(QStringLiteral("lblSubject"));

    auto* listBox = new QGroupBox(QStringLiteral("費目リスト"), this);
    lvwMain = makeList(listBox, QStringLiteral("lvwMain"), {QStringLiteral("番号"), QStringLiteral("費目名")});
    lvwMain->setMinimumSize(240, 260);
    (new QVBoxLayout(listBox))->addWidget(lvwMain);

    picDummy = new QWidget(this);
    picDummy->setObjectName(QStringLiteral("picDummy"));
    lblMainNo = valueLabel(picDummy, QStringLiteral("lblMainNo"));
    lblMain = valueLabel(picDummy, QStringLiteral("lblMain"));
    lblColor = new QPushButton(picDummy);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setToolTip(QStringLiteral("クリックすると色の設定ができます。"));
    lblColor->setAutoDefault(false);
    lblColor->setFixedSize(64, 24);
    txtLimit = new QLineEdit(picDummy);
    txtLimit->setObjectName(QStringLiteral("txtLimit"));
    txtLimit->setAlignment(Qt::AlignRight);
    // Amounts are typed with the input method off.
    txtLimit->setAttribute(Qt::WA_InputMethodEnabled, false);
    optOut = new QRadioButton(QStringLiteral("出金"), picDummy);
    optOut->setObjectName(QStringLiteral("optOut"));
    optIn = new QRadioButton(QStringLiteral("入金"), picDummy);
    optIn->setObjectName(QStringLiteral("optIn"));
    auto* kind = new QHBoxLayout;
    kind->addWidget(optOut);
    kind->addWidget(optIn);
    kind->addStretch(1);
    auto* form = new QFormLayout(picDummy);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("費目番号"), lblMainNo);
    form->addRow(QStringLiteral("費目名"), lblMain);
    form->addRow(QStringLiteral("表示色"), lblColor);
    form->addRow(QStringLiteral("予算"), txtLimit);
    form->addRow(QStringLiteral("出入金区分"), kind);

    lblAttention = new QLabel(QStringLiteral("既存費目の情報変更はここではできません..."), this);
    lblAttention->setObjectName(QStringLiteral("lblAttention"));
    lblAttention->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
    cmdChange = new QPushButton(QStringLiteral("変更"), this);
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    cmdChange->setToolTip(QStringLiteral("費目情報の変更を反映する場合、このボタンをクリック!!"));
    cmdChange->setDefault(true);

    auto* subBox = new QGroupBox(QStringLiteral("摘要項目"), this);
    lvwSub = makeList(subBox, QStringLiteral("lvwSub"), {QStringLiteral("番号"), QStringLiteral("摘要項目名")});
    lvwSub->setMinimumHeight(110);
    (new QVBoxLayout(subBox))->addWidget(lvwSub);

    cmdNext = new QPushButton(QStringLiteral("次へ(&N)..."), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setAutoDefault(false);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    // The note and 変更 take turns; the page keeps its size whichever shows.
    for (QWidget* w : {static_cast<QWidget*>(lblAttention), static_cast<QWidget*>(cmdChange)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    auto* change = new QHBoxLayout;
    change->addWidget(lblAttention, 1);
    change->addWidget(cmdChange);
    auto* right = new QVBoxLayout;
    right->addWidget(picDummy);
    right->addLayout(change);
    right->addWidget(subBox, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(listBox, 1);
    middle->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSubject);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);

    setTabOrder(lvwMain, lblColor);
    setTabOrder(lblColor, txtLimit);
    setTabOrder(txtLimit, optOut);
    setTabOrder(optOut, optIn);
    setTabOrder(optIn, cmdChange);
    setTabOrder(cmdChange, lvwSub);
    setTabOrder(lvwSub, cmdNext);
    setTabOrder(cmdNext, cmdCancel);

    for (const auto& pair : s.categoryNumbers)
        new QTreeWidgetItem(lvwMain, {pair.item->no, pair.item->name});
    // Leaving a row keeps what it shows; values that cannot be kept keep the row.
    connect(lvwMain, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem* previous) {
        if (returning_)
            return;
        if (previous && !applyShown()) {
            returning_ = true;
            lvwMain->setCurrentItem(previous);
            returning_ = false;
            return;
        }
        showRow(lvwMain->indexOfTopLevelItem(item));
    });
    connect(lblColor, &QPushButton::clicked, this, &frmMainSub::lblColor_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmMainSub::cmdChange_Click);
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        if (applyShown())
            tool_.infoNext();
    });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { tool_.confirmCancel(); });
    txtLimit->installEventFilter(this);

    if (lvwMain->topLevelItemCount() > 0)
        lvwMain->setCurrentItem(lvwMain->topLevelItem(0));
    lvwMain->setFocus();
}

void frmMainSub::setSwatch(quint32 color)
{
    swatch_ = color;
    const QColor c = QColor::fromRgb(LedgerRules::rgbOfColour(color));
    lblColor->setStyleSheet(QStringLiteral("QPushButton { background: %1; border: 1px solid #808080; }"
                                           "QPushButton:focus { border: 2px solid palette(highlight); }")
                                .arg(c.name()));
}

void frmMainSub::showRow(int r)
{
    const QTreeWidgetItem* row = lvwMain->topLevelItem(r);
    if (!row)
        return;
    const ImportCategory* c = tool_.session.categoryNamed(row->text(1));
    if (!c)
        return;
    picDummy->setEnabled(!c->flag);
    cmdChange->setVisible(!c->flag);
    lblAttention->setVisible(c->flag);
    lblMainNo->setText(row->text(0));
    lblMain->setText(c->name);
    setSwatch(c->color);
    txtLimit->setText(QString::number(c->limit));
    optOut->setChecked(c->ioflag == 1);
    optIn->setChecked(c->ioflag == 2);
    lvwSub->clear();
    for (const auto& t : c->nTekiyo)
        new QTreeWidgetItem(lvwSub, {t.item->no, t.item->name});
}

void frmMainSub::lblColor_Click()
{
    if (const auto chosen = tool_.session.prompter().chooseColor(swatch_))
        setSwatch(*chosen);
}

void frmMainSub::cmdChange_Click() { applyShown(); }

bool frmMainSub::applyShown()
{
    const ImportCategory* c = tool_.session.categoryNamed(lblMain->text());
    if (!c || c->flag)
        return true;
    return tool_.session.ChangeCategoryInfo(lblMain->text(), swatch_, txtLimit->text(), optOut->isChecked() ? 1 : 2);
}

bool frmMainSub::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtLimit && event->type() == QEvent::FocusIn)
        txtLimit->selectAll();
    return QDialog::eventFilter(watched, event);
}

void frmMainSub::reject() { tool_.confirmCancel(); }

void frmMainSub::closeEvent(QCloseEvent* event)
{
    if (!tool_.isEnding())
        tool_.confirmCancel();
    event->setAccepted(tool_.isEnding());
}

}
