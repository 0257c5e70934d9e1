#include "WorkbookModule.h"

#include <QtGlobal>

using namespace Reports;

extern "C" Q_DECL_EXPORT bool kaneloBuildMonthWorkbook(const std::vector<MonthReport>& months, QByteArray& bytes,
                                                       QString& error)
{
    return buildMonthWorkbook(months, bytes, error);
}

extern "C" Q_DECL_EXPORT bool kaneloBuildYearWorkbook(const YearReport& year, bool figures, bool charts,
                                                      QByteArray& bytes, QString& error)
{
    return buildYearWorkbook(year, figures, charts, bytes, error);
}
