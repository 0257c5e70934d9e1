#pragma once

class QCoreApplication;

// Qt's own texts (file chooser, standard buttons, input boxes) in Japanese,
// from the translation Qt ships (qtbase_ja). Both programs call it at
// start. False when the translation is not installed; Qt then speaks English.
bool installQtJapanese(QCoreApplication& app);
