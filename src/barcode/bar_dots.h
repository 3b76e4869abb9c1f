#pragma once

#include "mailpiece_export.h"

#include <QChar>
#include <QtGlobal>

#include <optional>

namespace tav {

/// A symbology's bars in whole dots of a printer, each measure within the post's tolerances, so
/// a thermal printer prints every bar the same width and every gap the same.
struct DotBars {
    qint32 dotsPerInch = 0;
    qint32 pitch = 0;    // from one bar's left edge to the next one's
    qint32 width = 0;    // a bar
    qint32 full = 0;     // the tallest bar
    qint32 short_ = 0;   // POSTNET's half bar; a four-state code's tracker
    qint32 extender = 0; // a four-state code's ascender or descender beyond the tracker
};

/// The bars of `symbology` at `dotsPerInch`, or none below 100 or from 600 up (where a dot is
/// finer than the tolerances need) or when no whole dots fit them.
MAILPIECE_EXPORT std::optional<DotBars> snapToDots(qint16 symbology, qint32 dotsPerInch);

} // namespace tav
