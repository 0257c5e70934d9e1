#pragma once

#include "ledger/Prompter.h"

#include <QPointer>
#include <QWidget>

class QFileDialog;

// The prompter of the running program: Qt's standard dialogs, owned by the
// main window once it exists.
class QtPrompter : public Prompter {
public:
    static const QString kTitle; // "Kanelo Y -ぽるもさん!?"

    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, Icon icon, const QString& title = {}) override;
    Answer question(const QString& text, Buttons buttons, const QString& title = {},
                    Answer defaultAnswer = Answer::Yes) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QStringList& filters, const QString& folder) override;
    QString saveFile(const QString& title, const QStringList& filters, const QString& path) override;
    std::optional<quint32> chooseColor(quint32 initial) override;

private:
    QWidget* owner() const;
    QString runFileDialog(QFileDialog& box, const QStringList& filters);
    QPointer<QWidget> owner_;
};
