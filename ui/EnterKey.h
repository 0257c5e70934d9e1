#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

// Enter in the forms, as a Japanese desktop user expects: a plain Enter
// (Return or the keypad's) on a push button presses that button; anywhere
// else it does the form's own step (the next field, or its search) rather
// than the dialog's default button. False, doing nothing, for any other key.
namespace EnterKey {
bool pressOrElse(QWidget* form, QKeyEvent* event, const std::function<void()>& otherwise);
}
