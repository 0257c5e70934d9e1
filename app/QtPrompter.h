#pragma once

#include "Prompter.h"

#include <QPointer>
#include <QWidget>

// The prompter of the running program: Qt's standard dialogs, owned by the
// main window once it exists.
class QtPrompter : public Prompter {
public:
    static const QString kTitle; // "Kanelo Y -ぽるもさん!?"

    void setOwner(QWidget* owner) { owner_ = owner; }

    void message(const QString& text, Icon icon, const QString& title = {}) override;
    Answer question(const QString& text, Buttons buttons, const QString& title = {}) override;
    QString input(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(const QString& title, const QStringList& filters, const QString& folder) override;
    std::optional<quint32> chooseColor(quint32 initial) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> owner_;
};
