#pragma once

#include "ledger/LedgerModel.h"

#include <QLockFile>
#include <QString>
#include <memory>

class SecondStart;
class frmKanelo;

// The running program: one ledger model and its main window, guarded so
// that only one instance uses the program folder at a time.
class KaneloApp {
public:
    explicit KaneloApp(Prompter& prompter);
    ~KaneloApp();

    // Starts the program with its command line (the arguments joined by
    // spaces). False when it must end at once: another instance is running
    // (it has been handed the command line), or the start-up refused the
    // argument or found no master.
    bool start(const QString& commandLine);

    LedgerModel model;
    std::unique_ptr<frmKanelo> window;

    // Where later starts on the same data folder hand over their command line.
    SecondStart* secondStart() const { return secondStart_.get(); }

    // The font every window of the program draws with.
    static void useJapaneseFont();
    // The style every window draws with (KaneloStyle), set once.
    static void useKaneloStyle();

private:
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<SecondStart> secondStart_;
};
