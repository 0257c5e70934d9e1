#include "graphs/frmGraphOption.h"

#include "ledger/Formats.h"
#include "ledger/LedgerModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmGraphOption::frmGraphOption(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setObjectName(QStringLiteral("frmGraphOption"));
    setWindowTitle(QStringLiteral("表示対象費目の指定"));
    setModal(true);

    lblMain = new QLabel(QStringLiteral("グラフの表示対象とする費目を指定して下さい。"), this);
    lstMain = new QListWidget(this);
    lstMain->setObjectName(QStringLiteral("lstMain"));
    // Click or Space toggles a line; the others keep their state.
    lstMain->setSelectionMode(QAbstractItemView::MultiSelection);
    lblMain->setBuddy(lstMain);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmGraphOption::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMain);
    layout->addWidget(lstMain, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);

    // Line j is graphTargets row j; a row whose category is gone keeps its
    // line (under its number) so the two stay in step.
    for (const GraphTargetRow& row : model_.graphTargets()) {
        const QString no = Fmt::zero2(row.no);
        const auto c = model_.category(no);
        lstMain->addItem(c ? c->name : no);
    }
    for (int j = 0; j < int(model_.graphTargets().size()); ++j)
        lstMain->item(j)->setSelected(model_.graphTargets()[j].show == 1);
    if (lstMain->count() > 0)
        lstMain->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    resize(340, 420);
}

void frmGraphOption::accept()
{
    std::vector<bool> shown;
    for (int j = 0; j < lstMain->count(); ++j)
        shown.push_back(lstMain->item(j)->isSelected());
    model_.SetGraphTargetsShown(shown);
    QDialog::accept();
}
