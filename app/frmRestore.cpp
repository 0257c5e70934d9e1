#include "app/frmRestore.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
QString whatFile(const Backups::Listing& l)
{
    switch (l.kind) {
    case Backups::Kind::Year:
        return QStringLiteral("%1 （%2 年度の家計簿データ）").arg(l.copy.fileName).arg(l.year);
    case Backups::Kind::Memo:
        return QStringLiteral("%1 （%2 年度のメモ）").arg(l.copy.fileName).arg(l.year);
    case Backups::Kind::Master:
        return QStringLiteral("%1 （費目・摘要項目）").arg(l.copy.fileName);
    default:
        return l.copy.fileName;
    }
}
}

frmRestore::frmRestore(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmRestore"));
    setWindowTitle(QStringLiteral("バックアップから復元"));
    rows = new QStandardItemModel(0, 4, this);
    rows->setHorizontalHeaderLabels({QStringLiteral("ファイル"), QStringLiteral("保存日時"), QStringLiteral("件数"),
                                     QStringLiteral("年度末残高")});
    lvwBackups = new QTreeView;
    lvwBackups->setObjectName(QStringLiteral("lvwBackups"));
    lvwBackups->setModel(rows);
    lvwBackups->setRootIsDecorated(false);
    lvwBackups->setUniformRowHeights(true);
    lvwBackups->setAllColumnsShowFocus(true);
    lvwBackups->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwBackups->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwBackups->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwBackups->header()->setSectionsMovable(false);
    lvwBackups->installEventFilter(this);
    const QFontMetrics fm = fontMetrics();
    lvwBackups->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("0000.zbl （0000 年度の家計簿データ）")) + 24);
    lvwBackups->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("0000/00/00 00:00:00")) + 24);
    lvwBackups->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("000,000 件")) + 24);
    connect(lvwBackups, &QTreeView::doubleClicked, this, &frmRestore::cmdRestore_Click);

    lblNote = new QLabel(QStringLiteral("復元すると、現在のファイルをバックアップとして残してから、選んだ時点の内容に置き換えます。"));
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setWordWrap(true);
    cmdRestore = new QPushButton(QStringLiteral("復元(&R)"));
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdClose = new QPushButton(QStringLiteral("閉じる"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdRestore->setAutoDefault(false);
    cmdClose->setAutoDefault(false);
    connect(cmdRestore, &QPushButton::clicked, this, &frmRestore::cmdRestore_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* list = new QLabel(QStringLiteral("バックアップの一覧(&L)"));
    list->setBuddy(lvwBackups);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdClose);
    auto* main = new QVBoxLayout(this);
    main->addWidget(list);
    main->addWidget(lvwBackups, 1);
    main->addWidget(lblNote);
    main->addLayout(buttons);
    resize(760, 460);
    fill();
}

void frmRestore::fill()
{
    listings_ = Backups::restorable();
    rows->removeRows(0, rows->rowCount());
    for (const Backups::Listing& l : listings_) {
        QList<QStandardItem*> cells{new QStandardItem(whatFile(l)),
                                    new QStandardItem(l.copy.saved.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))),
                                    new QStandardItem(l.entries >= 0 ? Fmt::hash0(l.entries) + QStringLiteral(" 件") : QString()),
                                    new QStandardItem(l.balance ? Fmt::hash0(*l.balance) + QStringLiteral(" 円") : QString())};
        cells[2]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cells[3]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        rows->appendRow(cells);
    }
    cmdRestore->setEnabled(!listings_.empty());
    if (listings_.empty())
        lblNote->setText(QStringLiteral("バックアップはまだありません。家計簿データなどを保存すると、保存前の内容がバックアップとして残ります。"));
    else
        selectRow(0);
    lvwBackups->setFocus();
}

void frmRestore::selectRow(int row)
{
    lvwBackups->selectionModel()->setCurrentIndex(rows->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void frmRestore::cmdRestore_Click()
{
    const int row = lvwBackups->currentIndex().row();
    if (row < 0 || row >= int(listings_.size()))
        return;
    const Backups::Listing listing = listings_[size_t(row)];
    if (!Backups::restore(model_, listing.copy, [&] { emit aboutToRestore(listing); })) {
        // The list may have gained the current file meanwhile.
        fill();
        selectRow(std::min(row, std::max(0, rows->rowCount() - 1)));
        return;
    }
    emit restored(listing);
    accept();
}

bool frmRestore::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvwBackups && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            cmdRestore_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
