#pragma once

// The figures the three graphs draw, kept apart from the windows so that
// they can be tested and timed on their own. Colours are 0x00BBGGRR as the
// category master holds them.

#include <QString>
#include <QtGlobal>
#include <vector>

namespace Graph {

// The top of the trend graph's axis: the largest value's first digit plus
// one, then as many zeros as the value has further digits (34,567 gives
// 40,000, 1,000 gives 2,000, 7 gives 8). Zero or less is returned as it is.
qint64 axisMaximum(qint64 largest);

// amount ÷ total as "12.50%"; empty when the total is 0 (no share exists).
QString shareText(qint64 amount, qint64 total);

// n ÷ d to the nearest whole number, halves to the even one; d > 0.
qint64 roundHalfEven(qint64 n, qint64 d);

// One step per colour channel: the channel divided by the number of items.
struct ColorStep {
    int red = 0;
    int green = 0;
    int blue = 0;
};
ColorStep colorStep(quint32 color, int items);
// The shade of item k (1 = the largest, the darkest): k steps per channel,
// at most 255.
quint32 shade(const ColorStep& step, int k);

// One slice of a pie: from startDeg (90 = twelve o'clock) counterclockwise
// over spanDeg degrees. `item` is the position in the descending list.
struct Slice {
    int item = 0;
    double startDeg = 90;
    double spanDeg = 0;
    quint32 color = 0;
    bool full = false; // the whole disc
};

// The slices of a pie whose amounts are in descending order: the smallest
// starts at twelve o'clock and they follow counterclockwise, so read
// clockwise the largest comes first. Amounts of zero or less take no slice
// (their share still shows in the legend); an item holding everything that
// is drawn becomes the full disc.
std::vector<Slice> pieSlices(const std::vector<qint64>& amounts, const std::vector<quint32>& colors);

}
