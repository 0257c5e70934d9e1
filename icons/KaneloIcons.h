#pragma once

#include <QIcon>
#include <QImage>
#include <QLatin1StringView>

// The toolbar icons by name ("add", "graph-month", ...), 20 px with a 40 px
// version for high-DPI screens. They are compiled in as pixels: nothing is
// decoded while the window is built.
QIcon kaneloIcon(QLatin1StringView name);

// The pixels of one icon at scale 1 (20 px) or 2 (40 px); a null image for
// an unknown name.
QImage kaneloIconImage(QLatin1StringView name, int scale);
