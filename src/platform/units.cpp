#include "units.h"

#include "tav_error.h"

#include <QPaintDevice>

#include <limits>

namespace tav {

namespace {
[[noreturn]] void overflow(const QString& source) {
    raiseError(ErrorNumber::Overflow, source.isEmpty() ? QStringLiteral("Mailpiece") : source,
               QStringLiteral("the value does not fit 32 bits"));
}
} // namespace

qint32 roundToInt(double value, const QString& source) {
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (!(rounded >= std::numeric_limits<qint32>::min() &&
          rounded <= std::numeric_limits<qint32>::max()))
        overflow(source);
    return static_cast<qint32>(rounded);
}

qint32 inchesToTwips(float inches, const QString& source) {
    return roundToInt(inches * static_cast<float>(TwipsPerInch), source);
}

qint32 twipsPerPixel(const QPaintDevice& device) {
    return std::max(
        1, roundToInt(static_cast<double>(TwipsPerInch) / std::max(1, device.logicalDpiX())));
}

QRect twipsToPixels(const QRect& twips, qint32 twipsPerPixel) {
    return {twips.x() / twipsPerPixel, twips.y() / twipsPerPixel,
            std::max(1, twips.width() / twipsPerPixel),
            std::max(1, twips.height() / twipsPerPixel)};
}

qint32 checkedAdd(qint32 a, qint32 b, const QString& source) {
    qint32 sum;
    if (__builtin_add_overflow(a, b, &sum))
        overflow(source);
    return sum;
}

qint32 checkedMultiply(qint32 a, qint32 b, const QString& source) {
    qint32 product;
    if (__builtin_mul_overflow(a, b, &product))
        overflow(source);
    return product;
}

double checkedDivide(double a, double b, const QString& source) {
    if (b == 0)
        raiseError(ErrorNumber::DivisionByZero,
                   source.isEmpty() ? QStringLiteral("Mailpiece") : source,
                   QStringLiteral("a size of 0 leaves nothing to divide by"));
    return a / b;
}

} // namespace tav
