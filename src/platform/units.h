#pragma once

#include "mailpiece_export.h"

#include <QRect>
#include <QString>

class QPaintDevice;

#include <cmath>

namespace tav {

/// Twips in one inch.
inline constexpr qint32 TwipsPerInch = 1440;

/// `value` rounded to the nearest integer, halves to even; raises error 6 (overflow) when the
/// result does not fit 32 bits. `source` names the caller in the error.
MAILPIECE_EXPORT qint32 roundToInt(double value, const QString& source = {});

/// Inches (single precision) to twips: × 1440 in single precision, rounded halves to even.
MAILPIECE_EXPORT qint32 inchesToTwips(float inches, const QString& source = {});

/// Twips per pixel of `device`: 1440 over its logical dots per inch, rounded, at least 1 (15 at
/// 96 dots per inch).
MAILPIECE_EXPORT qint32 twipsPerPixel(const QPaintDevice& device);
/// A rectangle in twips as pixels at `twipsPerPixel`, at least one pixel wide and high.
MAILPIECE_EXPORT QRect twipsToPixels(const QRect& twips, qint32 twipsPerPixel);

/// a + b, raising error 6 (overflow) instead of wrapping.
MAILPIECE_EXPORT qint32 checkedAdd(qint32 a, qint32 b, const QString& source = {});
/// a × b, raising error 6 (overflow) instead of wrapping.
MAILPIECE_EXPORT qint32 checkedMultiply(qint32 a, qint32 b, const QString& source = {});
/// a / b in double precision, raising error 11 (division by zero) when b is 0.
MAILPIECE_EXPORT double checkedDivide(double a, double b, const QString& source = {});

} // namespace tav
