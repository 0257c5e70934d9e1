#include "reports/frmPrint.h"

#include "ledger/LedgerModel.h"
#include "reports/ReportPages.h"
#include "reports/ReportWorkbook.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmPrint::frmPrint(LedgerModel& model, QWidget* parent) : ReportDialog(model, parent)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("月間収支報告書 印刷"));

    lstMonth = new QListWidget(this);
    lstMonth->setObjectName(QStringLiteral("lstMonth"));
    // A click or Space adds or removes one month; several may be chosen.
    lstMonth->setSelectionMode(QAbstractItemView::MultiSelection);
    for (int m = 1; m <= 12; ++m)
        lstMonth->addItem(QString::number(m) + QStringLiteral("月"));
    lstMonth->setFixedHeight(lstMonth->sizeHintForRow(0) * 12 + 2 * lstMonth->frameWidth() + 4);
    const int cur = qBound(1, model.curMonth(), 12) - 1;
    lstMonth->item(cur)->setSelected(true);
    lstMonth->setCurrentRow(cur, QItemSelectionModel::NoUpdate);
    connect(lstMonth, &QListWidget::itemSelectionChanged, this,
            [this] { enableOutput(!lstMonth->selectedItems().isEmpty()); });

    auto* label = new QLabel(QStringLiteral("印刷する月(&M):"), this);
    label->setBuddy(lstMonth);
    auto* choices = new QVBoxLayout;
    choices->addWidget(label);
    choices->addWidget(lstMonth);
    setChoices(choices);
    setTabOrder(lstMonth, cmdPrint);
    setTabOrder(cmdPrint, cmdPdf);
    setTabOrder(cmdPdf, cmdExcel);
    setTabOrder(cmdExcel, cmdCancel);
    lstMonth->setFocus();
}

std::vector<int> frmPrint::selectedMonths() const
{
    std::vector<int> months;
    for (int i = 0; i < lstMonth->count(); ++i)
        if (lstMonth->item(i)->isSelected())
            months.push_back(i + 1);
    return months;
}

QString frmPrint::reportName() const { return QStringLiteral("月間収支報告"); }

QString frmPrint::fileName() const
{
    QStringList months;
    for (const Reports::MonthReport& r : reports_)
        months << QString::number(r.month);
    return QStringLiteral("月間収支報告 %1年%2月").arg(model_.startYear()).arg(months.join(QStringLiteral("・")));
}

bool frmPrint::prepare()
{
    reports_.clear();
    const std::vector<int> months = selectedMonths();
    if (months.empty())
        return false;
    model_.BuildMonthCatTotals();
    for (int m : months) {
        Reports::MonthReport r = Reports::buildMonthReport(model_, m);
        if (!r.hasEntries()) {
            model_.prompter().message(QStringLiteral("出力するデータがありません。"), Prompter::Icon::Information,
                                      QString::number(m) + QStringLiteral("月度 月間収支報告印刷"));
            continue;
        }
        reports_.push_back(std::move(r));
    }
    return !reports_.empty();
}

void frmPrint::draw(Reports::ReportCanvas& c) const
{
    for (const Reports::MonthReport& r : reports_)
        Reports::drawMonthReport(c, r);
}

TextFile::WriteResult frmPrint::writeWorkbook(const QString& path) const
{
    return Reports::writeMonthWorkbook(path, reports_);
}
