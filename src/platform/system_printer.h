#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <memory>

class QPainter;
class QPrinter;

namespace tav {

/// A printer of the system (CUPS) through QPrinter: full-page coordinates, so twip (0, 0) is the
/// paper's corner; each EndDoc sends one print job.
class MAILPIECE_EXPORT SystemPrinter : public Printer {
public:
    /// The printer named `name`, or the system's default printer when empty.
    explicit SystemPrinter(const QString& name = {});
    ~SystemPrinter() override;

    QString DeviceName() const override;
    QString DriverName() const override { return QStringLiteral("CUPS"); }
    QString Port() const override;
    qint16 ColorMode() const override;
    qint16 PrintQuality() const override;

protected:
    void beginJob() override;
    void beginPage() override;
    void draw(const PrinterOp& op) override;
    void endJob() override;

private:
    void preparePage();
    void scaleToTwips();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
};

} // namespace tav
