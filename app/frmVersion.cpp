#include "app/frmVersion.h"

#include "ledger/ProgramFolder.h"
#include "ledger/Version.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmVersion::frmVersion(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("バージョン情報"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(10);

    lblTitle = new QLabel(QStringLiteral("Kanelo Y -ぽるもさん!?"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont big = lblTitle->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    lblTitle->setFont(big);
    layout->addWidget(lblTitle);

    auto* sub = new QLabel(QStringLiteral("家計簿ソフト"), this);
    layout->addWidget(sub);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    lblVersion = new QLabel(QStringLiteral("Version ") + programVersion(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    layout->addWidget(lblVersion);

    lblComment = new QLabel(QStringLiteral("毎日の出金・入金を費目ごとに記録し、\n月ごとの収支と残高を表示します。"), this);
    lblComment->setObjectName(QStringLiteral("lblComment"));
    layout->addWidget(lblComment);

    // Where the ledger's files are: the user looks here to back them up.
    lblFolderCaption = new QLabel(QStringLiteral("データフォルダ:"), this);
    layout->addWidget(lblFolderCaption);
    lblFolder = new QLabel(QDir::toNativeSeparators(programFolder()), this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lblFolder->setIndent(12);
    layout->addWidget(lblFolder);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(cmdOK);
    layout->addLayout(buttons);

    setFixedSize(sizeHint().expandedTo(QSize(380, 0)));
}

void frmVersion::showAsSplash()
{
    setWindowTitle(QString());
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    // The splash is the box's upper part: title, version and comment.
    lblFolderCaption->hide();
    lblFolder->hide();
    const int full = sizeHint().height();
    cmdOK->hide();
    setFixedSize(width(), full * 2 / 3);
    setModal(false);
    show();
    QApplication::processEvents();
}
