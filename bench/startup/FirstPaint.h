#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdlib>

// Ends the process once `widget` has painted and the event loop has flushed
// the frame: what the start-up timings measure up to. Teardown is not timed.
inline void endAfterFirstPaint(QObject* widget)
{
    struct Watch : QObject {
        using QObject::QObject;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, [] { std::_Exit(0); });
            return QObject::eventFilter(watched, event);
        }
    };
    widget->installEventFilter(new Watch(widget));
}
