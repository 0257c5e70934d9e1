#include "reports/workbook/WorkbookModule.h"

#include <QObject>

namespace Reports {

class WorkbookPlugin : public QObject, public WorkbookWriter {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID KaneloWorkbookWriter_iid)
    Q_INTERFACES(Reports::WorkbookWriter)
public:
    bool monthWorkbook(const std::vector<MonthReport>& months, QByteArray& bytes, QString& error) const override
    {
        return buildMonthWorkbook(months, bytes, error);
    }
    bool yearWorkbook(const YearReport& year, bool figures, bool charts, QByteArray& bytes, QString& error) const override
    {
        return buildYearWorkbook(year, figures, charts, bytes, error);
    }
};

}

#include "WorkbookModule.moc"
