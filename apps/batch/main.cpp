// Prints a CSV mailing on sheets of labels or on envelopes without a host program: see --help.

#include "address_columns.h"
#include "batch_options.h"
#include "catalog_location.h"
#include "catalogue.h"
#include "cfg_lib.h"
#include "copies_source.h"
#include "counted.h"
#include "envelope_layout.h"
#include "mailing_open.h"
#include "password_prompt.h"
#include "pdf_printer.h"
#include "postal_marks.h"
#include "postal_style.h"
#include "printer.h"
#include "program_feed.h"
#include "run_inputs.h"
#include "sheet_limits.h"
#include "signal_cleanup.h"
#include "sql_source.h"
#include "system_printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "zip_order_source.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>

#include <cstdio>
#include <unistd.h>

namespace {

using mailpiece::BatchOptions;

// The database's rows; a password that is needed but not in the environment is asked for on a
// terminal, once.
std::unique_ptr<tav::MailingSource> openDatabase(const BatchOptions& options) {
    const QString password = mailpiece::passwordFromEnvironment();
    try {
        return std::make_unique<tav::SqlSource>(options.sql, options.query, password);
    } catch (const tav::TavError& failure) {
        if (!password.isEmpty() || !failure.description().contains(QLatin1String("connect")))
            throw;
        const QString asked =
            mailpiece::promptPassword(QStringLiteral("Password for %1: ").arg(options.sql));
        if (asked.isEmpty())
            throw;
        return std::make_unique<tav::SqlSource>(options.sql, options.query, asked);
    }
}

std::unique_ptr<tav::MailingSource> openRows(const BatchOptions& options) {
    if (!options.sql.isEmpty())
        return openDatabase(options);
    tav::MailingFileOptions file;
    file.text = {options.delimiter, options.encoding};
    file.addressType = options.workAddress ? tav::VCardSource::AddressType::Work
                                           : tav::VCardSource::AddressType::Home;
    file.sheet = options.sheet;
    return tav::openMailing(options.mailing, file);
}

// The mailing as the run reads it, and what counted its rows on the way.
struct Mailing {
    std::unique_ptr<tav::MailingSource> source;
    const tav::CopiesSource* copies = nullptr;   // --copies-column
    const tav::ZipOrderSource* sorted = nullptr; // --sort zip
};

// The mailing's rows, each as many times as its copies column says.
Mailing openSource(const BatchOptions& options) {
    Mailing mailing{openRows(options)};
    if (!options.copiesColumn.isEmpty()) {
        auto copies =
            std::make_unique<tav::CopiesSource>(std::move(mailing.source), options.copiesColumn);
        mailing.copies = copies.get();
        mailing.source = std::move(copies);
    }
    if (options.repeat > 1)
        mailing.source =
            std::make_unique<tav::CopiesSource>(std::move(mailing.source), options.repeat);
    return mailing;
}

// With --sort zip, the rows in ZIP code order by column `zip`.
void sortByZip(Mailing& mailing, const BatchOptions& options, qsizetype zip) {
    if (!options.sortByZip)
        return;
    if (zip < 0)
        throw tav::TavError(tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
                            QStringLiteral("--sort zip: the mailing has no ZIP code column"));
    auto sorted = std::make_unique<tav::ZipOrderSource>(std::move(mailing.source), zip);
    mailing.sorted = sorted.get();
    mailing.source = std::move(sorted);
}

// The pieces by ZIP code, as a mailer takes them to the post office.
void printZipSummary(const tav::ZipOrderSource& sorted) {
    std::printf("In ZIP code order (sorted here, not a certified presort: no CASS, no Move "
                "Update); groups of 10 or more marked *\n");
    const auto print = [](const char* title,
                          const std::vector<tav::ZipOrderSource::Group>& groups) {
        std::printf("%s\n", title);
        for (const auto& group : groups)
            std::printf("  %-5s %7lld%s\n", qUtf8Printable(group.code),
                        static_cast<long long>(group.pieces), group.pieces >= 10 ? " *" : "");
    };
    print("Pieces by 5-digit ZIP code:", sorted.byZip());
    print("Pieces by 3-digit prefix:", sorted.byPrefix());
    if (sorted.withoutZip() > 0)
        std::printf("Without a ZIP code, printed last: %lld\n",
                    static_cast<long long>(sorted.withoutZip()));
}

// "; 2 rows asked for no copies" when some did, and the copies that fill the last sheet.
QString copiesNote(const Mailing& mailing, qint32 filling) {
    QString note;
    if (mailing.copies && mailing.copies->rowsWithoutCopies() > 0)
        note = QStringLiteral("; %1 for no copies")
                   .arg(mailpiece::counted(mailing.copies->rowsWithoutCopies(), "row asked",
                                           "rows asked"));
    if (filling > 0)
        note += QStringLiteral("; %1 of the last to fill the sheet")
                    .arg(mailpiece::counted(filling, "copy", "copies"));
    return note;
}

// After a print run that ended with `status`: the ZIP code summary of a sorted mailing.
int printed(int status, const Mailing& mailing) {
    if (status == 0 && mailing.sorted)
        printZipSummary(*mailing.sorted);
    return status;
}

// The mailing as messages name it.
QString sourceName(const BatchOptions& options) {
    if (!options.sql.isEmpty())
        return options.sql;
    return options.mailing == QLatin1String("-") ? QStringLiteral("stdin") : options.mailing;
}

// The mailing as the print queue names its jobs: the file's or database's name alone.
QString mailingName(const BatchOptions& options) {
    const QString name = sourceName(options);
    if (name.contains(QLatin1String("://")))
        return name.section(QLatin1Char('/'), -1);
    return QFileInfo(name.section(QLatin1Char(':'), -1)).completeBaseName();
}

QString addressColumnNames(const QStringList& header) {
    return tav::AddressColumns::find(header).used(header).join(QStringLiteral(", "));
}

// "; Email and Phone are not printed" for the columns the address leaves out.
QString unprintedColumns(const QStringList& header, const BatchOptions& options) {
    const QStringList used = tav::AddressColumns::find(header).used(header);
    QStringList left;
    for (const QString& column : header)
        if (!column.trimmed().isEmpty() && !used.contains(column.trimmed()) &&
            column.compare(options.copiesColumn, Qt::CaseInsensitive) != 0)
            left << column.trimmed();
    if (left.isEmpty())
        return {};
    const QString last = left.takeLast();
    return QStringLiteral("; %1%2 %3 not printed")
        .arg(left.isEmpty() ? QString() : left.join(QStringLiteral(", ")) + QStringLiteral(" and "),
             last, left.isEmpty() ? QStringLiteral("is") : QStringLiteral("are"));
}

// A contact export's columns have other names than ours: the user is told which were read.
void sayRenamedAddressColumns(const QStringList& header, const BatchOptions& options) {
    if (tav::AddressColumns::find(header).renamed(header))
        std::fprintf(stderr, "%s: the address is composed from the columns %s\n",
                     qUtf8Printable(sourceName(options)),
                     qUtf8Printable(addressColumnNames(header)));
}

// --start names a position on the first sheet; past its last one is a mistake, not a blank sheet.
void checkStart(const tav::TavSheetCls& sheet, const BatchOptions& options) {
    const qint32 positions = static_cast<qint32>(sheet.NumAcross()) * sheet.NumDown();
    if (options.startingPiece > positions)
        throw tav::TavError(tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
                            QStringLiteral("--start %1: the positions on a sheet are 1 to %2")
                                .arg(options.startingPiece)
                                .arg(positions));
}

void applySheet(tav::TavLabel& label, const BatchOptions& options) {
    if (!options.piece.isEmpty()) {
        const QString piece = mailpiece::findPiece(options.piece);
        label.setPieceName(piece);
        mailpiece::checkPieceApplied(piece, label.PieceName());
    } else {
        tav::TavSheetCls& sheet = *label.SheetProperties();
        sheet.setNumAcross(options.across);
        sheet.setNumDown(options.down);
        sheet.setMarginleft(options.marginLeft);
        sheet.setMarginTop(options.marginTop);
        sheet.setPiecePitchAcross(options.pitchAcross);
        sheet.setPiecePitchDown(options.pitchDown);
        sheet.setPieceWidth(options.pieceWidth);
        sheet.setPieceHeight(options.pieceHeight);
        sheet.setWidth(options.sheetWidth);
        sheet.setHeight(options.sheetHeight);
        sheet.setOrientation(options.landscape ? 2 : 1);
    }
    if (options.rotation)
        label.TurnPieces(*options.rotation);
    if (options.landscape)
        label.SheetProperties()->setOrientation(2);
    label.SheetProperties()->setStartingPiece(options.startingPiece);
    tav::checkSheetGeometry(*label.SheetProperties(), QStringLiteral("mailpiece-batch"),
                            QStringLiteral("the sheet"));
    checkStart(*label.SheetProperties(), options);
    label.setMailingName(mailingName(options));
    label.setPrinterTop(options.printerTop);
    label.setPrinterLeft(options.printerLeft);
}

// Lays the shown lines out as one block from the top of the label, and the bar code under them
// (the library's address layout). Returns false when the bar code does not fit on the label.
bool applyItems(tav::TavLabel& label, const BatchOptions& options, int columns) {
    QStringList templates;
    for (int k = 1; k <= 7; ++k) {
        const QString& text = options.itemTemplates[k - 1];
        if (options.addressMode
                ? k <= 4 + (options.endorsementLine ? 1 : 0)
                : !text.isEmpty() && (text != QStringLiteral("<<Item%1>>").arg(k) || k <= columns))
            templates << (options.addressMode ? QStringLiteral("<<Item%1>>").arg(k) : text);
    }
    const bool fits = label.ApplyAddressLayout(
        static_cast<qint32>(std::max<qsizetype>(1, templates.size())), options.fontSize);
    label.Item1Properties()->setTextControl(templates.join(QStringLiteral("\r\n")));
    label.Item1Properties()->setVisible(!templates.isEmpty());
    const bool barCode = !options.zipColumn.isEmpty() || options.symbology != 0;
    label.BarCodeProperties()->setVisible(barCode && fits);
    return !barCode || fits;
}

int listPieces(bool all) {
    const auto entries = mailpiece::catalogEntries();
    if (entries.empty()) {
        std::fprintf(stderr, "mailpiece-batch: the piece catalogue %s holds no pieces\n",
                     qUtf8Printable(tav::CfgLib::CatalogPath()));
        return 1;
    }
    QString section, product;
    for (const mailpiece::CatalogEntry& entry : entries) {
        if (entry.section != section)
            std::printf("%s\n", qUtf8Printable(section = entry.section));
        if (entry.product != product)
            std::printf("  %s\n", qUtf8Printable(product = entry.product));
        std::printf("    %s\n", qUtf8Printable(entry.piece));
    }
    if (all)
        std::printf("%s\n", qUtf8Printable(tav::LabelTemplates::summary(
                                tav::Catalogue::current().templates())));
    return 0;
}

std::shared_ptr<tav::PdfPrinter> choosePrinter(const BatchOptions& options) {
    if (!options.pdf.isEmpty()) {
        mailpiece::refuseOutputOverInputs(options.pdf, {options.mailing, options.sql});
        auto pdf = tav::PdfPrinter::singleDocument(options.pdf);
        if (options.dotsPerInch > 0)
            pdf->setDotsPerInch(static_cast<qint16>(options.dotsPerInch));
        tav::setCurrentPrinter(pdf);
        return pdf;
    }
    if (!options.printer.isEmpty()) {
        if (QPrinterInfo::printerInfo(options.printer).isNull())
            throw tav::TavError(
                tav::ErrorNumber::DeviceIO, QStringLiteral("mailpiece-batch"),
                QStringLiteral("there is no printer named %1").arg(options.printer));
        tav::setCurrentPrinter(std::make_shared<tav::SystemPrinter>(options.printer));
    }
    return nullptr;
}

// Whether the mailing gave pieces; says so when it did not.
bool fedPieces(const mailpiece::FeedResult& fed, const BatchOptions& options) {
    if (!fed.header.isEmpty() && fed.pieces > 0)
        return true;
    std::fprintf(stderr, "%s: no usable rows to print\n", qUtf8Printable(sourceName(options)));
    return false;
}

// Prints the sheets of the asked range with progress on a terminal and says where they went.
int printSheets(tav::TavLabel& label, const BatchOptions& options, const QString& note) {
    const auto pdf = choosePrinter(options);
    tav::Printer& printer = tav::currentPrinter();
    qint32 sheets = 0;
    // A roll prints a page a label: its pages are counted as labels.
    const bool roll =
        tav::CfgLib::CatalogPaperType(label.PieceName()) == tav::CfgLib::RollPaperType;
    const char* unit = roll ? "label" : "sheet";
    const bool terminal = isatty(STDERR_FILENO) != 0;
    QObject::connect(&label, &tav::TavLabel::printProgress, [&](qint32 done, qint32 total) {
        sheets = done;
        if (terminal)
            std::fprintf(stderr, roll ? "\rLabel %d of %d" : "\rSheet %d of %d", done, total);
    });
    const auto endProgressLine = [&] {
        if (terminal && sheets > 0)
            std::fprintf(stderr, "\n");
    };
    try {
        label.PrintRange(options.from, options.to);
        endProgressLine();
        if (pdf)
            pdf->finish();
    } catch (const tav::TavError& failure) {
        endProgressLine();
        if (pdf) {
            pdf->discard(); // no half document under the asked name
            throw;
        }
        // Sheets sent before the failure are with the printer: say which, so none is printed
        // twice and none forgotten.
        const QString printed =
            sheets == 0 ? QStringLiteral("; no %1 was printed").arg(QLatin1String(unit))
                        : QStringLiteral("; the first %1 printed, the others not")
                              .arg(roll ? mailpiece::counted(sheets, "label was", "labels were")
                                        : mailpiece::counted(sheets, "sheet was", "sheets were"));
        throw tav::TavError(failure.number(), failure.source(), failure.description() + printed,
                            failure.detail() + printed);
    } catch (...) {
        endProgressLine();
        if (pdf)
            pdf->discard();
        throw;
    }

    std::printf("Printed %s (%s in the mailing%s) ",
                qUtf8Printable(roll ? mailpiece::counted(sheets, "label", "labels")
                                    : mailpiece::counted(sheets, "sheet", "sheets")),
                qUtf8Printable(mailpiece::counted(label.pieceCount(), "piece", "pieces")),
                qUtf8Printable(note));
    if (const auto* files = dynamic_cast<const tav::PdfPrinter*>(&printer)) {
        std::printf("to PDF:\n");
        for (const QString& file : files->writtenFiles())
            std::printf("  %s\n", qUtf8Printable(file));
    } else {
        std::printf("on the printer %s.\n", qUtf8Printable(printer.DeviceName()));
    }
    return 0;
}

// How the rows are fed: their bar codes, how strictly they are checked, the postal style, and
// the optional endorsement line of each label from the sorted mailing's ZIP codes (`zip`).
mailpiece::BarCodeFeed barCodeFeed(const BatchOptions& options, const Mailing* mailing = nullptr,
                                   qsizetype zip = -1) {
    mailpiece::BarCodeFeed feed;
    feed.tracking = options.tracking;
    feed.strictFit = options.strictFit;
    feed.strictZip = options.strictZip;
    feed.postalStyle = options.postalStyle;
    feed.valueColumn = options.barcodeColumn;
    if (options.endorsementLine && mailing != nullptr && mailing->sorted != nullptr) {
        const tav::ZipOrderSource* sorted = mailing->sorted;
        const bool automation = options.tracking.has_value();
        feed.linesAbove = [sorted, zip, automation](const tav::MailingRow& row) {
            const QString line = sorted->endorsementLine(row.fields.value(zip), automation);
            return line.isEmpty() ? QStringList() : QStringList{line};
        };
    }
    return feed;
}

// The postal style's 8 point type and the endorsement above the address, on labels.
void applyPostalMarks(tav::TavLabel& label, const BatchOptions& options) {
    if (options.postalStyle) {
        label.setMinimumFontSize(tav::PostalStyle::MinimumPoints);
        const double points = label.Item1Properties()->font()->Size();
        if (points < tav::PostalStyle::MinimumPoints)
            std::fprintf(stderr,
                         "warning: the addresses are set in %.1f pt to fit the labels; the post "
                         "office reads 8 pt at least: choose taller labels or leave out the "
                         "endorsement line\n",
                         points);
    }
    if (!options.endorsement.isEmpty())
        mailpiece::placeEndorsement(label, mailpiece::endorsementText(options.endorsement));
}

int runLabels(const BatchOptions& asked) {
    tav::TavLabel label;
    applySheet(label, asked);
    label.BarCodeProperties()->setSymbology(static_cast<tav::TavSymbology>(asked.symbology));
    // The layout depends on the header (how many columns there are), and the bars' fit is
    // checked as each piece is added, so the layout comes first.
    Mailing mailing = openSource(asked);
    const QStringList header = mailing.source->header();
    // A header with a name and an address prints addresses unless told otherwise.
    BatchOptions options = asked;
    if (!asked.addressMode && !asked.columnsMode && !asked.itemsGiven &&
        mailpiece::hasAddressColumns(header)) {
        options.addressMode = true;
        std::fprintf(stderr,
                     "%s: the header has name and address columns (%s), so each label prints "
                     "the address composed from them%s (--columns prints a column a line)\n",
                     qUtf8Printable(sourceName(options)),
                     qUtf8Printable(addressColumnNames(header)),
                     qUtf8Printable(unprintedColumns(header, options)));
    } else if (options.addressMode) {
        sayRenamedAddressColumns(header, options);
    }
    mailpiece::checkColumns(
        *mailing.source, sourceName(options),
        options.addressMode ? tav::PieceMaker::Mode::Address : tav::PieceMaker::Mode::Columns,
        QStringList(options.itemTemplates.begin(), options.itemTemplates.end()));
    // An address's bars come from its own ZIP code column, whatever an export calls it.
    const qsizetype zip = options.addressMode
                              ? tav::AddressColumns::find(header)[tav::AddressColumns::Zip]
                              : tav::columnIndex(header, options.zipColumn);
    if (options.symbology != 0 && !header.isEmpty() &&
        tav::columnIndex(header, options.barcodeColumn) < 0)
        throw tav::TavError(tav::ErrorNumber::InvalidArgument, QStringLiteral("mailpiece-batch"),
                            QStringLiteral("--barcode-column %1: the header has no such column; "
                                           "it has %2")
                                .arg(options.barcodeColumn, header.join(QStringLiteral(", "))));
    if (options.symbology == 0 && !options.zipColumn.isEmpty() && !header.isEmpty() && zip < 0)
        std::fprintf(stderr, "%s: no column named %s; the labels get no bar code\n",
                     qUtf8Printable(sourceName(options)), qUtf8Printable(options.zipColumn));
    sortByZip(mailing, options, zip);
    if (!applyItems(label, options, static_cast<int>(header.size())))
        std::fprintf(stderr, "warning: the bar code reaches past the bottom of the label; use a "
                             "smaller --font-size or fewer items\n");
    applyPostalMarks(label, options);
    mailpiece::ConsoleMessages messages(sourceName(options));
    const mailpiece::FeedResult fed = mailpiece::feedMailing(
        *mailing.source, label,
        options.addressMode ? tav::PieceMaker::Mode::Address : tav::PieceMaker::Mode::Columns,
        options.zipColumn, messages, barCodeFeed(options, &mailing, zip));
    if (!fedPieces(fed, options))
        return 1;
    const qint32 filling = options.fillSheet ? label.FillSheet() : 0;
    return printed(printSheets(label, options, copiesNote(mailing, filling)), mailing);
}

int runEnvelopes(const BatchOptions& options) {
    tav::TavMail mail;
    const QString piece = options.piece.isEmpty() ? QString() : mailpiece::findPiece(options.piece);
    mailpiece::applyEnvelopeLayout(mail, piece, options.returnAddress,
                                   options.tracking
                                       ? tav::TavEnumCls::TavIntelligentMail
                                       : static_cast<tav::TavSymbology>(options.symbology));
    if (!options.endorsement.isEmpty())
        mailpiece::placeEndorsement(mail, mailpiece::endorsementText(options.endorsement));
    checkStart(*mail.SheetProperties(), options);
    mail.SheetProperties()->setStartingPiece(options.startingPiece);
    mail.TavLabel1().setMailingName(mailingName(options));
    mail.setPrinterTop(options.printerTop);
    mail.setPrinterLeft(options.printerLeft);
    Mailing mailing = openSource(options);
    const QStringList header = mailing.source->header();
    mailpiece::checkColumns(*mailing.source, sourceName(options), tav::PieceMaker::Mode::Address,
                            {});
    sayRenamedAddressColumns(header, options);
    sortByZip(mailing, options, tav::AddressColumns::find(header)[tav::AddressColumns::Zip]);
    mailpiece::ConsoleMessages messages(sourceName(options));
    const mailpiece::FeedResult fed =
        mailpiece::feedEnvelopes(*mailing.source, mail, messages, barCodeFeed(options));
    if (!fedPieces(fed, options))
        return 1;
    const qint32 filling = options.fillSheet ? mail.TavLabel1().FillSheet() : 0;
    return printed(printSheets(mail.TavLabel1(), options, copiesNote(mailing, filling)), mailing);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece-batch"));
    QString error;
    bool help = false;
    const auto options = mailpiece::parseBatchOptions(QApplication::arguments(), error, &help);
    if (help) {
        std::printf("%s", qUtf8Printable(mailpiece::batchUsage()));
        return 0;
    }
    if (!options) {
        std::fprintf(stderr, "mailpiece-batch: %s\nSee mailpiece-batch --help.\n",
                     qUtf8Printable(error));
        return 2;
    }
    mailpiece::useSourceCatalogUnlessInstalled();
    tav::removeRegisteredFilesOnSignals();
    int status = 1;
    try {
        if (options->listPieces)
            status = listPieces(options->listAll);
        else
            status = options->envelopeMode ? runEnvelopes(*options) : runLabels(*options);
    } catch (const std::exception& failure) {
        const QString text = tav::userText(failure);
        const QString program = QStringLiteral("mailpiece-batch: ");
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(text.startsWith(program) ? text : program + text));
    }
    return status;
}
