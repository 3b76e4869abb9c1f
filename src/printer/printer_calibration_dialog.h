#pragma once

#include "mailpiece_export.h"

#include <QDialog>

class QDoubleSpinBox;
class QLabel;

namespace tav {

/// Guides the user through setting a printer's offsets: it prints the printer test page on the
/// current printer, takes what a ruler shows (how far the outer rectangle stands from the top
/// and left edges of the paper), computes PrinterTop and PrinterLeft from it, and prints a check
/// page with them if the user wants. The host keeps the result (per printer, as it likes).
class MAILPIECE_EXPORT PrinterCalibrationDialog : public QDialog {
    Q_OBJECT

public:
    /// Where the outer rectangle stands from the top and left paper edges with no offsets.
    static constexpr double NominalMargin = 0.5; // inches

    /// Calibrates from the offsets in use (inches) on the printer `printerName` (as shown).
    PrinterCalibrationDialog(float printerTop, float printerLeft, const QString& printerName,
                             const QString& companyName, QWidget* parent = nullptr);

    /// The offsets that put the outer rectangle half an inch from the edges (inches, rounded to
    /// a thousandth), as measured.
    float printerTop() const;
    float printerLeft() const;
    /// Sets the distances the ruler showed (inches), as the user types them.
    void setMeasured(double fromTop, double fromLeft);
    /// Offsets that put a rectangle measured at `measured` (inches from the edge, printed with
    /// `offset`) where it belongs.
    static float corrected(float offset, double measured);

private:
    void printTestPage(float top, float left);
    void showResult();

    float printedTop_;
    float printedLeft_;
    QString companyName_;
    QDoubleSpinBox* fromTop_;
    QDoubleSpinBox* fromLeft_;
    QLabel* result_;
    QLabel* status_;
};

} // namespace tav
