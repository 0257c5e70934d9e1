#pragma once

#include "reports/ReportCanvas.h"
#include "ledger/TextFile.h"

class QPagedPaintDevice;
class QWidget;

namespace Reports {

// A4 portrait with 10 mm margins, for the printer and the PDF alike.
void setReportPage(QPagedPaintDevice& device);

// Draws the report into a PDF in memory; the file at path is replaced only
// by the complete document.
TextFile::WriteResult savePdf(const QString& path, const QString& title, const Draw& draw);
// The PDF bytes themselves (benchmarks, tests). Empty when painting failed.
QByteArray pdfBytes(const QString& title, const Draw& draw);

enum class PrintResult { Printed, Cancelled, NoPrinter, Failed };

// The print preview, from which the user picks the printer and prints.
PrintResult printThroughPreview(QWidget* parent, const QString& title, const Draw& draw);

}
