// Prints a CSV mailing through a label control: one address label per row, one print job per
// sheet, on the default printer, or as PDF files when no printer is installed.

#include "address_layout.h"
#include "csv_reader.h"
#include "mailing_rows.h"
#include "pdf_printer.h"
#include "printer.h"
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

    try {
        const QString path = parser.positionalArguments().constFirst();
        const mailpiece::CsvTable table = mailpiece::readCsvFile(path);
        std::vector<mailpiece::CsvProblem> problems = table.problems;
        const std::vector<mailpiece::MailingPiece> pieces =
            mailpiece::addressPieces(table, problems);
        for (const mailpiece::CsvProblem& problem : problems)
            std::fprintf(stderr, "%s:%lld: row left out: %s\n", qUtf8Printable(path),
                         static_cast<long long>(problem.line), qUtf8Printable(problem.message));
        if (pieces.empty()) {
            std::fprintf(stderr, "%s: no usable address rows\n", qUtf8Printable(path));
            return 1;
        }

        tav::TavLabel label;
        mailpiece::applyAddressLayout(label);
        label.setRefresh(false);
        for (const mailpiece::MailingPiece& piece : pieces) {
            label.setSubstituteText(piece.substituteText);
            label.BarCodeProperties()->setValue(piece.zip);
            label.AddPiece();
        }
        label.setRefresh(true);

        tav::Printer& printer = tav::currentPrinter();
        label.PrintAll();
        std::printf("Printed %d pieces on %d sheets of 30 labels.\n", label.pieceCount(),
                    label.sheetCount());
        if (const auto* pdf = dynamic_cast<tav::PdfPrinter*>(&printer)) {
            std::printf("No printer is installed; the sheets went to PDF files:\n");
            for (const QString& file : pdf->writtenFiles())
                std::printf("  %s\n", qUtf8Printable(file));
        } else {
            std::printf("The sheets went to the printer %s.\n",
                        qUtf8Printable(printer.DeviceName()));
        }
    } catch (const tav::TavError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
