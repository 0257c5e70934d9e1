#include "ledger/QtJapanese.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// Texts of Qt's file chooser that its shipped translation lacks.
class MissingTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        static const QHash<QByteArray, QString> texts{
            {"Folder", QStringLiteral("フォルダー")}, {"File Folder", QStringLiteral("フォルダー")},
            {"Drive", QStringLiteral("ドライブ")},    {"Shortcut", QStringLiteral("ショートカット")},
            {"Unknown", QStringLiteral("不明")},
        };
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        return texts.value(QByteArray(source));
    }
};
}

bool installQtJapanese(QCoreApplication& app)
{
    // Dates, months and weekdays in Qt's dialogs follow the program's
    // language, not the system's.
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    QCoreApplication::installTranslator(new MissingTexts(&app));
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}
