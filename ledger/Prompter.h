#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Every message box, question, input box, file chooser and colour chooser of
// the programs goes through this interface, so that tests can answer them.
class Prompter {
public:
    enum class Icon { Information, Warning, Question, Critical };
    enum class Buttons { YesNo, YesNoCancel };
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;

    // A message box with an OK button. An empty title means the program's name.
    virtual void message(const QString& text, Icon icon, const QString& title = {}) = 0;
    // A question box (question icon). Enter takes defaultAnswer; a question
    // whose Yes destroys or discards data passes Answer::No.
    virtual Answer question(const QString& text, Buttons buttons, const QString& title = {},
                            Answer defaultAnswer = Answer::Yes) = 0;
    // A text input box; Cancel yields empty text.
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // The open-file dialog; filters are "caption|pattern" pairs. Empty text on Cancel.
    virtual QString openFile(const QString& title, const QStringList& filters, const QString& folder) = 0;
    // The save-file dialog, starting at path (a folder or a proposed file);
    // it asks before replacing an existing file. Empty text on Cancel.
    virtual QString saveFile(const QString& title, const QStringList& filters, const QString& path) = 0;
    // The colour chooser; colours are 0x00BBGGRR. Nothing on Cancel.
    virtual std::optional<quint32> chooseColor(quint32 initial) = 0;
};
