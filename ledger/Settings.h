#pragma once

#include <QString>

// The per-user settings store: application, section and key to text.
QString ReadSetting(const QString& application, const QString& section, const QString& key,
                    const QString& defaultText);
void WriteSetting(const QString& application, const QString& section, const QString& key,
                  const QString& text);

inline const QString kAppName = QStringLiteral("Kanelo Y");
