#pragma once

#include "import/ImportSession.h"
#include "import/RecordingPrompter.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QThread;
class QWidget;

namespace Import {

class frmMain;
class frmHimoku;
class frmMainSub;

// The import tool's run: Step1, the category pages the source needs, the
// output, the end. One page is on screen at a time; there is no way back.
class ImportTool : public QObject {
    Q_OBJECT
public:
    explicit ImportTool(Prompter& prompter, QObject* parent = nullptr);
    ~ImportTool() override;

    // Start-up from the command line (empty = standalone). False when the
    // tool must end at once (the user has been told).
    bool start(const QString& commandLine);
    // The program's exit code: HandOff::kExplainedExit when it ended
    // without writing after telling the user why (KaneloY then adds no box
    // of its own), else 0.
    int exitCode() const;

private:
    RecordingPrompter noting_; // every box of the run passes here, so the end knows what was said

public:
    ImportSession session;
    QPointer<frmMain> main;
    QPointer<frmHimoku> himoku;
    QPointer<frmMainSub> info;

    bool isEnding() const { return ending_; }

    // Step1's 次へ with the source path (already checked to exist): the
    // source is read on another thread while Step1 shows the progress.
    void mainNext(const QString& path);
    bool isReading() const { return reader_ != nullptr; }
    // The reordering page's 次へ with the names in row order.
    void himokuNext(const QStringList& names);
    // The information page's 次へ.
    void infoNext();
    // キャンセル on a category page (or its frame closed): asks, and ends
    // the tool on Yes.
    void confirmCancel();
    // Closes every page and ends the tool; nothing more is written.
    void end();

signals:
    void finished();

private:
    void sourceRead();
    void stopReading();
    void openInfo();
    void output(QWidget* page);

    bool ending_ = false;
    bool written_ = false;
    QThread* reader_ = nullptr;
    ReadProgress progress_;
    ParsedSource parsed_;
    QTimer progressTimer_;
};

}
