#include "spreadsheet_source.h"

#include "mailing_file.h"
#include "tav_error.h"
#include "temp_file.h"
#include "workbook_reader.h"

#include <QFile>
#include <QTemporaryFile>

namespace tav {

namespace {

const QString kSource = QStringLiteral("SpreadsheetSource");

enum class Kind { Other, Zip, Office };

Kind kindOf(const QByteArray& start) {
    if (isZipSignature(start))
        return Kind::Zip;
    if (start.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return Kind::Office; // the compound file every .xls is stored in
    return Kind::Other;
}

// Column 27 is "AA".
QString columnLetters(qsizetype column) {
    QString letters;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
    return letters;
}

// A stream copied to a file: workbooks are read out of order.
std::unique_ptr<QTemporaryFile> copyOf(QIODevice& input) {
    auto copy = std::make_unique<QTemporaryFile>(tempDirectory() +
                                                 QStringLiteral("/mailpiece-workbook-XXXXXX"));
    if (!copy->open())
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot keep the workbook read: %1").arg(copy->errorString()));
    char chunk[65536];
    for (qint64 got; (got = input.read(chunk, sizeof chunk)) > 0;)
        if (copy->write(chunk, got) != got)
            raiseError(
                ErrorNumber::PathFileAccess, kSource,
                QStringLiteral("cannot keep the workbook read: %1").arg(copy->errorString()));
    copy->flush();
    return copy;
}

std::unique_ptr<WorkbookReader> readerFor(const QString& path, const QString& shownName) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot read %1: %2").arg(shownName, file.errorString()));
    const QByteArray start = file.read(8);
    file.close();
    switch (kindOf(start)) {
    case Kind::Zip: {
        // An OpenDocument file names its kind first thing; the rest are Office's.
        ZipArchive zip(path, shownName);
        const auto mime = zip.readSmall(QStringLiteral("mimetype"), 256);
        if (mime && mime->startsWith("application/vnd.oasis.opendocument.spreadsheet"))
            return openOds(path, shownName);
        if (mime)
            workbookFailure(shownName, QStringLiteral("it is an OpenDocument file of another "
                                                      "kind (%1)")
                                           .arg(QString::fromLatin1(*mime)));
        return openXlsx(path, shownName);
    }
    case Kind::Office:
        return openXls(path, shownName);
    default:
        workbookFailure(shownName, QStringLiteral("it is not a workbook"));
    }
}

} // namespace

bool SpreadsheetSource::isWorkbook(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && isWorkbookStart(file.read(8));
}

bool SpreadsheetSource::isWorkbookStart(const QByteArray& start) {
    return kindOf(start) != Kind::Other;
}

SpreadsheetSource::SpreadsheetSource(std::unique_ptr<QTemporaryFile> copy,
                                     std::unique_ptr<WorkbookReader> reader)
    : copy_(std::move(copy))
    , reader_(std::move(reader)) {
}

SpreadsheetSource::~SpreadsheetSource() = default;

std::unique_ptr<SpreadsheetSource> SpreadsheetSource::open(const QString& path,
                                                           const QString& sheet) {
    if (path == QLatin1String("-"))
        return read(*openMailingFile(path, kSource), QStringLiteral("stdin"), sheet);
    std::unique_ptr<SpreadsheetSource> source(
        new SpreadsheetSource(nullptr, readerFor(path, path)));
    source->chooseSheet(sheet, path);
    return source;
}

std::unique_ptr<SpreadsheetSource>
SpreadsheetSource::read(QIODevice& input, const QString& shownName, const QString& sheet) {
    auto copy = copyOf(input);
    auto reader = readerFor(copy->fileName(), shownName);
    std::unique_ptr<SpreadsheetSource> source(
        new SpreadsheetSource(std::move(copy), std::move(reader)));
    source->chooseSheet(sheet, shownName);
    return source;
}

QStringList SpreadsheetSource::sheetNames(const QString& path) {
    return readerFor(path, path)->sheetNames();
}

void SpreadsheetSource::chooseSheet(const QString& sheet, const QString& shownName) {
    const QStringList names = reader_->sheetNames();
    if (names.isEmpty())
        workbookFailure(shownName, QStringLiteral("it has no sheets"));
    bool numbered = false;
    const int number = sheet.toInt(&numbered);
    int index = names.indexOf(sheet);
    if (index < 0 && numbered && number >= 1 && number <= names.size())
        index = number - 1;
    if (!sheet.isEmpty() && index < 0)
        raiseError(
            ErrorNumber::InvalidArgument, kSource,
            QStringLiteral("%1 has no sheet \"%2\"; its sheets are %3")
                .arg(shownName, sheet,
                     QLatin1Char('"') + names.join(QStringLiteral("\", \"")) + QLatin1Char('"')));
    qint64 first = 0;
    QStringList cells;
    for (int k = index < 0 ? 0 : index; k < names.size(); ++k) {
        reader_->openSheet(k);
        sheetName_ = names.at(k);
        if (reader_->nextRow(first, cells)) {
            if (k > 0 && index < 0)
                warn(QStringLiteral("read sheet \"%1\", the first of %2 that has rows")
                         .arg(sheetName_)
                         .arg(names.size()));
            takeHeader(cells);
            return;
        }
        if (index >= 0)
            break;
    }
    leaveOut(0, QStringLiteral("sheet \"%1\" has no rows")
                    .arg(index < 0 ? names.constFirst() : sheetName_));
}

// Every column with a value gets a name: a header cell left empty (a merged one, often) is
// named after its column, and said so.
void SpreadsheetSource::takeHeader(const QStringList& cells) {
    header_ = cells;
    while (!header_.isEmpty() && header_.constLast().trimmed().isEmpty())
        header_.removeLast();
    for (qsizetype k = 0; k < header_.size(); ++k) {
        header_[k] = header_.at(k).simplified();
        if (!header_.at(k).isEmpty())
            continue;
        header_[k] = QStringLiteral("Column ") + columnLetters(k);
        warn(QStringLiteral("the header names no column %1; it is called \"%2\"")
                 .arg(columnLetters(k), header_.at(k)));
    }
}

bool SpreadsheetSource::next(MailingRow& row) {
    if (header_.isEmpty())
        return false;
    while (reader_->nextRow(row.number, row.fields)) {
        qsizetype extra = header_.size();
        while (extra < row.fields.size() && row.fields.at(extra).trimmed().isEmpty())
            ++extra;
        if (extra < row.fields.size()) {
            leaveOut(row.number, QStringLiteral("a value in column %1, which the header does not "
                                                "name: \"%2\"")
                                     .arg(columnLetters(extra), row.fields.at(extra)));
            continue;
        }
        row.fields.resize(header_.size());
        return true;
    }
    return false;
}

} // namespace tav
