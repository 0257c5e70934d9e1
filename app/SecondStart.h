#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// KaneloY runs once per data folder. A second start hands its command line
// to the running program through a local socket and ends; the running
// program brings its window to the front (frmKanelo::StartedAgain).
class SecondStart : public QObject {
    Q_OBJECT
public:
    // The socket's name: one per data folder and user, so that programs on
    // two data folders never answer each other.
    static QString serverName();
    // Run by a second start: hands the command line over. False when no
    // running program took it.
    static bool handOver(const QString& commandLine);

    // Run by the program holding the data folder: listens for later starts.
    // A socket left behind by a run that was killed is replaced.
    bool listen();
    bool isListening() const { return server_.isListening(); }

signals:
    // A later start's command line.
    void started(const QString& commandLine);

private:
    void accept();
    QLocalServer server_;
};
