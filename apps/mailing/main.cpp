// Feeds a CSV mailing into a label control, one piece per address row, and shows what the
// control's piece store holds for a few of the pieces.

#include "csv_reader.h"
#include "mailing_rows.h"
#include "tav_error.h"
#include "tav_label.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

void printPiece(tav::TavLabel& label, qint32 number) {
    const tav::PieceRecord piece = label.FindPiece(number);
    std::printf("Piece %d%s\n  substitute: %s\n  bar code:   %s\n", number,
                piece.found ? "" : " (not found)", qUtf8Printable(piece.substituteText),
                qUtf8Printable(piece.barCodeValue));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece-mailing"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Feeds a CSV mailing into a label control."));
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
        label.setRefresh(false);
        for (const mailpiece::MailingPiece& piece : pieces) {
            label.setSubstituteText(piece.substituteText);
            label.BarCodeProperties()->setValue(piece.zip);
            label.AddPiece();
        }
        label.setRefresh(true);

        std::printf("Added %d pieces to the piece store %s\n", label.pieceCount(),
                    qUtf8Printable(label.pieceStoreFileName()));
        for (const qint32 number : {1, 2, label.pieceCount() / 2, label.pieceCount()})
            printPiece(label, number);
    } catch (const tav::TavError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
