#include "printer_calibration_dialog.h"

#include "message_sink.h"
#include "printer.h"
#include "printer_test_page.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace tav {

namespace {

QString inches(double value) {
    return QString::number(value, 'f', 3) + QStringLiteral(" in");
}

QLabel* paragraph(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

PrinterCalibrationDialog::PrinterCalibrationDialog(float printerTop, float printerLeft,
                                                   const QString& printerName,
                                                   const QString& companyName, QWidget* parent)
    : QDialog(parent)
    , printedTop_(printerTop)
    , printedLeft_(printerLeft)
    , companyName_(companyName) {
    setObjectName(QStringLiteral("PrinterCalibrationDialog"));
    setWindowTitle(QStringLiteral("Calibrate Printer"));

    auto* printTest = new QPushButton(QStringLiteral("&Print Test Page"), this);
    printTest->setObjectName(QStringLiteral("print_test_btn"));
    fromTop_ = new QDoubleSpinBox(this);
    fromTop_->setObjectName(QStringLiteral("from_top_txt"));
    fromLeft_ = new QDoubleSpinBox(this);
    fromLeft_->setObjectName(QStringLiteral("from_left_txt"));
    for (QDoubleSpinBox* box : {fromTop_, fromLeft_}) {
        box->setRange(0, 3);
        box->setDecimals(4);
        box->setSingleStep(1.0 / 16); // a ruler's marks
        box->setSuffix(QStringLiteral(" in"));
        box->setValue(NominalMargin);
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { showResult(); });
    }
    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result_lbl"));
    auto* printCheck = new QPushButton(QStringLiteral("Print &Check Page"), this);
    printCheck->setObjectName(QStringLiteral("print_check_btn"));
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status_lbl"));
    status_->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Use These Offsets"));

    auto* measured = new QFormLayout;
    measured->addRow(QStringLiteral("From the &top edge:"), fromTop_);
    measured->addRow(QStringLiteral("From the &left edge:"), fromLeft_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paragraph(
        QStringLiteral("<b>1.</b> Print the test page on %1 (offsets now: top %2, left %3).")
            .arg(printerName.toHtmlEscaped(), inches(printerTop), inches(printerLeft)),
        this));
    layout->addWidget(printTest, 0, Qt::AlignLeft);
    layout->addWidget(paragraph(
        QStringLiteral("<b>2.</b> With a ruler, measure how far the outer rectangle stands from "
                       "the top and the left edge of the paper. On a well set printer both are "
                       "%1.")
            .arg(inches(NominalMargin)),
        this));
    layout->addLayout(measured);
    layout->addWidget(result_);
    layout->addWidget(
        paragraph(QStringLiteral("<b>3.</b> If you like, print the page again with the new "
                                 "offsets: the outer rectangle should now stand %1 from both "
                                 "edges.")
                      .arg(inches(NominalMargin)),
                  this));
    layout->addWidget(printCheck, 0, Qt::AlignLeft);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(printTest, &QPushButton::clicked, this,
            reportingSlot([this] { printTestPage(printedTop_, printedLeft_); }));
    connect(printCheck, &QPushButton::clicked, this,
            reportingSlot([this] { printTestPage(this->printerTop(), this->printerLeft()); }));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showResult();
}

float PrinterCalibrationDialog::corrected(float offset, double measured) {
    // The rectangle lands at its nominal place plus the offset plus the printer's own shift.
    const double shifted = offset + (NominalMargin - measured);
    return static_cast<float>(std::round(shifted * 1000) / 1000);
}

float PrinterCalibrationDialog::printerTop() const {
    return corrected(printedTop_, fromTop_->value());
}

float PrinterCalibrationDialog::printerLeft() const {
    return corrected(printedLeft_, fromLeft_->value());
}

void PrinterCalibrationDialog::setMeasured(double fromTop, double fromLeft) {
    fromTop_->setValue(fromTop);
    fromLeft_->setValue(fromLeft);
}

void PrinterCalibrationDialog::showResult() {
    result_->setText(QStringLiteral("New offsets: PrinterTop = %1, PrinterLeft = %2")
                         .arg(inches(printerTop()), inches(printerLeft())));
}

void PrinterCalibrationDialog::printTestPage(float top, float left) {
    status_->clear();
    PtrInfoMod::PrintTestPage(top, left, companyName_);
    status_->setText(QStringLiteral("Printed on %1 with top %2 and left %3.")
                         .arg(currentPrinter().DeviceName(), inches(top), inches(left)));
}

} // namespace tav
