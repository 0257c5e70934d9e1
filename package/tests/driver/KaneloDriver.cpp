// Drives an unpacked KaneloY or KaneloImport as a user would, for the
// package test. It is a Qt input plugin (QT_QPA_GENERIC_PLUGINS=kanelodriver,
// found through QT_PLUGIN_PATH) that the test loads into the real program,
// so the released programs carry no entrance for tests.
//
// The steps for a program come from KANELO_DRIVE_<executable name>, one a
// line, each done once the window it needs is there:
//   input                 accept the open input box as it stands
//   answer Yes|No|Ok      press that button of the open message box
//   file                  accept the open file chooser with its proposed file
//   trigger <name>        trigger the menu item or toolbar action <name>
//   click <name>          click the visible button <name>
//   type <name> <text>    put <text> into the visible text box <name>
//   wait <name>           wait for the visible window or control <name>
//   see <name> <text>     wait for a cell showing <text> in the list <name>
//   close <name>          close the visible window <name>
// KANELO_DRIVE_LOG gets every message box's text and each step done. A
// message box no step expects, or a step not done within 30 s, ends the
// program at once with a line in the log and exit status 3.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGenericPlugin>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>

namespace {

QWidget* visibleWidget(const QString& name)
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == name && w->isVisible() && w->isEnabled())
            return w;
    return nullptr;
}

QAction* enabledAction(const QString& name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            for (QAction* a : top->findChildren<QAction*>(name))
                if (a->isEnabled())
                    return a;
    return nullptr;
}

class Driver : public QObject {
public:
    explicit Driver(QObject* parent = nullptr) : QObject(parent)
    {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        steps_ = qEnvironmentVariable(qPrintable(QStringLiteral("KANELO_DRIVE_") + program)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        log(QStringLiteral("start ") + program);
        connect(&timer_, &QTimer::timeout, this, &Driver::poll);
        timer_.start(50);
        clock_.start();
    }

private:
    void log(const QString& line)
    {
        QFile f(qEnvironmentVariable("KANELO_DRIVE_LOG"));
        if (f.open(QIODevice::Append))
            f.write((line + QLatin1Char('\n')).toUtf8());
    }

    [[noreturn]] void fail(const QString& why)
    {
        log(QStringLiteral("FAIL ") + why);
        std::_Exit(3);
    }

    // Actions run after this tick: a modal window they open runs its own
    // event loop, in which the next ticks come.
    template <typename F>
    void later(F f)
    {
        QTimer::singleShot(0, this, f);
    }

    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (next_ >= steps_.size()) {
            if (box)
                fail(QStringLiteral("message after the last step: ") + box->text());
            return;
        }
        const QString step = steps_[next_];
        const QString verb = step.section(QLatin1Char(' '), 0, 0), name = step.section(QLatin1Char(' '), 1, 1),
                      rest = step.section(QLatin1Char(' '), 2);
        if (box && verb != QLatin1String("answer"))
            fail(QStringLiteral("message while waiting for \"%1\": %2").arg(step, box->text()));
        if (!done(verb, name, rest, modal, box)) {
            if (clock_.elapsed() > 30000)
                fail(QStringLiteral("not done in time: ") + step);
            return;
        }
        log(QStringLiteral("done ") + step);
        ++next_;
        clock_.restart();
    }

    bool done(const QString& verb, const QString& name, const QString& rest, QWidget* modal, QMessageBox* box)
    {
        if (verb == QLatin1String("input")) {
            auto* input = qobject_cast<QInputDialog*>(modal);
            if (input)
                later([input] { input->accept(); });
            return input;
        }
        if (verb == QLatin1String("answer")) {
            if (!box)
                return false;
            log(QStringLiteral("message ") + box->text());
            const QMessageBox::StandardButton which = name == QLatin1String("Yes") ? QMessageBox::Yes
                                                      : name == QLatin1String("No") ? QMessageBox::No
                                                                                    : QMessageBox::Ok;
            QAbstractButton* button = box->button(which);
            if (!button)
                fail(QStringLiteral("no button ") + name + QStringLiteral(" on: ") + box->text());
            later([button] { button->click(); });
            return true;
        }
        if (verb == QLatin1String("file")) {
            auto* chooser = qobject_cast<QFileDialog*>(modal);
            if (chooser)
                later([chooser] { static_cast<QDialog*>(chooser)->accept(); });
            return chooser;
        }
        if (verb == QLatin1String("trigger")) {
            QAction* action = enabledAction(name);
            if (action)
                later([action] { action->trigger(); });
            return action;
        }
        QWidget* w = visibleWidget(name);
        if (!w)
            return false;
        if (verb == QLatin1String("click")) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (button)
                later([button] { button->click(); });
            return button;
        }
        if (verb == QLatin1String("type")) {
            auto* edit = qobject_cast<QLineEdit*>(w);
            if (edit)
                edit->setText(rest);
            return edit;
        }
        if (verb == QLatin1String("close")) {
            later([w] { w->close(); });
            return true;
        }
        if (verb == QLatin1String("wait"))
            return true;
        if (verb == QLatin1String("see")) {
            auto* list = qobject_cast<QAbstractItemView*>(w);
            const QAbstractItemModel* model = list ? list->model() : nullptr;
            for (int row = 0; model && row < model->rowCount(); ++row)
                for (int column = 0; column < model->columnCount(); ++column)
                    if (model->index(row, column).data().toString() == rest)
                        return true;
            return false;
        }
        fail(QStringLiteral("unknown step ") + verb);
    }

    QStringList steps_;
    qsizetype next_ = 0;
    QTimer timer_;
    QElapsedTimer clock_;
};

}

class KaneloDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "kanelodriver.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key == QLatin1String("kanelodriver") ? new Driver : nullptr;
    }
};

#include "KaneloDriver.moc"
