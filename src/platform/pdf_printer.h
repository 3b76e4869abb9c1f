#pragma once

#include "mailpiece_export.h"
#include "printer.h"

#include <QPageSize>
#include <QStringList>

#include <memory>

class QLockFile;
class QPainter;
class QPdfWriter;

namespace tav {

class OutputFile;

/// Prints to PDF: each print job to a file of its own, or all jobs as the pages of one document.
/// Pages are drawn at 1440 dots per inch, so a twip is a device unit. A file appears under its
/// name only when it is complete: a failed write (a full disk) leaves no partial file behind.
class MAILPIECE_EXPORT PdfPrinter : public Printer {
public:
    /// A printer that writes job n to "<directory>/mailpiece-<date>-<time>-<n>.pdf", never over an
    /// existing file or link; the directory is made when missing.
    static std::shared_ptr<PdfPrinter> filePerJob(const QString& directory);
    /// A printer that writes every job as one page of the document at `path`, complete once
    /// finish() is called or the printer is destroyed. Another process writing the same path
    /// meanwhile makes the first job raise error 75.
    static std::shared_ptr<PdfPrinter> singleDocument(const QString& path);
    /// Completes an unfinished single document; a failure goes to the message sink.
    ~PdfPrinter() override;

    /// Completes the single document; the next job starts a new one. Raises error 57 when the
    /// document cannot be written whole (it is then not there at all).
    void finish();
    /// Drops the unfinished document or job: nothing of it is written.
    void discard();
    /// Files written so far (a single document counts once it is complete).
    QStringList writtenFiles() const { return written_; }

    QString DeviceName() const override { return QStringLiteral("PDF"); }
    QString DriverName() const override { return QStringLiteral("Mailpiece PDF"); }
    QString Port() const override { return target_; }
    qint16 ColorMode() const override { return 2; }
    /// 1440, a twip a dot; or the resolution of the printer the document is for.
    qint16 PrintQuality() const override { return dotsPerInch_; }
    /// Makes a document for a printer of `dotsPerInch` (a thermal label printer's 203 or 300):
    /// postal bars then fall on its whole dots.
    void setDotsPerInch(qint16 dotsPerInch) { dotsPerInch_ = dotsPerInch; }

protected:
    void beginJob() override;
    void beginPage() override;
    void draw(const PrinterOp& op) override;
    void endJob() override;

private:
    PdfPrinter(QString target, bool single);
    void startPage();
    void turnPage();
    void openDocument();
    void completeDocument();
    void discardDocument();
    QString placeJobFile(OutputFile& file) const;

    QString target_; // the directory (file per job) or the document's path
    qint16 dotsPerInch_ = 1440;
    bool single_;
    QString runStamp_;
    int jobNumber_ = 0;
    std::unique_ptr<QLockFile> lock_;  // held while a single document is being written
    std::unique_ptr<OutputFile> file_; // the document being written
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    QStringList written_;
};

} // namespace tav
