#pragma once

#include "mailpiece_export.h"

#include <QtGlobal>

/// Zoom arithmetic of the viewport, in percent.
namespace tav::ZoomSteps {

inline constexpr qint16 MinZoom = 1;
inline constexpr qint16 MaxZoom = 1100;

/// The step to which a zoom of `zoom` percent is rounded: 1 below 5, then about a tenth of the
/// zoom's decade (8 → 1, 15 → 2, 37 → 5, 100 → 5, 200 → 10, 1000 → 50), at most 250.
MAILPIECE_EXPORT qint32 NiceStep(float zoom);

/// The zoom `steps` nice steps away from `zoom`, on a multiple of the step, at least 1 (the
/// viewport clamps to MaxZoom).
MAILPIECE_EXPORT qint32 zoomBy(qint32 zoom, qint32 steps);

/// The zoom that fits content of `contentWidth` × `contentHeight` into a window of
/// `windowWidth` × `windowHeight` (twips): 98 percent of the fit, on a nice step. Raises error
/// 11 for a content size of 0.
MAILPIECE_EXPORT qint32 fitZoom(qint32 windowWidth, qint32 windowHeight, qint32 contentWidth,
                                qint32 contentHeight);

} // namespace tav::ZoomSteps
