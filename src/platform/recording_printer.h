#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <vector>

namespace tav {

/// Keeps every print job with its operations instead of printing: for tests, and for hosts that
/// want a print preview. Text measures as on the PDF printer.
class MAILPIECE_EXPORT RecordingPrinter : public Printer {
public:
    /// The jobs ended so far, in order.
    const std::vector<PrintedPage>& jobs() const { return jobs_; }
    /// Forgets the jobs.
    void clear() { jobs_.clear(); }
    /// Job `index` drawn on white paper of `pageSize` (inches) at `dotsPerInch`.
    QImage renderJob(std::size_t index, QSizeF pageSize, double dotsPerInch) const;

    QString DeviceName() const override { return QStringLiteral("Recording"); }
    QString DriverName() const override { return QStringLiteral("Mailpiece recording"); }
    QString Port() const override { return QStringLiteral("memory"); }
    qint16 ColorMode() const override { return 2; }
    qint16 PrintQuality() const override { return 1440; }

protected:
    void beginJob() override;
    void draw(const PrinterOp& op) override;
    void endJob() override;

private:
    std::vector<PrintedPage> jobs_;
    PrintedPage open_;
};

} // namespace tav
