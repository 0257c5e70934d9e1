#pragma once

#include "ledger/Prompter.h"

#include <QStringList>

// Notes the messages shown through it and passes everything on to
// forwardTo; without one it shows nothing (a model reading files on the
// tool's behalf) and questions take their default answer.
class RecordingPrompter : public Prompter {
public:
    QStringList messages;
    int warnings = 0; // messages with the warning or critical icon
    Prompter* forwardTo = nullptr;

    explicit RecordingPrompter(Prompter* forward = nullptr) : forwardTo(forward) {}

    void message(const QString& text, Icon icon, const QString& title = {}) override
    {
        messages << text;
        if (icon == Icon::Warning || icon == Icon::Critical)
            ++warnings;
        if (forwardTo)
            forwardTo->message(text, icon, title);
    }
    Answer question(const QString& text, Buttons buttons, const QString& title = {}, Answer defaultAnswer = Answer::Yes) override
    {
        return forwardTo ? forwardTo->question(text, buttons, title, defaultAnswer) : defaultAnswer;
    }
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return forwardTo ? forwardTo->input(prompt, title, defaultText) : defaultText;
    }
    QString openFile(const QString& title, const QStringList& filters, const QString& folder) override
    {
        return forwardTo ? forwardTo->openFile(title, filters, folder) : QString();
    }
    QString saveFile(const QString& title, const QStringList& filters, const QString& path) override
    {
        return forwardTo ? forwardTo->saveFile(title, filters, path) : QString();
    }
    std::optional<quint32> chooseColor(quint32 initial) override
    {
        return forwardTo ? forwardTo->chooseColor(initial) : std::nullopt;
    }
};
