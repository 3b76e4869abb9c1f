#pragma once

#include "mailing_source.h"
#include "mailpiece_export.h"

#include <memory>

class QIODevice;
class QTemporaryFile;

namespace tav {

class WorkbookReader;

/// A sheet of a workbook as a mailing: Office Open XML (.xlsx, .xlsm), OpenDocument (.ods) and
/// legacy Excel (.xls), told apart by content. The sheet's first row holding a value is the
/// header; rows are streamed, numbered as the spreadsheet numbers them, and read as it shows
/// them (shared and rich text, numbers under their formats, dates, formulas' cached values).
/// Empty rows are passed over; a row with a value under no header is left out.
class MAILPIECE_EXPORT SpreadsheetSource : public MailingSource {
public:
    /// Whether the file at `path` is a workbook this source reads (by its content).
    static bool isWorkbook(const QString& path);
    /// Whether a file's first 8 bytes are a workbook's.
    static bool isWorkbookStart(const QByteArray& start);
    /// The workbook at `path` (or standard input for "-"), at its sheet `sheet`: a name, or a
    /// number from 1; empty, the first sheet that has rows. Raises error 75 naming the file when
    /// it cannot be read, and error 5 for a sheet it lacks.
    static std::unique_ptr<SpreadsheetSource> open(const QString& path, const QString& sheet = {});
    /// A workbook read from `input` (kept in a temporary file while read), named `shownName` in
    /// messages. Raises as open().
    static std::unique_ptr<SpreadsheetSource> read(QIODevice& input, const QString& shownName,
                                                   const QString& sheet = {});
    /// The names of the sheets of the workbook at `path`. Raises as open().
    static QStringList sheetNames(const QString& path);
    ~SpreadsheetSource() override;

    const QStringList& header() const override { return header_; }
    bool next(MailingRow& row) override;
    QString numberName() const override { return QStringLiteral("row"); }
    /// The name of the sheet being read.
    const QString& sheetName() const { return sheetName_; }

private:
    SpreadsheetSource(std::unique_ptr<QTemporaryFile> copy, std::unique_ptr<WorkbookReader> reader);
    // Opens the sheet asked for, or the first with a row; takes its header.
    void chooseSheet(const QString& sheet, const QString& shownName);
    void takeHeader(const QStringList& cells);

    std::unique_ptr<QTemporaryFile> copy_; // standard input, kept where the readers can seek
    std::unique_ptr<WorkbookReader> reader_;
    QStringList header_;
    QString sheetName_;
};

} // namespace tav
