#pragma once

#include "reports/ReportData.h"
#include "reports/ReportDialog.h"

class QCheckBox;

// The yearly report window: chkData puts out the figures, chkGraph the
// trend charts; both are ticked when it opens.
class frmPrintY : public ReportDialog {
    Q_OBJECT
public:
    explicit frmPrintY(LedgerModel& model, QWidget* parent = nullptr);

    QCheckBox* chkData = nullptr;
    QCheckBox* chkGraph = nullptr;

    const Reports::YearReport& report() const { return report_; }

protected:
    QString reportName() const override;
    QString fileName() const override;
    bool prepare() override;
    void draw(Reports::ReportCanvas& c) const override;
    TextFile::WriteResult writeWorkbook(const QString& path) const override;

private:
    Reports::YearReport report_;
};
