#include "str_lib.h"

#include <QHash>

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
    const QLatin1StringView open("<<");
    const QLatin1StringView close(">>");
    qsizetype at = text.indexOf(open);
    if (at < 0 || list.trimmed().isEmpty())
        return text;

    // One pass over the list: the first entry of a name is the one that counts, as it would be
    // if the entries replaced their tokens in turn.
    QHash<QStringView, QStringView> values;
    const QStringView whole(list);
    qsizetype from = 0;
    while (from < whole.size() && !whole.mid(from).trimmed().isEmpty()) {
        const qsizetype end = itemSep.isEmpty() ? -1 : whole.indexOf(itemSep, from);
        const QStringView entry = end < 0 ? whole.mid(from) : whole.mid(from, end - from);
        from = end < 0 ? whole.size() : end + itemSep.size();
        const qsizetype split = entry.indexOf(pairSep);
        if (split >= 0 && !values.contains(entry.left(split)))
            values.insert(entry.left(split), entry.mid(split + pairSep.size()));
    }

    // One pass over the text: a replacement is never scanned again, so a value that holds a
    // placeholder prints as written, and the work stays linear in the text and the list.
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    while (at >= 0) {
        const qsizetype nameEnd = text.indexOf(close, at + open.size());
        if (nameEnd < 0)
            break;
        const auto value =
            values.constFind(QStringView(text).mid(at + open.size(), nameEnd - at - open.size()));
        if (value == values.constEnd()) {
            at = text.indexOf(open, at + 1);
            continue;
        }
        result.append(QStringView(text).mid(copied, at - copied));
        result.append(*value);
        copied = nameEnd + close.size();
        at = text.indexOf(open, copied);
    }
    result.append(QStringView(text).mid(copied));
    return result;
}

} // namespace tav::StrLib
