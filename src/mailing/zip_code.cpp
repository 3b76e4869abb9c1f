#include "zip_code.h"

#include <algorithm>

namespace tav {

QString zipCodeWarning(const QString& zip) {
    const auto digits = std::count_if(zip.begin(), zip.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (digits == 5 || digits == 9 || digits == 11)
        return {};
    if (zip.trimmed().isEmpty())
        return QStringLiteral("no ZIP code: the piece gets no bar code");
    const QString shown = QLatin1Char('"') + zip.left(40) + QLatin1Char('"');
    if (digits == 0)
        return shown + QStringLiteral(" has no digits: the piece gets no bar code");
    if (digits == 4 || digits == 8 || digits == 10)
        return shown + QStringLiteral(" has %1 digits: a leading zero lost?").arg(digits);
    return shown + QStringLiteral(" has %1 digits, and a ZIP code has 5, 9 or 11").arg(digits);
}

} // namespace tav
