#include "postal_style.h"

#include "postal_abbreviations.h"

#include <QRegularExpression>

namespace tav::PostalStyle {

namespace {

// Whether the character at `i` stands between two digits.
bool betweenDigits(const QString& text, qsizetype i) {
    return i > 0 && i + 1 < text.size() && text.at(i - 1).isDigit() && text.at(i + 1).isDigit();
}

QString singleSpaced(const QString& text) {
    return text.simplified();
}

} // namespace

QString text(const QString& text) {
    const QString upper = text.toUpper();
    QString kept;
    kept.reserve(upper.size());
    for (qsizetype i = 0; i < upper.size(); ++i) {
        const QChar c = upper.at(i);
        const bool numberMark =
            (c == QLatin1Char('-') || c == QLatin1Char('/') || c == QLatin1Char('.')) &&
            betweenDigits(upper, i);
        if (c == QLatin1Char('#') || numberMark || !(c.isPunct() || c.isSymbol())) {
            kept += c;
        } else if (c == QLatin1Char('\'') || c == QChar(0x2019) || c == QLatin1Char('.')) {
            // "O'BRIEN", "ST." and "JR." close up; other marks part words.
        } else {
            kept += QLatin1Char(' ');
        }
    }
    return singleSpaced(kept);
}

QString deliveryLine(const QString& line) {
    QStringList words = text(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // The designators first: a word followed by a number (or standing for none), then a "#"
    // after one goes.
    qsizetype firstUnit = words.size();
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString unit = PostalAbbreviations::unitDesignator(words.at(i));
        const bool followed = i + 1 < words.size();
        if (unit.isEmpty() || (!followed && !PostalAbbreviations::unitWithoutNumber(unit)) ||
            (followed && PostalAbbreviations::unitWithoutNumber(unit)))
            continue;
        // A unit word at the start of a street line is a name ("LOT 5" is one, "12 LOT RD"
        // not): only one after the street or on a line of its own counts.
        if (i > 0 && i < 2 && words.first().at(0).isDigit())
            continue;
        words[i] = unit;
        if (followed && words.at(i + 1) == QLatin1String("#"))
            words.removeAt(i + 1);
        firstUnit = std::min(firstUnit, i);
    }
    // The suffix: the last suffix word before the units, after at least one word of the
    // street's own name ("12 PARK AVENUE": AVE; "12 AVENUE B": none).
    const qsizetype nameStart = !words.isEmpty() && words.first().at(0).isDigit() ? 1 : 0;
    for (qsizetype i = firstUnit - 1; i > nameStart; --i) {
        const QString suffix = PostalAbbreviations::streetSuffix(words.at(i));
        if (!suffix.isEmpty()) {
            words[i] = suffix;
            break;
        }
    }
    return words.join(QLatin1Char(' '));
}

QString lastLine(const QString& city, const QString& state, const QString& zip) {
    return singleSpaced(text(city) + QLatin1Char(' ') + text(state) + QLatin1Char(' ') + text(zip));
}

QString blockProblem(const QStringList& lines) {
    if (lines.size() > MostLines)
        return QStringLiteral("the address has %1 lines; the post office reads %2 at most")
            .arg(lines.size())
            .arg(MostLines);
    static const QRegularExpression zipAtEnd(QStringLiteral("\\b\\d{5}(-\\d{4})?$"));
    if (!lines.isEmpty() && !zipAtEnd.match(lines.last()).hasMatch())
        return QStringLiteral("the last line of the address, \"%1\", has no ZIP code")
            .arg(lines.last());
    return {};
}

} // namespace tav::PostalStyle
