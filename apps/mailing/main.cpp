// Prints a CSV mailing through a label control: one address label per row, one print job per
// sheet, on the default printer, or as PDF files when no printer is installed.

#include "address_layout.h"
#include "catalog_location.h"
#include "counted.h"
#include "delimited_source.h"
#include "pdf_printer.h"
#include "printer.h"
#include "program_feed.h"
#include "signal_cleanup.h"
#include "tav_error.h"
#include "tav_label.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece-mailing"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prints a CSV mailing on sheets of 30 address labels."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("mailing"),
                                 QStringLiteral("CSV file with a header row (First, Middle, Last, "
                                                "Address, AddressLine2, City, State, Zip)"));
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    mailpiece::useSourceCatalogUnlessInstalled();
    tav::removeRegisteredFilesOnSignals();
    try {
        const QString path = parser.positionalArguments().constFirst();
        tav::TavLabel label;
        mailpiece::applyAddressLayout(label);
        const auto source = tav::DelimitedSource::open(path);
        mailpiece::ConsoleMessages messages(path);
        const mailpiece::FeedResult fed = mailpiece::feedMailing(
            *source, label, tav::PieceMaker::Mode::Address, QStringLiteral("Zip"), messages);
        if (fed.pieces == 0) {
            std::fprintf(stderr, "%s: no usable address rows\n", qUtf8Printable(path));
            return 1;
        }

        tav::Printer& printer = tav::currentPrinter();
        label.PrintAll();
        std::printf("Printed %s on %s of 30 labels.\n",
                    qUtf8Printable(mailpiece::counted(label.pieceCount(), "piece", "pieces")),
                    qUtf8Printable(mailpiece::counted(label.sheetCount(), "sheet", "sheets")));
        if (const auto* pdf = dynamic_cast<tav::PdfPrinter*>(&printer)) {
            std::printf("No printer is installed; the sheets went to PDF files:\n");
            for (const QString& file : pdf->writtenFiles())
                std::printf("  %s\n", qUtf8Printable(file));
        } else {
            std::printf("The sheets went to the printer %s.\n",
                        qUtf8Printable(printer.DeviceName()));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mailpiece-mailing: %s\n", qUtf8Printable(tav::userText(error)));
        return 1;
    }
    return 0;
}
