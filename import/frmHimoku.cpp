#include "import/frmHimoku.h"

#include "import/ImportTool.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Import {

frmHimoku::frmHimoku(ImportTool& tool, QWidget* parent) : QDialog(parent), tool_(tool)
{
    setObjectName(QStringLiteral("frmHimoku"));
    setWindowTitle(QStringLiteral("Step2: 費目の並べ替え"));

    Label1 = new QLabel(QStringLiteral("マウスで Drag and Drop して、順番を決めてください。（このままで良い場合は、[次へ(N)] をクリック!!）"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);

    lvwMain = new QTreeWidget(this);
    lvwMain->setObjectName(QStringLiteral("lvwMain"));
    lvwMain->setHeaderLabels({QStringLiteral("費目番号"), QStringLiteral("費目名")});
    lvwMain->setRootIsDecorated(false);
    lvwMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwMain->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwMain->setToolTip(QStringLiteral("キーボードでは Ctrl+↑ / Ctrl+↓ で選択した費目を移動できます。"));
    lvwMain->header()->resizeSection(0, 80);
    lvwMain->setMinimumSize(360, 300);
    lvwMain->viewport()->installEventFilter(this);

    cmdUp = new QPushButton(QStringLiteral("上へ(&U)"), this);
    cmdUp->setObjectName(QStringLiteral("cmdUp"));
    cmdUp->setAutoDefault(false);
    cmdDown = new QPushButton(QStringLiteral("下へ(&D)"), this);
    cmdDown->setObjectName(QStringLiteral("cmdDown"));
    cmdDown->setAutoDefault(false);
    cmdNext = new QPushButton(QStringLiteral("次へ(&N)..."), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* moves = new QVBoxLayout;
    moves->addWidget(cmdUp);
    moves->addWidget(cmdDown);
    moves->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(lvwMain, 1);
    list->addLayout(moves);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(list, 1);
    layout->addLayout(buttons);

    // Rows in the order the categories were met, numbered 01, 02, ...
    for (const auto& s : tool_.session.sourceCategories)
        new QTreeWidgetItem(lvwMain, {s.item->no, s.item->name});
    if (lvwMain->topLevelItemCount() > 0)
        lvwMain->setCurrentItem(lvwMain->topLevelItem(0));

    auto* up = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), lvwMain, nullptr, nullptr, Qt::WidgetShortcut);
    auto* down = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), lvwMain, nullptr, nullptr, Qt::WidgetShortcut);
    connect(up, &QShortcut::activated, this, [this] { moveSelected(-1); });
    connect(down, &QShortcut::activated, this, [this] { moveSelected(1); });
    connect(cmdUp, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(cmdDown, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { tool_.himokuNext(names()); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { tool_.confirmCancel(); });
    lvwMain->setFocus();
}

QStringList frmHimoku::names() const
{
    QStringList out;
    for (int r = 0; r < lvwMain->topLevelItemCount(); ++r)
        out << lvwMain->topLevelItem(r)->text(1);
    return out;
}

void frmHimoku::setNames(const QStringList& names, int selected)
{
    for (int r = 0; r < names.size(); ++r)
        lvwMain->topLevelItem(r)->setText(1, names[r]);
    if (selected >= 0 && selected < lvwMain->topLevelItemCount())
        lvwMain->setCurrentItem(lvwMain->topLevelItem(selected));
}

void frmHimoku::moveSelected(int step)
{
    const int from = lvwMain->indexOfTopLevelItem(lvwMain->currentItem());
    const int to = from + step;
    if (from < 0 || to < 0 || to >= lvwMain->topLevelItemCount())
        return;
    QStringList list = names();
    list.swapItemsAt(from, to);
    setNames(list, to);
}

void frmHimoku::dropRow(int from, int target)
{
    const QTreeWidgetItem* dragged = lvwMain->topLevelItem(from);
    const QTreeWidgetItem* onto = lvwMain->topLevelItem(target);
    if (!dragged || !onto || from == target)
        return;
    const auto answer = tool_.session.prompter().question(
        QStringLiteral("[") + onto->text(0) + QLatin1Char(' ') + onto->text(1)
            + QStringLiteral("] の前に挿入しますか、後に挿入しますか。\r\n\r\n[前]の場合は、[はい]\r\n[後]の場合は、[いいえ]"),
        Prompter::Buttons::YesNoCancel,
        QStringLiteral("[") + dragged->text(0) + QLatin1Char(' ') + dragged->text(1) + QStringLiteral("] の移動"));
    if (answer == Prompter::Answer::Cancel)
        return;
    const bool before = answer == Prompter::Answer::Yes;
    QStringList list = names();
    if (moveRow(list, from, target, before))
        setNames(list, list.indexOf(dragged->text(1)));
}

void frmHimoku::endDrag()
{
    if (dragRow_ >= 0)
        QApplication::restoreOverrideCursor();
    dragRow_ = -1;
    dragName_.clear();
}

bool frmHimoku::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwMain->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* e = static_cast<QMouseEvent*>(event);
            endDrag();
            lvwMain->setFocus();
            if (QTreeWidgetItem* item = lvwMain->itemAt(e->position().toPoint())) {
                lvwMain->setCurrentItem(item);
                dragRow_ = lvwMain->indexOfTopLevelItem(item);
                dragName_ = item->text(1);
                QApplication::setOverrideCursor(Qt::DragMoveCursor);
            }
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* e = static_cast<QMouseEvent*>(event);
            const int from = dragRow_;
            endDrag();
            QTreeWidgetItem* item = lvwMain->itemAt(e->position().toPoint());
            if (!item)
                return true;
            lvwMain->setCurrentItem(item);
            const int target = lvwMain->indexOfTopLevelItem(item);
            if (from >= 0 && target != from)
                dropRow(from, target);
            return true;
        }
        if (event->type() == QEvent::MouseMove)
            return true; // no rubber band or selection sweep while dragging
    }
    return QDialog::eventFilter(watched, event);
}

void frmHimoku::reject() { tool_.confirmCancel(); }

void frmHimoku::closeEvent(QCloseEvent* event)
{
    endDrag();
    // The frame's close box is キャンセル: the tool must not run on unseen.
    if (!tool_.isEnding())
        tool_.confirmCancel();
    event->setAccepted(tool_.isEnding());
}

}
