#pragma once

#include <QString>

// The one version number of both programs (the project's, set by the build).
QString programVersion();

// "--version" as the only argument: prints "<program> <version>" and is
// true, before any window system is needed.
bool printVersionIfAsked(int argc, char* argv[], const char* program);
