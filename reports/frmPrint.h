#pragma once

#include "reports/ReportData.h"
#include "reports/ReportDialog.h"

#include <vector>

class QListWidget;

// The monthly report window 月間収支報告書 印刷: the months chosen in
// lstMonth go out in month order, one report each.
class frmPrint : public ReportDialog {
    Q_OBJECT
public:
    explicit frmPrint(LedgerModel& model, QWidget* parent = nullptr);

    QListWidget* lstMonth = nullptr;

    // The chosen months, January first.
    std::vector<int> selectedMonths() const;
    // The reports of the last output, months without entries left out.
    const std::vector<Reports::MonthReport>& reports() const { return reports_; }

protected:
    QString reportName() const override;
    QString fileName() const override;
    bool prepare() override;
    void draw(Reports::ReportCanvas& c) const override;
    TextFile::WriteResult writeWorkbook(const QString& path) const override;

private:
    std::vector<Reports::MonthReport> reports_;
};
