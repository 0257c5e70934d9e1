#pragma once

#include <QString>
#include <QStringList>

// Starts a program and, when asked, waits for it to end while this
// program's window keeps repainting and taking input.
class clsExecute {
public:
    ~clsExecute() { cancelWait = true; }

    // Program and arguments are passed apart, so a path with spaces needs
    // no splitting. False when the program could not be started.
    bool ShellX(const QString& program, const QStringList& arguments, bool wait);

    bool cancelWait = false;
};
