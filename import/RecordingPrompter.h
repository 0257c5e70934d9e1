#pragma once

#include "Prompter.h"

#include <QStringList>

// Keeps the messages of a model that reads files on the tool's behalf
// instead of showing them, until told to pass everything on.
class RecordingPrompter : public Prompter {
public:
    QStringList messages;
    Prompter* forwardTo = nullptr;

    void message(const QString& text, Icon icon, const QString& title = {}) override
    {
        if (forwardTo)
            forwardTo->message(text, icon, title);
        else
            messages << text;
    }
    Answer question(const QString& text, Buttons buttons, const QString& title = {}, Answer defaultAnswer = Answer::Yes) override
    {
        return forwardTo ? forwardTo->question(text, buttons, title, defaultAnswer) : defaultAnswer;
    }
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return forwardTo ? forwardTo->input(prompt, title, defaultText) : defaultText;
    }
    QString openFile(const QString&, const QStringList&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QStringList&, const QString&) override { return {}; }
    std::optional<quint32> chooseColor(quint32) override { return std::nullopt; }
};
