#include "bar_placement.h"

#include "units.h"

#include <QString>

#include <algorithm>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavBarcode");

} // namespace

BarLayout placeBars(qint32 symbols, const BarMetrics& metrics, qint32 left, qint32 top,
                    qint32 width, qint32 height, qint32 alignHorizontal, qint32 alignVertical) {
    BarLayout layout;
    const qint32 full = metrics.fullHeight;
    switch (alignVertical) {
    case 0:
        layout.baseline = checkedAdd(top, full, kSource);
        break;
    case 1:
        layout.baseline = checkedAdd(
            checkedAdd(top, roundToInt((static_cast<double>(height) - full) / 2, kSource), kSource),
            full, kSource);
        break;
    case 2:
        layout.baseline = checkedAdd(top, height, kSource);
        break;
    default:
        layout.baseline = 0;
    }
    layout.baseline = std::max(layout.baseline, top);

    const qint32 span = checkedMultiply(symbols, metrics.pitch, kSource);
    qint32 start = 0;
    switch (alignHorizontal) {
    case 0:
        start = left;
        break;
    case 1:
        start = checkedAdd(checkedAdd(left, checkedAdd(width, -span, kSource), kSource),
                           metrics.rightAlignShift, kSource);
        break;
    case 2:
        start =
            checkedAdd(left, roundToInt((static_cast<double>(width) - span) / 2, kSource), kSource);
        break;
    default:
        start = 0;
    }
    start = std::max(start, left);

    const qint64 right = static_cast<qint64>(left) + width;
    for (qint32 k = 0; k < symbols; ++k) {
        const qint64 x = static_cast<qint64>(start) + static_cast<qint64>(metrics.pitch) * k;
        if (x > right)
            break;
        layout.starts.push_back(static_cast<qint32>(x));
    }
    return layout;
}

qint32 symbolLength(qint32 symbols, const BarMetrics& metrics) {
    if (symbols <= 0)
        return 0;
    return checkedAdd(checkedMultiply(symbols - 1, metrics.pitch, kSource), metrics.barWidth,
                      kSource);
}

} // namespace tav
