// Draws a sample piece the two ways the library draws everything: recorded and played back into
// an image (what the screen shows), and printed to PDF (what the paper gets), so that the two
// can be compared by eye.

#include "output_file.h"
#include "pdf_printer.h"
#include "sample_piece.h"
#include "signal_cleanup.h"
#include "tav_error.h"
#include "tav_meta_cls.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece-preview"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renders a sample piece to a PNG (screen) and a PDF page (paper)."));
    parser.addHelpOption();
    const QCommandLineOption png(QStringLiteral("png"), QStringLiteral("PNG file to write."),
                                 QStringLiteral("file"), QStringLiteral("piece.png"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QStringLiteral("PDF file to write."),
                                 QStringLiteral("file"), QStringLiteral("piece.pdf"));
    const QCommandLineOption zoom(QStringLiteral("zoom"),
                                  QStringLiteral("Zoom of the PNG in percent (default 200)."),
                                  QStringLiteral("percent"), QStringLiteral("200"));
    parser.addOptions({png, pdf, zoom});
    parser.process(app);
    tav::removeRegisteredFilesOnSignals(); // no half-written output left by an interruption

    try {
        const auto piece = makeSamplePiece();
        const int percent = std::clamp(parser.value(zoom).toInt(), 10, 1000);

        // Screen: record on a 96-dot reference image, play into an image at the zoom.
        // One pixel more than the piece, so that its right and bottom edges are inside.
        QImage reference(piece->widthTwips() / 15 + 1, piece->heightTwips() / 15 + 1,
                         QImage::Format_RGB32);
        reference.setDotsPerMeterX(3780);
        reference.setDotsPerMeterY(3780);
        tav::TavMetaCls meta;
        meta.CreateMetaObject(&reference);
        piece->MFRender(meta, 0, 0);
        QImage screen(reference.width() * percent / 100, reference.height() * percent / 100,
                      QImage::Format_RGB32);
        screen.setDotsPerMeterX(3780);
        screen.setDotsPerMeterY(3780);
        screen.fill(Qt::white);
        meta.PrintMetaObject(&screen, static_cast<qint16>(percent));
        // Under its name only when whole: a full disk leaves no cut-off picture behind.
        const auto pngFile = tav::OutputFile::forPath(parser.value(png));
        if (!screen.save(&pngFile->device(), "PNG"))
            throw tav::TavError(tav::ErrorNumber::DeviceIO, QStringLiteral("preview"),
                                QStringLiteral("cannot write %1").arg(parser.value(png)));
        pngFile->complete(parser.value(png));
        pngFile->placeAs(parser.value(png));

        // Paper: print the piece half an inch from the page's corner.
        const auto printer = tav::PdfPrinter::singleDocument(parser.value(pdf));
        tav::setCurrentPrinter(printer);
        piece->setPrintWhiteBacks(false);
        piece->PrintSelf(720, 720);
        printer->finish();
        tav::setCurrentPrinter(nullptr);

        std::printf("Screen: %s\nPaper:  %s\n", qUtf8Printable(parser.value(png)),
                    qUtf8Printable(parser.value(pdf)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mailpiece-preview: %s\n", qUtf8Printable(tav::userText(error)));
        return 1;
    }
    return 0;
}
