#pragma once

// Reading the written reports back as a reader of them would: the PDF's
// pages and text through poppler's tools, the workbook's cells and charts
// through a small reader of its XML.

#include "ledger/tests/FileSizeLimit.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

inline QByteArray runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput();
}

// The text of each page, as pdftotext gives it.
inline QStringList pdfPages(const QString& path)
{
    QStringList pages = QString::fromUtf8(runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}))
                            .split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

inline int pdfPageCount(const QString& path)
{
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}));
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The page number at the foot of a page: {page, pages}, or {0, 0}.
inline std::pair<int, int> pageNumber(const QString& page)
{
    auto it = QRegularExpression(QStringLiteral("(\\d+)\\s*/\\s*(\\d+)")).globalMatch(page);
    std::pair<int, int> last{0, 0};
    while (it.hasNext()) {
        const auto m = it.next();
        last = {m.captured(1).toInt(), m.captured(2).toInt()};
    }
    return last;
}

class XlsxReader {
public:
    explicit XlsxReader(const QString& path)
    {
        const QByteArray json = runTool(QStringLiteral("python3"), {QStringLiteral(XLSX_DUMP), path});
        for (const QJsonValue v : QJsonDocument::fromJson(json).object().value(QStringLiteral("sheets")).toArray())
            sheets_ << v.toObject();
    }

    QStringList sheetNames() const
    {
        QStringList names;
        for (const QJsonObject& s : sheets_)
            names << s.value(QStringLiteral("name")).toString();
        return names;
    }
    QJsonObject sheet(const QString& name) const
    {
        for (const QJsonObject& s : sheets_)
            if (s.value(QStringLiteral("name")).toString() == name)
                return s;
        return {};
    }
    QJsonObject cell(const QString& sheetName, const QString& ref) const
    {
        return sheet(sheetName).value(QStringLiteral("cells")).toObject().value(ref).toObject();
    }
    // A cell as one line: its text, or its number and format; "" when empty.
    QString show(const QString& sheetName, const QString& ref) const
    {
        const QJsonObject c = cell(sheetName, ref);
        if (c.contains(QStringLiteral("text")))
            return c.value(QStringLiteral("text")).toString();
        if (c.contains(QStringLiteral("number")))
            return QString::number(qint64(c.value(QStringLiteral("number")).toDouble())) + QLatin1Char(' ')
                + c.value(QStringLiteral("fmt")).toString();
        return {};
    }
    bool topBorder(const QString& sheetName, const QString& ref) const
    {
        return cell(sheetName, ref).value(QStringLiteral("top")).toBool();
    }
    bool bottomBorder(const QString& sheetName, const QString& ref) const
    {
        return cell(sheetName, ref).value(QStringLiteral("bottom")).toBool();
    }
    QString printArea(const QString& sheetName) const
    {
        return sheet(sheetName).value(QStringLiteral("printArea")).toString();
    }
    // "kind@anchor categories|values" per chart series, in sheet order.
    QStringList charts(const QString& sheetName) const
    {
        QStringList out;
        for (const QJsonValue c : sheet(sheetName).value(QStringLiteral("charts")).toArray()) {
            const QJsonObject chart = c.toObject();
            for (const QJsonValue s : chart.value(QStringLiteral("series")).toArray())
                out << QStringLiteral("%1@%2 %3|%4")
                           .arg(chart.value(QStringLiteral("kind")).toString(), chart.value(QStringLiteral("anchor")).toString(),
                                s.toObject().value(QStringLiteral("categories")).toString(),
                                s.toObject().value(QStringLiteral("values")).toString());
        }
        return out;
    }
    QStringList pointColors(const QString& sheetName, int chart) const
    {
        QStringList out;
        const QJsonArray charts = sheet(sheetName).value(QStringLiteral("charts")).toArray();
        for (const QJsonValue p : charts[chart].toObject()[QStringLiteral("series")].toArray()[0].toObject()[QStringLiteral("points")].toArray())
            out << p.toString();
        return out;
    }

private:
    QList<QJsonObject> sheets_;
};

