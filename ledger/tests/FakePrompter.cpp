#include "ledger/tests/FakePrompter.h"

void FakePrompter::message(const QString& text, Icon icon, const QString& title)
{
    shown.append({Shown::Message, text, title, icon, {}});
}

Prompter::Answer FakePrompter::question(const QString& text, Buttons buttons, const QString& title, Answer defaultAnswer)
{
    shown.append({Shown::Question, text, title, Icon::Question, {}, defaultAnswer});
    if (answers.isEmpty()) {
        ++unexpected;
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
    return answers.dequeue();
}

QString FakePrompter::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    shown.append({Shown::Input, prompt, title, Icon::Question, defaultText});
    if (inputs.isEmpty()) {
        ++unexpected;
        return {};
    }
    return inputs.dequeue();
}

QString FakePrompter::openFile(const QString& title, const QStringList&, const QString&)
{
    shown.append({Shown::OpenFile, {}, title, Icon::Information, {}});
    if (files.isEmpty()) {
        ++unexpected;
        return {};
    }
    return files.dequeue();
}

QString FakePrompter::saveFile(const QString& title, const QStringList&, const QString& path)
{
    shown.append({Shown::SaveFile, path, title, Icon::Information, {}});
    if (files.isEmpty()) {
        ++unexpected;
        return {};
    }
    return files.dequeue();
}

std::optional<quint32> FakePrompter::chooseColor(quint32 initial)
{
    shown.append({Shown::Color, {}, {}, Icon::Information, QString::number(initial)});
    if (colors.isEmpty()) {
        ++unexpected;
        return std::nullopt;
    }
    return colors.dequeue();
}

QStringList FakePrompter::messages() const
{
    QStringList out;
    for (const Shown& s : shown)
        if (s.kind == Shown::Message)
            out << s.text;
    return out;
}

QStringList FakePrompter::texts() const
{
    QStringList out;
    for (const Shown& s : shown)
        out << s.text;
    return out;
}

void FakePrompter::clear()
{
    shown.clear();
    answers.clear();
    inputs.clear();
    files.clear();
    colors.clear();
    unexpected = 0;
}
