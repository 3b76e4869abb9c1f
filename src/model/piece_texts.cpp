#include "piece_texts.h"

#include "str_lib.h"

#include <algorithm>

namespace tav {

PieceTexts::PieceTexts(std::vector<Pair> pairs)
    : pairs_(std::move(pairs)) {
}

PieceTexts PieceTexts::fromList(const QString& list) {
    std::vector<Pair> pairs;
    for (const QStringView entry : QStringView(list).tokenize(QLatin1Char('|'))) {
        const qsizetype split = entry.indexOf(QLatin1Char('^'));
        if (split < 0)
            continue;
        QString value;
        StrLib::AppendUnescaped(value, entry.mid(split + 1));
        pairs.emplace_back(entry.left(split).toString(), std::move(value));
    }
    return PieceTexts(std::move(pairs));
}

QString PieceTexts::toList() const {
    QString list;
    for (const auto& [name, value] : pairs_) {
        if (!list.isEmpty())
            list += QLatin1Char('|');
        list += name + QLatin1Char('^') + StrLib::EscapeValue(value);
    }
    return list;
}

const QString* PieceTexts::value(QStringView name) const {
    if (!index_.isEmpty()) {
        const auto found = index_.constFind(name.toString());
        return found == index_.constEnd() ? nullptr
                                          : &pairs_[static_cast<std::size_t>(*found)].second;
    }
    const auto found = std::find_if(pairs_.begin(), pairs_.end(),
                                    [&](const Pair& pair) { return pair.first == name; });
    return found == pairs_.end() ? nullptr : &found->second;
}

QString PieceTexts::fill(const QString& textTemplate) const {
    return StrLib::ReplacePlaceholders(textTemplate, [this](QStringView name, QString& result) {
        const QString* found = value(name);
        if (found != nullptr)
            result += *found;
        return found != nullptr;
    });
}

} // namespace tav
