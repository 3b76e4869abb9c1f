#include "str_lib.h"

#include <QHash>

#include <algorithm>
#include <optional>

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

namespace {

// Noncharacters are set aside for a program's own use, so a list never holds them as text.
constexpr char16_t kEscape = 0xFDD0;
constexpr char16_t kPipe = 0xFDD1;
constexpr char16_t kCaret = 0xFDD2;

bool reserved(QChar c) {
    return c.unicode() >= kEscape && c.unicode() <= kCaret;
}

} // namespace

QString EscapeValue(const QString& value) {
    if (!std::any_of(value.begin(), value.end(), [](QChar c) {
            return c == QLatin1Char('|') || c == QLatin1Char('^') || reserved(c);
        }))
        return value;
    QString escaped;
    escaped.reserve(value.size() + 4);
    for (const QChar c : value) {
        if (c == QLatin1Char('|'))
            escaped += QChar(kPipe);
        else if (c == QLatin1Char('^'))
            escaped += QChar(kCaret);
        else if (reserved(c))
            escaped.append(QChar(kEscape)).append(c);
        else
            escaped += c;
    }
    return escaped;
}

void AppendUnescaped(QString& out, QStringView value) {
    if (!std::any_of(value.begin(), value.end(), reserved)) {
        out.append(value);
        return;
    }
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.unicode() == kEscape && i + 1 < value.size())
            out += value.at(++i);
        else if (c.unicode() == kPipe)
            out += QLatin1Char('|');
        else if (c.unicode() == kCaret)
            out += QLatin1Char('^');
        else
            out += c;
    }
}

namespace {

// The entries of a substitution list by name, the first entry of a name counting, as it would
// if the entries replaced their tokens in turn. A short list (a piece's few columns) is searched
// in place; a long one is indexed once, so that the work stays linear in the list.
class SubstitutionList {
public:
    SubstitutionList(QStringView list, QStringView pairSep, QStringView itemSep)
        : list_(list)
        , pairSep_(pairSep)
        , itemSep_(itemSep) {
        if (list.size() > kSearchInPlaceChars)
            forEachEntry([this](QStringView name, QStringView value) {
                if (!index_.contains(name))
                    index_.insert(name, value);
                return false;
            });
    }

    std::optional<QStringView> value(QStringView name) const {
        if (list_.size() > kSearchInPlaceChars) {
            const auto found = index_.constFind(name);
            return found == index_.constEnd() ? std::nullopt : std::optional(*found);
        }
        std::optional<QStringView> result;
        forEachEntry([&](QStringView entryName, QStringView entryValue) {
            if (entryName == name)
                result = entryValue;
            return result.has_value();
        });
        return result;
    }

private:
    static constexpr qsizetype kSearchInPlaceChars = 1024;

    // Calls `visit(name, value)` for each entry that holds the pair separator, until it returns
    // true; stops, as the list's reader does, where only blanks remain.
    template <typename Visit> void forEachEntry(Visit&& visit) const {
        qsizetype from = 0;
        while (from < list_.size() && !list_.mid(from).trimmed().isEmpty()) {
            const qsizetype end = itemSep_.isEmpty() ? -1 : list_.indexOf(itemSep_, from);
            const QStringView entry = end < 0 ? list_.mid(from) : list_.mid(from, end - from);
            from = end < 0 ? list_.size() : end + itemSep_.size();
            const qsizetype split = entry.indexOf(pairSep_);
            if (split >= 0 && visit(entry.left(split), entry.mid(split + pairSep_.size())))
                return;
        }
    }

    QStringView list_;
    QStringView pairSep_;
    QStringView itemSep_;
    QHash<QStringView, QStringView> index_;
};

} // namespace

QString ReplacePlaceholders(const QString& text,
                            const std::function<bool(QStringView name, QString& result)>& append) {
    const QLatin1StringView open("<<");
    const QLatin1StringView close(">>");
    qsizetype at = text.indexOf(open);
    if (at < 0)
        return text;
    // One pass over the text: a replacement is never scanned again.
    QString result;
    result.reserve(text.size());
    qsizetype copied = 0;
    while (at >= 0) {
        const qsizetype nameEnd = text.indexOf(close, at + open.size());
        if (nameEnd < 0)
            break;
        const qsizetype before = result.size();
        result.append(QStringView(text).mid(copied, at - copied));
        if (!append(QStringView(text).mid(at + open.size(), nameEnd - at - open.size()), result)) {
            result.truncate(before);
            at = text.indexOf(open, at + 1);
            continue;
        }
        copied = nameEnd + close.size();
        at = text.indexOf(open, copied);
    }
    result.append(QStringView(text).mid(copied));
    return result;
}

QString SubstituteTokens(const QString& text, const QString& list, const QString& pairSep,
                         const QString& itemSep) {
    if (!text.contains(QLatin1StringView("<<")) || list.trimmed().isEmpty())
        return text;
    const SubstitutionList values(list, pairSep, itemSep);
    return ReplacePlaceholders(text, [&values](QStringView name, QString& result) {
        const auto value = values.value(name);
        if (value)
            AppendUnescaped(result, *value);
        return value.has_value();
    });
}

} // namespace tav::StrLib
