#include "length_box.h"

#include <QRegularExpression>

#include <cmath>

namespace tav {

namespace {

constexpr double kMillimetresPerInch = 25.4;

// A number, then optionally a unit (mm, cm, in, inch, inches or "), or the start of one.
const QRegularExpression& lengthForm() {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*([0-9]*[.,]?[0-9]*)\s*(mm?|cm?|i|in|inc|inch|inche|inches|")?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    return form;
}

// Digits a length keeps; those shown are fewer (the unit's own precision).
constexpr int kKeptDecimals = 6;

} // namespace

LengthBox::LengthBox(const char* name, double inches, double maximumInches, Unit unit,
                     QWidget* parent)
    : QDoubleSpinBox(parent)
    , unit_(unit)
    , maximumInches_(maximumInches) {
    setObjectName(QString::fromLatin1(name));
    // Wide enough for the longest length shown, arrows and frame besides.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000 mm")) + 24);
    setUnit(unit);
    setInches(inches);
}

double LengthBox::perInch() const {
    return unit_ == Unit::Millimetres ? kMillimetresPerInch : 1.0;
}

double LengthBox::inches() const {
    return value() / perInch();
}

void LengthBox::setInches(double inches) {
    setValue(inches * perInch());
}

void LengthBox::setUnit(Unit unit) {
    const double kept = inches();
    unit_ = unit;
    const bool metric = unit == Unit::Millimetres;
    setDecimals(kKeptDecimals);
    setSingleStep(metric ? 0.5 : 0.0625);
    setSuffix(metric ? QStringLiteral(" mm") : QStringLiteral(" in"));
    setRange(0, maximumInches_ * perInch());
    setInches(kept);
}

std::optional<double> LengthBox::parseInches(const QString& text, Unit shown) {
    const QRegularExpressionMatch match = lengthForm().match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number =
        match.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    const QString unit = match.captured(2).toLower();
    if (match.captured(1).isEmpty() || unit == QLatin1String("m") || unit == QLatin1String("c") ||
        unit == QLatin1String("i") || unit == QLatin1String("inc") ||
        unit == QLatin1String("inche"))
        return std::nullopt; // still being typed
    if (unit == QLatin1String("mm"))
        return number / kMillimetresPerInch;
    if (unit == QLatin1String("cm"))
        return number * 10 / kMillimetresPerInch;
    if (!unit.isEmpty())
        return number;
    return shown == Unit::Millimetres ? number / kMillimetresPerInch : number;
}

QValidator::State LengthBox::validate(QString& text, int&) const {
    QString bare = text;
    if (bare.endsWith(suffix()))
        bare.chop(suffix().size());
    if (!lengthForm().match(bare).hasMatch())
        return QValidator::Invalid;
    // A unit or a number still being typed ("63.", "2 i") is on its way to a length.
    const std::optional<double> inches = parseInches(bare, unit_);
    if (!inches)
        return QValidator::Intermediate;
    return *inches <= maximumInches_ ? QValidator::Acceptable : QValidator::Intermediate;
}

double LengthBox::valueFromText(const QString& text) const {
    QString bare = text;
    if (bare.endsWith(suffix()))
        bare.chop(suffix().size());
    return parseInches(bare, unit_).value_or(inches()) * perInch();
}

QString LengthBox::textFromValue(double value) const {
    QString text = QString::number(value, 'f', unit_ == Unit::Millimetres ? 3 : 4);
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text;
}

} // namespace tav
