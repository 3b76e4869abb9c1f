#pragma once

#include "mailpiece_export.h"

#include <QString>

namespace tav {

/// What is wrong with `zip` as the ZIP code of a piece's bar code, whose digits must be 5, 9 or
/// 11 ("\"2134\" has 4 digits: a leading zero lost?"), or "" when nothing is. Characters other
/// than digits are skipped, as the bar code skips them.
MAILPIECE_EXPORT QString zipCodeWarning(const QString& zip);

} // namespace tav
