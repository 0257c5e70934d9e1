#pragma once

#include "ImportSession.h"

#include <QObject>
#include <QPointer>

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

    ImportSession session;
    QPointer<frmMain> main;
    QPointer<frmHimoku> himoku;
    QPointer<frmMainSub> info;

    bool isEnding() const { return ending_; }

    // Step1's 次へ with the source path (already checked to exist).
    void mainNext(const QString& path);
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
    void openInfo();
    void output(QWidget* page);

    bool ending_ = false;
};

}
