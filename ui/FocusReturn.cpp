#include "ui/FocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

class FocusReturn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Hide || !watched->isWidgetType())
            return false;
        auto* closed = static_cast<QWidget*>(watched);
        if (!closed->isWindow() || !closed->isModal() || !closed->parentWidget())
            return false;
        QPointer<QWidget> under = closed->parentWidget()->window();
        // After the window system has had its say: a window manager may
        // already have handed the keyboard on, or another modal window
        // opened at once; that one then has it.
        QTimer::singleShot(0, this, [under] {
            if (QApplication::activeWindow())
                return;
            QWidget* next = QApplication::activeModalWidget();
            if (!next)
                next = under;
            if (next && next->isVisible())
                next->activateWindow();
        });
        return false;
    }
};

} // namespace

void installFocusReturn(QApplication& app)
{
    app.installEventFilter(new FocusReturn(&app));
}
