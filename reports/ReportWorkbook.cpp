#include "ReportWorkbook.h"

#include "WorkbookModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace Reports {

namespace {
// The workbook module beside the program; tests and benchmarks find it in
// the build's program folder. Loaded once and kept.
QFunctionPointer moduleEntry(const char* name, QString& error)
{
    static QLibrary* module = nullptr;
    if (!module) {
        for (const QString& folder : {QCoreApplication::applicationDirPath(), QStringLiteral(KANELO_BUILD_BIN_DIR)}) {
            auto* lib = new QLibrary(QDir(folder).filePath(QStringLiteral("kanelo_workbook")));
            if (lib->load()) {
                module = lib;
                break;
            }
            delete lib;
        }
    }
    const QFunctionPointer entry = module ? module->resolve(name) : nullptr;
    if (!entry)
        error = QStringLiteral("Excel 形式で保存するためのファイル [libkanelo_workbook.so] がプログラムのフォルダに見つかりません。");
    return entry;
}
}

TextFile::WriteResult writeMonthWorkbook(const QString& path, const std::vector<MonthReport>& months)
{
    TextFile::WriteResult r;
    QByteArray bytes;
    const auto build = reinterpret_cast<BuildMonthWorkbookFn>(moduleEntry(kBuildMonthWorkbook, r.error));
    if (!build || !build(months, bytes, r.error))
        return r;
    return TextFile::writeBytes(path, bytes);
}

TextFile::WriteResult writeYearWorkbook(const QString& path, const YearReport& year, bool figures, bool charts)
{
    TextFile::WriteResult r;
    QByteArray bytes;
    const auto build = reinterpret_cast<BuildYearWorkbookFn>(moduleEntry(kBuildYearWorkbook, r.error));
    if (!build || !build(year, figures, charts, bytes, r.error))
        return r;
    return TextFile::writeBytes(path, bytes);
}

}
