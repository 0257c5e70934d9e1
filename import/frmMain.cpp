#include "import/frmMain.h"

#include "ledger/Clock.h"
#include "import/ImportTool.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace Import {

frmMain::frmMain(ImportTool& tool, QWidget* parent) : QDialog(parent), tool_(tool)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Step1: データファイルの指定"));

    Label1 = new QLabel(QStringLiteral("取り込むデータファイルを指定して下さい。"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtImport = new QLineEdit(this);
    txtImport->setObjectName(QStringLiteral("txtImport"));
    txtImport->setMinimumWidth(380);
    cmdRef = new QPushButton(QStringLiteral("..."), this);
    cmdRef->setObjectName(QStringLiteral("cmdRef"));
    cmdRef->setToolTip(QStringLiteral("データファイルを選択します。"));
    cmdRef->setAutoDefault(false);
    cmdRef->setFixedWidth(36);

    cmbYear = new QComboBox(this);
    cmbYear->setObjectName(QStringLiteral("cmbYear"));
    // Editable, so a year further back than the list can still be typed.
    cmbYear->setEditable(true);
    const int thisYear = Clock::today().year();
    for (int y = thisYear - 5; y <= thisYear + 5; ++y)
        cmbYear->addItem(QString::number(y));
    cmbYear->setCurrentIndex(5);
    lblYear = new QLabel(QStringLiteral("年 分のデータとして取り込む"), this);
    lblYear->setObjectName(QStringLiteral("lblYear"));
    lblYear->setBuddy(cmbYear);

    cmdNext = new QPushButton(QStringLiteral("次へ(&N)..."), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto* file = new QHBoxLayout;
    file->addWidget(txtImport, 1);
    file->addWidget(cmdRef);
    auto* year = new QHBoxLayout;
    year->addWidget(cmbYear);
    year->addWidget(lblYear);
    year->addStretch(1);
    prgRead = new QProgressBar(this);
    prgRead->setObjectName(QStringLiteral("prgRead"));
    prgRead->setRange(0, 1000);
    prgRead->setFormat(QStringLiteral("読み込み中... %p%"));
    prgRead->setVisible(false);
    // The bar takes the place of nothing: the page keeps its size.
    QSizePolicy keep = prgRead->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    prgRead->setSizePolicy(keep);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(prgRead, 1);
    buttons->addSpacing(8);
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(file);
    layout->addLayout(year);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    const bool standalone = !tool_.session.linkedMode;
    cmbYear->setVisible(standalone);
    lblYear->setVisible(standalone);
    txtImport->clear();

    setTabOrder(txtImport, cmdRef);
    setTabOrder(cmdRef, cmbYear);
    setTabOrder(cmbYear, cmdNext);
    setTabOrder(cmdNext, cmdCancel);

    connect(cmdRef, &QPushButton::clicked, this, &frmMain::cmdRef_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmMain::cmdCancel_Click);
}

void frmMain::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    txtImport->setFocus();
}

void frmMain::cmdRef_Click()
{
    const QString path = tool_.session.prompter().openFile(QStringLiteral("Kanelo Log -インポートするデータファイルを開く"),
                                                           {QStringLiteral("すべてのﾌｧｲﾙ(*.*)|*.*")}, QDir::currentPath());
    if (!path.isEmpty())
        txtImport->setText(QDir::toNativeSeparators(path));
}

void frmMain::cmdNext_Click()
{
    ImportSession& s = tool_.session;
    Prompter& p = s.prompter();
    if (!s.linkedMode) {
        const QString year = cmbYear->currentText().trimmed();
        s.importYear = year;
        if (s.yearNumber() == 0) {
            p.message(QStringLiteral("取り込む年度は西暦4桁の数字で指定して下さい。"), Prompter::Icon::Warning);
            cmbYear->setFocus();
            return;
        }
    }
    const QString path = txtImport->text().trimmed();
    if (path.isEmpty()) {
        p.message(QStringLiteral("インポートするファイルが指定されていません。"), Prompter::Icon::Warning);
        txtImport->setFocus();
        return;
    }
    if (!QFileInfo(path).isFile()) {
        p.message(QStringLiteral("指定されたファイルが存在しません。\r\n\r\n正しいファイル名を入力して下さい。"), Prompter::Icon::Warning);
        txtImport->setFocus();
        txtImport->selectAll();
        return;
    }
    tool_.mainNext(path);
}

void frmMain::showReading(bool reading)
{
    for (QWidget* w : {static_cast<QWidget*>(txtImport), static_cast<QWidget*>(cmdRef), static_cast<QWidget*>(cmbYear),
                       static_cast<QWidget*>(cmdNext)})
        w->setEnabled(!reading);
    prgRead->setValue(0);
    prgRead->setVisible(reading);
    if (reading)
        cmdCancel->setFocus();
}

// Nothing has been read yet, so there is nothing to confirm.
void frmMain::cmdCancel_Click() { tool_.end(); }

void frmMain::reject() { cmdCancel_Click(); }

void frmMain::closeEvent(QCloseEvent* event)
{
    if (!tool_.isEnding())
        tool_.end();
    event->accept();
}

}
