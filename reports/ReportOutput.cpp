#include "reports/ReportOutput.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

namespace Reports {

namespace {
// Noto CJK draws 月 and the Kangxi radical ⽉ with one glyph, and the PDF
// writer names each glyph by the lowest code that uses it, so a viewer
// would copy and search "⽉度" for "月度". Each radical with a one-character
// compatibility form is renamed to that ideograph in the ToUnicode maps;
// the codes have the same length, so no offset in the file moves.
int ideographOf(uint code)
{
    const QChar c{char16_t(code)};
    const QString d = c.decomposition();
    return c.decompositionTag() == QChar::Compat && d.size() == 1 ? d[0].unicode() : -1;
}

void fixCopiedText(QByteArray& pdf)
{
    qsizetype at = 0;
    while ((at = pdf.indexOf("begincmap", at)) >= 0) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0)
            return;
        // Targets: the second code of a "beginbfchar" line, the codes in
        // the brackets of a "beginbfrange" line.
        bool ranges = false;
        for (qsizetype line = at; line < end;) {
            qsizetype next = pdf.indexOf('\n', line);
            if (next < 0 || next > end)
                next = end;
            const QByteArray text = pdf.mid(line, next - line);
            if (text.contains("beginbfchar"))
                ranges = false;
            else if (text.contains("beginbfrange"))
                ranges = true;
            const qsizetype bracket = text.indexOf('[');
            int token = 0;
            for (qsizetype i = 0; i + 5 < text.size(); ++i) {
                if (text[i] != '<' || text[i + 5] != '>')
                    continue;
                ++token;
                const bool target = ranges ? bracket >= 0 && i > bracket : token == 2;
                bool ok = false;
                const uint code = text.mid(i + 1, 4).toUInt(&ok, 16);
                const int ideograph = ok && target && code >= 0x2E80 && code <= 0x2FDF ? ideographOf(code) : -1;
                if (ideograph > 0)
                    pdf.replace(line + i + 1, 4, QByteArray::number(ideograph, 16).toUpper().rightJustified(4, '0'));
                i += 5;
            }
            line = next + 1;
        }
        at = end;
    }
}
}

void setReportPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
}

QByteArray pdfBytes(const QString& title, const Draw& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Kanelo Y"));
        setReportPage(pdf);
        painted = paintReport(pdf, draw);
    }
    if (!painted)
        return {};
    fixCopiedText(bytes);
    return bytes;
}

TextFile::WriteResult savePdf(const QString& path, const QString& title, const Draw& draw)
{
    const QByteArray bytes = pdfBytes(title, draw);
    if (bytes.isEmpty()) {
        TextFile::WriteResult r;
        r.error = QStringLiteral("PDFを作成できませんでした。");
        return r;
    }
    return TextFile::writeBytes(path, bytes);
}

PrintResult printThroughPreview(QWidget* parent, const QString& title, const Draw& draw)
{
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return PrintResult::NoPrinter;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    setReportPage(printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title + QStringLiteral(" - 印刷プレビュー"));
    if (const QScreen* s = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview.resize(s->availableSize() * 0.8);
    // The preview paints too; what counts is the last painting, the one the
    // printer received when the user printed.
    bool painted = false;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* p) { painted = paintReport(*p, draw); });
    if (preview.exec() != QDialog::Accepted)
        return PrintResult::Cancelled;
    if (!painted || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return PrintResult::Failed;
    return PrintResult::Printed;
}

}
