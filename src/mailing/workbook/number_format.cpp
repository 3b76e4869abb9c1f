#include "number_format.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace tav {

namespace {

// A format code's sections split at the semicolons that are not quoted or escaped.
QStringList sections(const QString& code) {
    QStringList parts{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(';') && !quoted) {
            parts << QString();
            continue;
        }
        parts.last() += c;
        if (c == QLatin1Char('\\') && i + 1 < code.size())
            parts.last() += code.at(++i);
    }
    return parts;
}

// The condition of a section such as "[<=99999]00000": whether `value` meets it, or none when the
// section has no condition.
std::optional<bool> meetsCondition(const QString& section, double value) {
    static const char* const operators[] = {"<=", ">=", "<>", "<", ">", "="};
    for (qsizetype open = section.indexOf(QLatin1Char('[')); open >= 0;
         open = section.indexOf(QLatin1Char('['), open + 1)) {
        const QString inside =
            section.mid(open + 1, section.indexOf(QLatin1Char(']'), open) - open - 1);
        for (const char* op : operators) {
            if (!inside.startsWith(QLatin1String(op)))
                continue;
            bool ok = false;
            const double limit = inside.mid(qstrlen(op)).toDouble(&ok);
            if (!ok)
                break;
            const QString o = QLatin1String(op);
            return o == QLatin1String("<=")   ? value <= limit
                   : o == QLatin1String(">=") ? value >= limit
                   : o == QLatin1String("<>") ? value != limit
                   : o == QLatin1String("<")  ? value < limit
                   : o == QLatin1String(">")  ? value > limit
                                              : value == limit;
        }
    }
    return std::nullopt;
}

// The section that shows `value`, and whether it shows the value's magnitude (a negative
// number's own section writes its sign itself).
std::pair<QString, bool> sectionFor(const QStringList& parts, double value) {
    if (meetsCondition(parts.first(), value).has_value()) {
        for (const QString& part : parts)
            if (meetsCondition(part, value).value_or(true))
                return {part, false};
        return {parts.last(), false};
    }
    if (value < 0 && parts.size() > 1)
        return {parts.at(1), true};
    if (value == 0 && parts.size() > 2)
        return {parts.at(2), false};
    return {parts.first(), false};
}

// The text a bracket shows: a currency "[$€-407]" its symbol, the rest (colours, conditions,
// locales) nothing.
QString bracketText(const QString& inside) {
    if (!inside.startsWith(QLatin1Char('$')))
        return {};
    return inside.mid(1).section(QLatin1Char('-'), 0, 0);
}

QString general(double value) {
    if (std::isnan(value) || std::isinf(value))
        return QStringLiteral("#NUM!");
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', 10);
}

// The format's pieces: placeholders (0 # ?), the point, and literal text, in order.
struct Token {
    QChar placeholder; // null for literal text
    QString text;
};

struct NumberPattern {
    std::vector<Token> integer, fraction;
    bool grouped = false, percent = false, scientific = false, hasPoint = false;
};

NumberPattern parsePattern(const QString& section) {
    NumberPattern pattern;
    auto* side = &pattern.integer;
    const auto literal = [&](const QString& text) {
        if (!side->empty() && side->back().placeholder.isNull())
            side->back().text += text;
        else
            side->push_back({QChar(), text});
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            literal(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1));
            i = end < 0 ? section.size() : end;
        } else if (c == QLatin1Char('\\') && i + 1 < section.size()) {
            literal(section.at(++i));
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = section.indexOf(QLatin1Char(']'), i);
            literal(bracketText(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1)));
            i = end < 0 ? section.size() : end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#') || c == QLatin1Char('?')) {
            side->push_back({c, {}});
        } else if (c == QLatin1Char('.') && !pattern.hasPoint) {
            pattern.hasPoint = true;
            side = &pattern.fraction;
        } else if (c == QLatin1Char(',')) {
            pattern.grouped = true;
        } else if (c == QLatin1Char('%')) {
            pattern.percent = true;
            literal(c);
        } else if (c == QLatin1Char('E') || c == QLatin1Char('e')) {
            pattern.scientific = true;
        } else if (c == QLatin1Char('_') || c == QLatin1Char('*')) {
            ++i; // padding to another character's width: nothing in plain text
        } else if (c != QLatin1Char('@')) {
            literal(c);
        }
    }
    return pattern;
}

