// A host for the label and envelope controls: opens a CSV mailing, shows it piece by piece and
// sheet by sheet, and prints it. With --screenshots DIR it saves the window's views, the dialogs
// and the envelopes page, and exits.

#include "catalog_location.h"
#include "demo_window.h"
#include "layout_scale.h"
#include "new_piece_dialog.h"
#include "piece_detail_dialog.h"
#include "piece_layout_edit_form.h"
#include "piece_select.h"
#include "signal_cleanup.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLineEdit>

#include <cstdio>

namespace {
// Opens the window (and saves the screenshots when asked); the status for main.
int run(const QCommandLineParser& parser, const QCommandLineOption& screenshots);
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("mailpiece-demo"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows and prints a mailing on address labels and on envelopes."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("mailing"), QStringLiteral("CSV file to open."));
    const QCommandLineOption screenshots(
        QStringLiteral("screenshots"),
        QStringLiteral("Save the window's views, the dialogs and the envelopes page to DIR, then "
                       "exit."),
        QStringLiteral("dir"));
    parser.addOption(screenshots);
    parser.process(app);

    mailpiece::useSourceCatalogUnlessInstalled();
    tav::removeRegisteredFilesOnSignals();
    try {
        return run(parser, screenshots);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mailpiece-demo: %s\n", error.what());
        return 1;
    }
}

namespace {

int run(const QCommandLineParser& parser, const QCommandLineOption& screenshots) {
    DemoWindow window;
    if (!parser.positionalArguments().isEmpty() &&
        !window.openMailing(parser.positionalArguments().constFirst()))
        return 1;
    window.show();
    if (parser.isSet(screenshots)) {
        const QDir directory(parser.value(screenshots));
        QDir().mkpath(directory.path());
        window.label().setCurrentPiece(8);
        const char* const names[] = {"label-piece.png", "label-sheet.png", "label-both.png"};
        for (int view = 0; view < 3; ++view) {
            window.showView(view);
            QApplication::processEvents();
            if (!window.grab().save(directory.filePath(QString::fromLatin1(names[view]))))
                return 1;
        }
        // The two dialogs, as the Select and Layout buttons open them.
        tav::PieceSelectForm select(&window);
        select.setPieceName(QStringLiteral("5160 - Address"));
        select.show();
        QApplication::processEvents();
        tav::Layout_m::FitLayoutScale(window.label().SheetProperties()->PieceWidth(),
                                      window.label().SheetProperties()->PieceHeight());
        tav::PieceLayoutEditForm layout(&window);
        std::array<std::shared_ptr<tav::TavItemCls>, 7> items;
        for (int i = 0; i < 7; ++i)
            items[i] = window.label().itemProperties(i + 1);
        layout.LoadLayout(window.label().SheetProperties()->PieceWidth(),
                          window.label().SheetProperties()->PieceHeight(), items,
                          *window.label().BarCodeProperties());
        layout.show();
        QApplication::processEvents();
        // New Piece, on a sheet of the user's own.
        tav::NewPieceDialog newPiece(&window);
        newPiece.findChild<QLineEdit*>(QStringLiteral("piece_txt"))
            ->setText(QStringLiteral("Jar labels 2-5/8 x 1"));
        newPiece.show();
        QApplication::processEvents();
        if (!select.grab().save(directory.filePath(QStringLiteral("piece-select.png"))) ||
            !layout.grab().save(directory.filePath(QStringLiteral("layout-editor.png"))) ||
            !newPiece.grab().save(directory.filePath(QStringLiteral("new-piece.png"))))
            return 1;
        select.hide();
        layout.hide();
        newPiece.hide();

        // The envelopes page, and the piece property page as Designer's "Edit Piece..." shows it.
        window.showPage(1);
        window.mail().TavLabel1().setCurrentPiece(8);
        window.showView(2);
        QApplication::processEvents();
        tav::PieceDetailDialog detail(&window.mail(), &window);
        detail.show();
        QApplication::processEvents();
        if (!window.grab().save(directory.filePath(QStringLiteral("envelope-both.png"))) ||
            !detail.grab().save(directory.filePath(QStringLiteral("piece-detail.png"))))
            return 1;
        detail.hide();

        // The Intelligent Mail barcode on 4 inch labels and on an envelope.
        window.setSymbology(tav::TavEnumCls::TavIntelligentMail);
        window.showPage(0);
        window.label().setCurrentPiece(3);
        window.showView(2);
        QApplication::processEvents();
        if (!window.grab().save(directory.filePath(QStringLiteral("label-imb.png"))))
            return 1;
        window.showPage(1);
        window.mail().TavLabel1().setCurrentPiece(8);
        window.showView(0);
        QApplication::processEvents();
        if (!window.grab().save(directory.filePath(QStringLiteral("envelope-imb.png"))))
            return 1;
        return 0;
    }
    return QApplication::exec();
}

} // namespace
