#pragma once

#include <functional>

class frmKanelo;

// The whole life of KaneloY: the application, Qt in Japanese, the prompter,
// start-up and the event loop. started runs once the main window is shown.
int runKaneloY(int argc, char* argv[], const std::function<void(frmKanelo&)>& started = {});
