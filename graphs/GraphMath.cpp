#include "graphs/GraphMath.h"

#include "ledger/LedgerRules.h"

#include "ledger/Formats.h"

#include <algorithm>

namespace Graph {

qint64 axisMaximum(qint64 largest)
{
    if (largest <= 0)
        return largest;
    qint64 power = 1;
    while (largest / power >= 10)
        power *= 10;
    return (largest / power + 1) * power;
}

QString shareText(qint64 amount, qint64 total)
{
    if (total == 0)
        return {};
    return Fmt::percent(double(amount) / double(total));
}

qint64 roundHalfEven(qint64 n, qint64 d)
{
    const qint64 q = n / d;
    const qint64 twice = 2 * (n % d);
    if (twice > d || (twice == d && q % 2 != 0))
        return q + 1;
    return q;
}

ColorStep colorStep(quint32 color, int items)
{
    if (items <= 0)
        return {};
    return {int(roundHalfEven(color & 255, items)), int(roundHalfEven((color >> 8) & 255, items)),
            int(roundHalfEven((color >> 16) & 255, items))};
}

quint32 shade(const ColorStep& step, int k)
{
    const auto channel = [k](int s) { return quint32(std::min(255, k * s)); };
    return channel(step.red) | channel(step.green) << 8 | channel(step.blue) << 16;
}

std::vector<Slice> pieSlices(const std::vector<qint64>& amounts, const std::vector<quint32>& colors)
{
    const int positive = int(std::count_if(amounts.begin(), amounts.end(), [](qint64 a) { return a > 0; }));
    std::vector<Slice> slices;
    if (positive == 0)
        return slices;
    slices.reserve(positive);
    // From the smallest to the largest, each slice ending where the running
    // sum points; the largest closes the circle at twelve o'clock.
    const std::vector<qint64> smallestFirst(amounts.rbegin(), amounts.rend());
    const std::vector<double> ends = LedgerRules::pieEnds(smallestFirst);
    double from = 0.0;
    for (size_t i = 0; i < smallestFirst.size(); ++i) {
        if (smallestFirst[i] <= 0)
            continue;
        const int k = int(amounts.size() - 1 - i);
        const double start = 90.0 + 360.0 * from;
        const double end = 90.0 + 360.0 * ends[i];
        slices.push_back({k, start, end - start, colors[k], positive == 1});
        from = ends[i];
    }
    return slices;
}

}
