#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <QStringList>

#include <vector>

namespace tav {

/// Keeps every print job with its operations instead of printing: for tests, and for hosts that
/// want a print preview. Text measures as on the PDF printer.
class MAILPIECE_EXPORT RecordingPrinter : public Printer {
public:
    /// The pages of the jobs ended so far, in order: a job's first page (pageOfJob 1), then its
    /// later ones.
    const std::vector<PrintedPage>& jobs() const { return jobs_; }
    /// Forgets the jobs.
    void clear() { jobs_.clear(); }
    /// Page `index` drawn on white paper of `pageSize` (inches, as it feeds) at `dotsPerInch`.
    QImage renderJob(std::size_t index, QSizeF pageSize, double dotsPerInch) const;

    QString DeviceName() const override { return QStringLiteral("Recording"); }
    QString DriverName() const override { return QStringLiteral("Mailpiece recording"); }
    QString Port() const override { return QStringLiteral("memory"); }
    qint16 ColorMode() const override { return colorMode_; }
    qint16 PrintQuality() const override { return printQuality_; }
    int FontCount() const override;
    QString Fonts(int index) const override;

    /// What the printer reports of itself, for hosts and tests that stand in for a device.
    void setColorMode(qint16 mode) { colorMode_ = mode; }
    void setPrintQuality(qint16 dotsPerInch) { printQuality_ = dotsPerInch; }
    /// The fonts it reports; empty: the system's.
    void setFonts(const QStringList& names) { fonts_ = names; }

protected:
    void beginJob() override;
    void beginPage() override;
    void draw(const PrinterOp& op) override;
    void endJob() override;

private:
    std::vector<PrintedPage> jobs_;
    std::vector<PrintedPage> open_; // the open job's pages
    qint16 colorMode_ = 2;
    qint16 printQuality_ = 1440;
    QStringList fonts_;
};

} // namespace tav
