#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

/// A flag string of `length` characters, one per element: "0" hides the element, any other
/// character shows it. A shorter string is padded with "1"; the result holds only "0" and "1";
/// a longer string gives all "1".
MAILPIECE_EXPORT QString normaliseFlags(const QString& flags, int length);

/// Whether flag `index` (1-based) of a normalised string shows its element.
MAILPIECE_EXPORT bool flagShown(const QString& flags, int index);

} // namespace tav
