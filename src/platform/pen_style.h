#pragma once

#include "mailpiece_export.h"

#include <Qt>

namespace tav {

/// The Qt pen style for a pen style number (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
/// 5 none, 6 solid inside the frame; anything else solid).
MAILPIECE_EXPORT Qt::PenStyle qtPenStyle(int style);

} // namespace tav