// The integer digits laid into the placeholders from the right, the leftmost taking the rest;
// grouped digits go in as one run.
QString layInteger(const std::vector<Token>& tokens, QString digits, bool grouped) {
    const auto isPlaceholder = [](const Token& token) { return !token.placeholder.isNull(); };
    const auto zeros = std::count_if(tokens.begin(), tokens.end(), [](const Token& token) {
        return token.placeholder == QLatin1Char('0');
    });
    if (digits == QLatin1String("0") && zeros == 0)
        digits.clear();
    digits = digits.rightJustified(zeros, QLatin1Char('0'));
    if (grouped) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, QLatin1Char(','));
        QString before, after;
        bool seen = false;
        for (const Token& token : tokens)
            seen = seen || isPlaceholder(token), (seen ? after : before) += token.text;
        return before + digits + after;
    }
    const auto first = std::find_if(tokens.begin(), tokens.end(), isPlaceholder) - tokens.begin();
    QString out;
    qsizetype remaining = digits.size();
    for (auto i = static_cast<qsizetype>(tokens.size()) - 1; i >= 0; --i) {
        const Token& token = tokens[i];
        if (!isPlaceholder(token)) {
            out.prepend(token.text);
        } else if (i == first) {
            out.prepend(digits.left(remaining));
            remaining = 0;
        } else if (remaining > 0) {
            out.prepend(digits.at(--remaining));
        } else if (token.placeholder == QLatin1Char('?')) {
            out.prepend(QLatin1Char(' '));
        }
    }
    return out;
}

QString layFraction(const std::vector<Token>& tokens, const QString& digits) {
    QString out;
    qsizetype next = 0;
    for (const Token& token : tokens)
        out += token.placeholder.isNull() ? token.text : QString(digits.at(next++));
    // Optional places drop their trailing zeros.
    qsizetype end = out.size();
    for (qsizetype i = static_cast<qsizetype>(tokens.size()) - 1;
         i >= 0 && tokens[i].placeholder == QLatin1Char('#') && out.at(end - 1) == QLatin1Char('0');
         --i)
        --end;
    return out.left(end);
}

QString formatWithPattern(double value, const QString& section, bool negativeSection) {
    const NumberPattern pattern = parsePattern(section);
    if (pattern.scientific)
        return QString::number(value, 'E', static_cast<int>(pattern.fraction.size()));
    double shown = std::fabs(pattern.percent ? value * 100 : value);
    qsizetype places = 0;
    for (const Token& token : pattern.fraction)
        places += !token.placeholder.isNull();
    const QString fixed = QString::number(shown, 'f', static_cast<int>(places));
    const QString integerDigits = fixed.section(QLatin1Char('.'), 0, 0);
    QString text = layInteger(pattern.integer, integerDigits, pattern.grouped);
    if (pattern.hasPoint) {
        const QString fraction = layFraction(pattern.fraction, fixed.section(QLatin1Char('.'), 1));
        text += QLatin1Char('.') + fraction;
        if (fraction.isEmpty() || !fraction.at(0).isDigit())
            text.remove(text.size() - fraction.size() - 1, 1);
    }
    const bool nonZero = std::any_of(fixed.begin(), fixed.end(), [](QChar c) {
        return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    });
    const bool sign = value < 0 && !negativeSection && nonZero;
    return sign ? QLatin1Char('-') + text : text;
}

// Whether a section shows a date or a time: it holds y, m, d, h or s outside quotes and
// brackets (an elapsed "[h]" included).
bool isDateSection(const QString& section) {
    bool quoted = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i).toLower();
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char('\\'))
            ++i;
        else if (c == QLatin1Char('[') && !quoted &&
                 !section.mid(i, 3).toLower().startsWith(QLatin1String("[h")))
            i = std::max(i, section.indexOf(QLatin1Char(']'), i));
        else if (!quoted && QStringLiteral("ymdhs").contains(c))
            return true;
    }
    return false;
}

// Serial day numbers as dates: day 1 is 1 January 1900 (1904 in the other system), and 1900 is
// counted as a leap year, as the first spreadsheets did.
QDateTime serialDate(double serial, bool date1904) {
    const QDate base = date1904      ? QDate(1904, 1, 1)
                       : serial < 61 ? QDate(1899, 12, 31)
                                     : QDate(1899, 12, 30);
    const auto days = static_cast<qint64>(std::floor(serial));
    const auto ms =
        static_cast<qint64>(std::llround((serial - static_cast<double>(days)) * 86400000.0));
    return QDateTime(base.addDays(days), QTime(0, 0)).addMSecs(ms);
}

// One run of a date code's letters ("yyyy", "mmm", "hh", ...) as text; `minutes` says that an
// "m" run stands for minutes (after an hour or before a second).
QString dateField(QChar letter, qsizetype length, const QDateTime& when, bool minutes,
                  bool twelveHour) {
    const QLocale c = QLocale::c();
    const auto padded = [length](int n) {
        return QString::number(n).rightJustified(length >= 2 ? 2 : 1, QLatin1Char('0'));
    };
    switch (letter.toLatin1()) {
    case 'y':
        return length <= 2
                   ? QString::number(when.date().year() % 100).rightJustified(2, QLatin1Char('0'))
                   : QString::number(when.date().year());
    case 'm':
        if (minutes)
            return padded(when.time().minute());
        if (length == 3)
            return c.monthName(when.date().month(), QLocale::ShortFormat);
        if (length == 4)
            return c.monthName(when.date().month(), QLocale::LongFormat);
        if (length >= 5)
            return c.monthName(when.date().month(), QLocale::LongFormat).left(1);
        return padded(when.date().month());
    case 'd':
        if (length == 3)
            return c.dayName(when.date().dayOfWeek(), QLocale::ShortFormat);
        if (length >= 4)
            return c.dayName(when.date().dayOfWeek(), QLocale::LongFormat);
        return padded(when.date().day());
    case 'h': {
        const int hour = when.time().hour();
        return padded(twelveHour ? (hour + 11) % 12 + 1 : hour);
    }
    default: // 's'
        return padded(when.time().second());
    }
}

