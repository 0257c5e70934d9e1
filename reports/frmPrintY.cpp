#include "reports/frmPrintY.h"

#include "ledger/LedgerModel.h"
#include "reports/ReportPages.h"
#include "reports/ReportWorkbook.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmPrintY::frmPrintY(LedgerModel& model, QWidget* parent) : ReportDialog(model, parent)
{
    setObjectName(QStringLiteral("frmPrintY"));
    setWindowTitle(QStringLiteral("年間収支報告書 印刷"));

    auto* year = new QLabel(QStringLiteral("%1年度の年間収支報告").arg(model.startYear()), this);
    chkData = new QCheckBox(QStringLiteral("月別収支内訳（数値データ）"), this);
    chkData->setObjectName(QStringLiteral("chkData"));
    chkGraph = new QCheckBox(QStringLiteral("年間推移グラフ"), this);
    chkGraph->setObjectName(QStringLiteral("chkGraph"));
    chkData->setChecked(true);
    chkGraph->setChecked(true);
    for (QCheckBox* box : {chkData, chkGraph})
        connect(box, &QCheckBox::toggled, this, [this] { enableOutput(chkData->isChecked() || chkGraph->isChecked()); });

    auto* choices = new QVBoxLayout;
    choices->addWidget(year);
    choices->addSpacing(6);
    choices->addWidget(chkData);
    choices->addWidget(chkGraph);
    choices->addStretch();
    setChoices(choices);
    setTabOrder(chkData, chkGraph);
    setTabOrder(chkGraph, cmdPrint);
    setTabOrder(cmdPrint, cmdPdf);
    setTabOrder(cmdPdf, cmdExcel);
    setTabOrder(cmdExcel, cmdCancel);
    chkData->setFocus();
}

QString frmPrintY::reportName() const { return QStringLiteral("年間収支報告"); }

QString frmPrintY::fileName() const { return QStringLiteral("年間収支報告 %1年").arg(model_.startYear()); }

bool frmPrintY::prepare()
{
    if (!chkData->isChecked() && !chkGraph->isChecked())
        return false;
    model_.BuildMonthCatTotals();
    report_ = Reports::buildYearReport(model_);
    if (report_.isEmpty()) {
        reject();
        model_.prompter().message(QStringLiteral("出力するデータがありません。"), Prompter::Icon::Information,
                                  QStringLiteral("年間収支報告印刷"));
        return false;
    }
    return true;
}

void frmPrintY::draw(Reports::ReportCanvas& c) const
{
    Reports::drawYearReport(c, report_, chkData->isChecked(), chkGraph->isChecked());
}

TextFile::WriteResult frmPrintY::writeWorkbook(const QString& path) const
{
    return Reports::writeYearWorkbook(path, report_, chkData->isChecked(), chkGraph->isChecked());
}
