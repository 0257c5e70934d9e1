#include "ledger/Settings.h"

#include <QSettings>

namespace {
QString path(const QString& section, const QString& key) { return section + QLatin1Char('/') + key; }
}

QString ReadSetting(const QString& application, const QString& section, const QString& key,
                    const QString& defaultText)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, application, application);
    const QVariant v = s.value(path(section, key));
    return v.isValid() ? v.toString() : defaultText;
}

void WriteSetting(const QString& application, const QString& section, const QString& key,
                  const QString& text)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, application, application);
    s.setValue(path(section, key), text);
}
