#include "zoom_steps.h"

#include "units.h"

#include <QString>

namespace tav::ZoomSteps {

namespace {
const QString kSource = QStringLiteral("TavPort");
} // namespace

qint32 NiceStep(float zoom) {
    if (zoom < 5)
        return 1;
    float m = 1;
    while (zoom / m > 20)
        m *= 10;
    const float r = zoom / m;
    if (r < 2.1f)
        m *= 0.1f;
    else if (r < 3.5f)
        m *= 0.2f;
    else if (r < 11)
        m *= 0.5f;
    if (zoom < 20)
        m *= 2;
    if (m < 1)
        m = 1;
    return std::min(roundToInt(m, kSource), 250);
}

qint32 zoomBy(qint32 zoom, qint32 steps) {
    const qint32 step = NiceStep(static_cast<float>(zoom + steps));
    const qint32 target = zoom + steps * step;
    return std::max(1, roundToInt(static_cast<double>(target) / step, kSource) * step);
}

qint32 fitZoom(qint32 windowWidth, qint32 windowHeight, qint32 contentWidth, qint32 contentHeight) {
    const float zx = static_cast<float>(checkedDivide(windowWidth * 100.0, contentWidth, kSource));
    const float zy =
        static_cast<float>(checkedDivide(windowHeight * 100.0, contentHeight, kSource));
    const qint32 z = roundToInt(std::min(zx, zy) * 0.98f, kSource);
    const qint32 step = NiceStep(static_cast<float>(z));
    return std::max(1, roundToInt(static_cast<double>(z) / step, kSource) * step);
}

} // namespace tav::ZoomSteps
