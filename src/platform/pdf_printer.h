#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <QPageSize>
#include <QStringList>

#include <memory>

class QPainter;
class QPdfWriter;

namespace tav {

/// Prints to PDF: each print job to a file of its own, or all jobs as the pages of one document.
/// Pages are drawn at 1440 dots per inch, so a twip is a device unit.
class MAILPIECE_EXPORT PdfPrinter : public Printer {
public:
    /// A printer that writes job n to "<directory>/mailpiece-<date>-<time>-<n>.pdf", never over an
    /// existing file; the directory is made when missing.
    static std::shared_ptr<PdfPrinter> filePerJob(const QString& directory);
    /// A printer that writes every job as one page of the document at `path`, complete once
    /// finish() is called or the printer is destroyed.
    static std::shared_ptr<PdfPrinter> singleDocument(const QString& path);
    ~PdfPrinter() override;

    /// Completes the single document; the next job starts a new one.
    void finish();
    /// Files written so far (a single document counts once it has a page).
    QStringList writtenFiles() const { return written_; }

    QString DeviceName() const override { return QStringLiteral("PDF"); }
    QString DriverName() const override { return QStringLiteral("Mailpiece PDF"); }
    QString Port() const override { return target_; }
    qint16 ColorMode() const override { return 2; }
    qint16 PrintQuality() const override { return 1440; }

protected:
    void beginJob() override;
    void draw(const PrinterOp& op) override;
    void endJob() override;

private:
    PdfPrinter(QString target, bool single);
    QString nextJobPath() const;
    void openWriter(const QString& path);
    void closeWriter();

    QString target_; // the directory (file per job) or the document's path
    bool single_;
    QString runStamp_;
    int jobNumber_ = 0;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    QStringList written_;
};

} // namespace tav
