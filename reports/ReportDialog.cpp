#include "reports/ReportDialog.h"

#include "ledger/LedgerModel.h"
#include "ledger/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ReportDialog::ReportDialog(LedgerModel& model, QWidget* parent) : QDialog(parent), model_(model)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    cmdPrint = new QPushButton(QStringLiteral("印刷(&P)..."), this);
    cmdPdf = new QPushButton(QStringLiteral("PDF保存(&D)..."), this);
    cmdExcel = new QPushButton(QStringLiteral("Excel保存(&E)..."), this);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPdf->setObjectName(QStringLiteral("cmdPdf"));
    cmdExcel->setObjectName(QStringLiteral("cmdExcel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdPrint->setDefault(true);
    connect(cmdPrint, &QPushButton::clicked, this, &ReportDialog::cmdPrint_Click);
    connect(cmdPdf, &QPushButton::clicked, this, &ReportDialog::cmdPdf_Click);
    connect(cmdExcel, &QPushButton::clicked, this, &ReportDialog::cmdExcel_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ReportDialog::setChoices(QVBoxLayout* choices)
{
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdPrint, cmdPdf, cmdExcel}) {
        b->setMinimumWidth(130);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto* row = new QHBoxLayout(this);
    row->addLayout(choices, 1);
    row->addSpacing(8);
    row->addLayout(buttons);
    setLayout(row);
    setFixedSize(sizeHint());
}

void ReportDialog::enableOutput(bool on)
{
    for (QPushButton* b : {cmdPrint, cmdPdf, cmdExcel})
        b->setEnabled(on);
}

void ReportDialog::reportDone(const QString& text)
{
    accept();
    model_.prompter().message(text, Prompter::Icon::Information);
}

void ReportDialog::cmdPrint_Click()
{
    if (!prepare())
        return;
    const Reports::PrintResult r = print(this, reportName(), [this](Reports::ReportCanvas& c) { draw(c); });
    Prompter& p = model_.prompter();
    switch (r) {
    case Reports::PrintResult::Printed:
        reportDone(reportName() + QStringLiteral("の印刷が終了しました。"));
        break;
    case Reports::PrintResult::Cancelled:
        break;
    case Reports::PrintResult::NoPrinter:
        p.message(QStringLiteral("印刷できるプリンターが見つかりません。\r\n\r\n"
                                 "プリンターを設定するか、[PDF保存] でPDFファイルに保存して下さい。"),
                  Prompter::Icon::Warning);
        break;
    case Reports::PrintResult::Failed:
        p.message(reportName() + QStringLiteral("を印刷できませんでした。\r\n\r\nプリンターの状態を確認して下さい。"),
                  Prompter::Icon::Warning);
        break;
    }
}

void ReportDialog::cmdPdf_Click()
{
    saveAs(QStringLiteral("PDF"), QStringLiteral("pdf"), [this](const QString& path) {
        return Reports::savePdf(path, reportName(), [this](Reports::ReportCanvas& c) { draw(c); });
    });
}

void ReportDialog::cmdExcel_Click()
{
    saveAs(QStringLiteral("Excel"), QStringLiteral("xlsx"), [this](const QString& path) { return writeWorkbook(path); });
}

void ReportDialog::saveAs(const QString& kind, const QString& suffix,
                            const std::function<TextFile::WriteResult(const QString&)>& write)
{
    if (!prepare())
        return;
    Prompter& p = model_.prompter();
    const QString path = p.saveFile(reportName() + QStringLiteral("を") + kind + QStringLiteral("ファイルに保存"),
                                    {kind + QStringLiteral("ファイル(*.") + suffix + QStringLiteral(")|*.") + suffix},
                                    programFile(fileName() + QLatin1Char('.') + suffix));
    if (path.isEmpty())
        return;
    const bool existed = QFileInfo(path).isFile();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const TextFile::WriteResult r = write(path);
    QGuiApplication::restoreOverrideCursor();
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!r.ok) {
        QString text = QStringLiteral("ファイル [%1] を保存できませんでした。\r\n\r\n%2").arg(shown, r.error);
        if (existed && QFileInfo(path).isFile())
            text += QStringLiteral("\r\n\r\n保存されていたファイルはそのまま残っています。");
        p.message(text, Prompter::Icon::Warning);
        return;
    }
    reportDone(reportName() + QStringLiteral("を") + kind + QStringLiteral("ファイルに保存しました。\r\n\r\nファイル名 [") + shown
         + QStringLiteral("]"));
}
