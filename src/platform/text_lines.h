#pragma once

#include "mailpiece_export.h"

#include <QStringList>

namespace tav {

/// `text` split at its line breaks, as files, spreadsheet cells and databases write them: CR LF,
/// a lone LF or a lone CR each end a line. A break at the end leaves an empty last entry, as
/// QString::split does.
MAILPIECE_EXPORT QStringList splitLines(const QString& text);

} // namespace tav
