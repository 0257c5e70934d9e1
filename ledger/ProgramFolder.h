#pragma once

#include <QString>

// The folder of the executable, where the master and the year files live;
// the environment variable KANELO_HOME overrides it.
QString programFolder();
// A file name inside the program folder.
QString programFile(const QString& name);
