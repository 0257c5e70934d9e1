// KaneloY's own start-up, ended as soon as the entry list of the shown month
// has painted (see measure.py).
#include "bench/startup/FirstPaint.h"
#include "app/KaneloMain.h"
#include "month/MonthViews.h"
#include "app/frmKanelo.h"

#include <QTreeView>

int main(int argc, char* argv[])
{
    bool shown = false;
    const int code = runKaneloY(argc, argv, [&](frmKanelo& window) {
        shown = true;
        if (window.views->lvwMonth->viewport()->isVisible())
            endAfterFirstPaint(window.views->lvwMonth->viewport());
    });
    // A start that ended early would measure nothing.
    return shown ? code : 1;
}
