#pragma once

#include "mailpiece_export.h"

#include <QDoubleSpinBox>

namespace tav {

/// A length field shown in millimetres or inches and kept in inches. A number typed with a unit
/// ("63.5 mm", "6.35 cm", "2.5 in", "2.5\"") is taken in that unit; a number alone is taken in
/// the unit shown, and text that is no length is refused as it is typed.
class MAILPIECE_EXPORT LengthBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    enum class Unit { Inches, Millimetres };

    /// A field named `name` of at most `maximumInches`, showing `inches` in `unit`.
    LengthBox(const char* name, double inches, double maximumInches, Unit unit,
              QWidget* parent = nullptr);

    /// The length in inches.
    double inches() const;
    void setInches(double inches);
    /// The unit shown; the length stays the same when it changes.
    Unit unit() const { return unit_; }
    void setUnit(Unit unit);

    /// The length in inches that `text` gives when `shown` is the unit shown, or none.
    static std::optional<double> parseInches(const QString& text, Unit shown);

protected:
    QValidator::State validate(QString& text, int& position) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;

private:
    double perInch() const;

    Unit unit_;
    double maximumInches_;
};

} // namespace tav
