#include "reports/ReportWorkbook.h"

#include "ledger/ProgramFolder.h"
#include "reports/workbook/WorkbookModule.h"

#include <QDir>
#include <QPluginLoader>

namespace Reports {

namespace {
QString& folderOverride()
{
    static QString folder;
    return folder;
}

// The module of the program's install, loaded once and kept.
const WorkbookWriter* writer(QString& error)
{
    static QPluginLoader* loader = nullptr;
    static const WorkbookWriter* found = nullptr;
    if (found)
        return found;
    const QString folder = folderOverride().isEmpty() ? moduleFolder() : folderOverride();
    delete loader;
    // The platform's prefix and suffix (lib….so) are added by the loader.
    loader = new QPluginLoader(QDir(folder).filePath(QStringLiteral("kanelo_workbook")));
    found = qobject_cast<WorkbookWriter*>(loader->instance());
    if (!found)
        error = QStringLiteral("Excel 形式で保存するためのモジュール (kanelo_workbook) を次のフォルダから読み込めませんでした。\r\n  %1\r\n\r\n%2")
                    .arg(QDir::toNativeSeparators(folder), loader->errorString());
    return found;
}
}

void setWorkbookModuleFolder(const QString& folder) { folderOverride() = folder; }

TextFile::WriteResult writeMonthWorkbook(const QString& path, const std::vector<MonthReport>& months)
{
    TextFile::WriteResult r;
    QByteArray bytes;
    const WorkbookWriter* w = writer(r.error);
    if (!w || !w->monthWorkbook(months, bytes, r.error))
        return r;
    return TextFile::writeBytes(path, bytes);
}

TextFile::WriteResult writeYearWorkbook(const QString& path, const YearReport& year, bool figures, bool charts)
{
    TextFile::WriteResult r;
    QByteArray bytes;
    const WorkbookWriter* w = writer(r.error);
    if (!w || !w->yearWorkbook(year, figures, charts, bytes, r.error))
        return r;
    return TextFile::writeBytes(path, bytes);
}

}
