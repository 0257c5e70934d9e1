#include "ui/EnterKey.h"

#include <QKeyEvent>
#include <QPushButton>

bool EnterKey::pressOrElse(QWidget* form, QKeyEvent* event, const std::function<void()>& otherwise)
{
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    if (auto* button = qobject_cast<QPushButton*>(form->focusWidget()))
        button->click();
    else
        otherwise();
    return true;
}
