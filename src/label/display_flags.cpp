#include "display_flags.h"

namespace tav {

QString normaliseFlags(const QString& flags, int length) {
    if (flags.size() > length)
        return QString(length, QLatin1Char('1'));
    QString result = flags.leftJustified(length, QLatin1Char('1'));
    for (QChar& c : result)
        if (c != QLatin1Char('0'))
            c = QLatin1Char('1');
    return result;
}

bool flagShown(const QString& flags, int index) {
    return index < 1 || index > flags.size() || flags.at(index - 1) != QLatin1Char('0');
}

} // namespace tav
