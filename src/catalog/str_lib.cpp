#include "str_lib.h"

namespace tav::StrLib {

QString TextBefore(const QString& text, const QString& sep) {
    const qsizetype at = text.indexOf(sep);
    return at < 0 ? text : text.left(at);
}

QString TextAfter(const QString& text, const QString& sep) {
    const qsizetype at = text.indexOf(sep);
    return at < 0 ? QString() : text.mid(at + sep.size());
}

QString TextAfterLast(const QString& text, const QString& sep) {
    const qsizetype at = text.lastIndexOf(sep);
    return at < 0 ? text : text.mid(at + sep.size());
}

QString TrimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString SubstituteTokens(const QString& text, const QString& list, const QString& pairSep,
                         const QString& itemSep) {
    QString result = text;
    QString remainder = list;
    while (!remainder.trimmed().isEmpty()) {
        // Without an item separator the whole list is one entry (and the loop must still end).
        const QString entry = itemSep.isEmpty() ? remainder : TextBefore(remainder, itemSep);
        remainder = itemSep.isEmpty() ? QString() : TextAfter(remainder, itemSep);
        if (!entry.contains(pairSep))
            continue;
        const QString token =
            QStringLiteral("<<") + TextBefore(entry, pairSep) + QStringLiteral(">>");
        const QString replacement = TextAfter(entry, pairSep);
        // Search on after each replacement, so a value holding its own token cannot loop.
        qsizetype from = 0;
        qsizetype at;
        while ((at = result.indexOf(token, from)) >= 0) {
            result.replace(at, token.size(), replacement);
            from = at + replacement.size();
        }
    }
    return result;
}

} // namespace tav::StrLib
