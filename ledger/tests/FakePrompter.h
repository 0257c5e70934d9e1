#pragma once

#include "ledger/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// A scripted prompter: records every box the program shows and answers from
// queues the test fills beforehand. An unexpected question fails loudly.
class FakePrompter : public Prompter {
public:
    struct Shown {
        enum Kind { Message, Question, Input, OpenFile, SaveFile, Color } kind;
        QString text; // a file chooser's starting path
        QString title;
        Icon icon = Icon::Information;
        QString defaultText; // an input box's text, the colour chooser's starting colour
        Answer defaultAnswer = Answer::Yes; // what Enter takes on a question
    };

    QList<Shown> shown;
    QQueue<Answer> answers;
    QQueue<QString> inputs;
    QQueue<QString> files; // answers of both file choosers
    QQueue<std::optional<quint32>> colors;
    int unexpected = 0; // questions asked with nothing queued

    void message(const QString& text, Icon icon, const QString& title = {}) override;
    Answer question(const QString& text, Buttons buttons, const QString& title = {},
                    Answer defaultAnswer = Answer::Yes) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QStringList& filters, const QString& folder) override;
    QString saveFile(const QString& title, const QStringList& filters, const QString& path) override;
    std::optional<quint32> chooseColor(quint32 initial) override;

    // Texts of the message boxes only, in order.
    QStringList messages() const;
    QStringList texts() const; // every box's text
    void clear();
};
