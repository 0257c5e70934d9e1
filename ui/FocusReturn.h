#pragma once

class QApplication;

// When a modal window closes, the window under it gets the keyboard back.
// A window manager does this itself; without one (a bare X server, a kiosk
// session) the keyboard would go nowhere and every shortcut of the main
// window would be dead until it is clicked.
void installFocusReturn(QApplication& app);
