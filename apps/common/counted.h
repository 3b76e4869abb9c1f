#pragma once

#include <QString>

namespace mailpiece {

/// "1 sheet", "2 sheets": `count` with the word that goes with it.
inline QString counted(qint64 count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace mailpiece
