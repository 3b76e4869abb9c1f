#include "text_lines.h"

namespace tav {

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype pos = 0; pos < size; ++pos) {
        const QChar c = text.at(pos);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, pos - start));
        if (c == QLatin1Char('\r') && pos + 1 < size && text.at(pos + 1) == QLatin1Char('\n'))
            ++pos;
        start = pos + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

} // namespace tav
