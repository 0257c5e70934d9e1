#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Starts a program and, when asked, waits for it to end while this
// program's windows keep repainting.
class clsExecute {
public:
    // Program and arguments are passed apart, so a path with spaces needs
    // no splitting. False when the program could not be started. While it
    // waits with an owner, a modal note over the owner says what runs: every
    // window of this program repaints, and none takes a command.
    bool ShellX(const QString& program, const QStringList& arguments, bool wait, QWidget* owner = nullptr,
                const QString& note = {});

    // The exit code of the program waited for; -1 when it crashed.
    int exitCode = 0;
};
