#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <QPainter>

class QPagedPaintDevice;

namespace tav {

/// Prints onto a paged paint device a host already has: the QPrinter of Qt's print dialog or
/// print preview, or a QPdfWriter. Each job is a page of one document on the job's paper;
/// finish() ends the document (the destructor finishes too, without raising).
class MAILPIECE_EXPORT PaintDevicePrinter : public Printer {
public:
    explicit PaintDevicePrinter(QPagedPaintDevice& device);
    ~PaintDevicePrinter() override;

    /// Ends the document; raises error 57 when the device could not be written.
    void finish();

    QString DeviceName() const override;
    QString DriverName() const override { return QStringLiteral("Qt"); }
    QString Port() const override { return {}; }
    qint16 ColorMode() const override { return 2; }
    qint16 PrintQuality() const override;

protected:
    void beginJob() override;
    void beginPage() override;
    void draw(const PrinterOp& op) override;
    void endJob() override {}

private:
    void preparePage();
    void scaleToTwips();

    QPagedPaintDevice& device_;
    QPainter painter_;
    bool pageDrawn_ = false;
};

} // namespace tav