QString formatDate(double serial, const QString& section, bool date1904) {
    const QDateTime when = serialDate(serial, date1904);
    const bool twelveHour = section.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive) ||
                            section.contains(QLatin1String("A/P"), Qt::CaseInsensitive);
    QString out;
    QChar previous; // the last letter run's letter, for telling minutes from months
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        const QChar lower = c.toLower();
        if (c == QLatin1Char('"')) {
            const qsizetype end = section.indexOf(QLatin1Char('"'), i + 1);
            out += section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            i = end < 0 ? section.size() : end;
        } else if (c == QLatin1Char('\\') && i + 1 < section.size()) {
            out += section.at(++i);
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = section.indexOf(QLatin1Char(']'), i);
            const QString inside = section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1);
            out += inside.toLower().startsWith(QLatin1Char('h'))
                       ? QString::number(static_cast<qint64>(serial * 24))
                       : bracketText(inside);
            i = end < 0 ? section.size() : end;
        } else if (section.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += when.time().hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 4;
        } else if (section.mid(i, 3).compare(QLatin1String("A/P"), Qt::CaseInsensitive) == 0) {
            out += when.time().hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            i += 2;
        } else if (QStringLiteral("ymdhs").contains(lower)) {
            qsizetype length = 1;
            while (i + length < section.size() && section.at(i + length).toLower() == lower)
                ++length;
            bool minutes = false;
            if (lower == QLatin1Char('m') && length <= 2) {
                // Minutes follow an hour or come before a second.
                QChar next;
                for (qsizetype j = i + length; j < section.size() && next.isNull(); ++j)
                    if (QStringLiteral("ymdhs").contains(section.at(j).toLower()))
                        next = section.at(j).toLower();
                minutes = previous == QLatin1Char('h') || next == QLatin1Char('s');
            }
            out += dateField(lower, length, when, minutes, twelveHour);
            previous = lower;
            i += length - 1;
        } else if (c == QLatin1Char('.') && i + 1 < section.size() &&
                   section.at(i + 1) == QLatin1Char('0')) {
            // Fractions of a second: as many places as zeros.
            qsizetype places = 0;
            while (i + 1 + places < section.size() &&
                   section.at(i + 1 + places) == QLatin1Char('0'))
                ++places;
            out += QLatin1Char('.') + QString::number(when.time().msec())
                                          .rightJustified(3, QLatin1Char('0'))
                                          .left(places);
            i += places;
        } else if (c != QLatin1Char('_') && c != QLatin1Char('*') && c != QLatin1Char('@')) {
            out += c;
        } else if (c != QLatin1Char('@')) {
            ++i;
        }
    }
    return out;
}

} // namespace

QString formatNumber(double value, const QString& formatCode, bool date1904) {
    if (formatCode.isEmpty() ||
        formatCode.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0 ||
        formatCode == QLatin1String("@"))
        return general(value);
    const auto [section, negative] = sectionFor(sections(formatCode), value);
    if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
        return general(value);
    if (isDateSection(section)) {
        if (!(value >= 0 && value <= 2958465)) // past 9999-12-31 (or no number) no date is shown
            return general(value);
        return formatDate(value, section, date1904);
    }
    return formatWithPattern(negative ? std::fabs(value) : value, section, negative);
}

QString builtInFormat(int id) {
    static const QHash<int, QString> codes = {
        {1, QStringLiteral("0")},
        {2, QStringLiteral("0.00")},
        {3, QStringLiteral("#,##0")},
        {4, QStringLiteral("#,##0.00")},
        {9, QStringLiteral("0%")},
        {10, QStringLiteral("0.00%")},
        {11, QStringLiteral("0.00E+00")},
        {14, QStringLiteral("m/d/yyyy")},
        {15, QStringLiteral("d-mmm-yy")},
        {16, QStringLiteral("d-mmm")},
        {17, QStringLiteral("mmm-yy")},
        {18, QStringLiteral("h:mm AM/PM")},
        {19, QStringLiteral("h:mm:ss AM/PM")},
        {20, QStringLiteral("h:mm")},
        {21, QStringLiteral("h:mm:ss")},
        {22, QStringLiteral("m/d/yyyy h:mm")},
        {37, QStringLiteral("#,##0;(#,##0)")},
        {38, QStringLiteral("#,##0;(#,##0)")},
        {39, QStringLiteral("#,##0.00;(#,##0.00)")},
        {40, QStringLiteral("#,##0.00;(#,##0.00)")},
        {45, QStringLiteral("mm:ss")},
        {46, QStringLiteral("[h]:mm:ss")},
        {47, QStringLiteral("mm:ss.0")},
        {48, QStringLiteral("##0.0E+0")},
        {49, QStringLiteral("@")},
    };
    return codes.value(id, QStringLiteral("General"));
}

} // namespace tav
