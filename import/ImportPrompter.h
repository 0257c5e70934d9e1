#pragma once

#include "ui/QtPrompter.h"

// The ledger program's dialogs, with the import tool's name on boxes that
// bring no title of their own.
class ImportPrompter : public QtPrompter {
public:
    static inline const QString kTitle = QStringLiteral("Kanelo Import");

    void message(const QString& text, Icon icon, const QString& title = {}) override
    {
        QtPrompter::message(text, icon, title.isEmpty() ? kTitle : title);
    }
    Answer question(const QString& text, Buttons buttons, const QString& title = {},
                    Answer defaultAnswer = Answer::Yes) override
    {
        return QtPrompter::question(text, buttons, title.isEmpty() ? kTitle : title, defaultAnswer);
    }
};
