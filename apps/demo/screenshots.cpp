#include "screenshots.h"

#include "cfg_lib.h"
#include "demo_window.h"
#include "layout_scale.h"
#include "new_piece_dialog.h"
#include "piece_detail_dialog.h"
#include "piece_layout_edit_form.h"
#include "piece_select.h"
#include "printer.h"
#include "printer_calibration_dialog.h"
#include "tav_label.h"
#include "tav_mail.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

bool save(QWidget& widget, const QDir& directory, const char* name) {
    QApplication::processEvents();
    return widget.grab().save(directory.filePath(QString::fromLatin1(name)));
}

// `dialog` as a desktop shows it: centred over the window, with an edge and a shadow.
bool saveOver(QWidget& window, QWidget& dialog, const QDir& directory, const char* name) {
    QApplication::processEvents();
    QPixmap desktop = window.grab();
    const QPixmap shown = dialog.grab();
    QRect place(QPoint(), shown.size());
    place.moveCenter(desktop.rect().center());
    QPainter painter(&desktop);
    painter.fillRect(desktop.rect(), QColor(0, 0, 0, 60)); // the window behind a modal dialog
    painter.fillRect(place.translated(6, 6), QColor(0, 0, 0, 90));
    painter.drawPixmap(place.topLeft(), shown);
    painter.setPen(QColor(0x70, 0x70, 0x70));
    painter.drawRect(place.adjusted(-1, -1, 0, 0));
    painter.end();
    return desktop.save(directory.filePath(QString::fromLatin1(name)));
}

void click(QWidget& widget) {
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(4, 4), widget.mapToGlobal(QPointF(4, 4)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }
}

// Triggers the menu entry `text` of `window` and saves the modal dialog it opens, at `size`,
// before closing it. False when none opened.
bool saveModal(QMainWindow& window, const QString& text, QSize size, const QDir& directory,
               const char* name) {
    bool saved = false;
    QTimer poll; // lives only as long as the call: it never fires after it
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll.stop();
        dialog->resize(size);
        saved = save(*dialog, directory, name);
        dialog->close();
    });
    for (QAction* action : window.menuBar()->findChildren<QAction*>()) {
        if (action->text() == text) {
            poll.start();
            action->trigger();
            break;
        }
    }
    return saved;
}

} // namespace

bool saveScreenshots(DemoWindow& window, const QDir& directory) {
    QDir().mkpath(directory.path());
    window.label().setCurrentPiece(8);
    const char* const views[] = {"label-piece.png", "label-sheet.png", "label-both.png"};
    for (int view = 0; view < 3; ++view) {
        window.showView(view);
        if (!save(window, directory, views[view]))
            return false;
    }

    // The dialogs, as the Select and Layout buttons open them; the layout editor enlarged, its
    // drawing following the window.
    tav::PieceSelectForm select(&window);
    select.setPieceName(QStringLiteral("5160 - Address"));
    select.show();
    const tav::TavSheetCls& sheet = *window.label().SheetProperties();
    tav::Layout_m::FitLayoutScale(sheet.PieceWidth(), sheet.PieceHeight());
    tav::PieceLayoutEditForm layout(&window);
    std::array<std::shared_ptr<tav::TavItemCls>, 7> items;
    for (int i = 0; i < 7; ++i)
        items[i] = window.label().itemProperties(i + 1);
    layout.LoadLayout(sheet.PieceWidth(), sheet.PieceHeight(), items,
                      *window.label().BarCodeProperties());
    layout.show();
    layout.resize(1000, 520);
    QApplication::processEvents();
    click(*layout.findChild<QWidget*>(QStringLiteral("item2"))); // shows its handles
    // New Piece, on a sheet of the user's own.
    tav::NewPieceDialog newPiece(&window);
    newPiece.findChild<QLineEdit*>(QStringLiteral("piece_txt"))
        ->setText(QStringLiteral("Jar labels 2-5/8 x 1"));
    newPiece.show();
    tav::PrinterCalibrationDialog calibration(0.0f, 0.0f, tav::currentPrinter().DeviceName(),
                                              window.label().CompanyName(), &window);
    calibration.setMeasured(0.5625, 0.46875);
    calibration.show();
    if (!saveOver(window, select, directory, "piece-select.png") ||
        !saveOver(window, layout, directory, "layout-editor.png") ||
        !saveOver(window, newPiece, directory, "new-piece.png") ||
        !saveOver(window, calibration, directory, "printer-calibration.png"))
        return false;
    select.hide();
    layout.hide();
    newPiece.hide();
    calibration.hide();

    // The print preview of the labels, as File > Print Preview shows it.
    window.showView(2);
    if (!saveModal(window, QStringLiteral("Print Pre&view..."), QSize(1280, 800), directory,
                   "print-preview.png"))
        return false;

    // The envelopes page, and the piece property page as Designer's "Edit Piece..." shows it.
    window.showPage(1);
    window.mail().TavLabel1().setCurrentPiece(8);
    window.showView(2);
    tav::PieceDetailDialog detail(&window.mail(), &window);
    detail.show();
    if (!save(window, directory, "envelope-both.png") ||
        !saveOver(window, detail, directory, "piece-detail.png"))
        return false;
    detail.hide();

    // The Intelligent Mail barcode on 4 inch labels and on an envelope, for a sample mailer.
    window.setImbFields({QStringLiteral("00"), QStringLiteral("700"), QStringLiteral("123456")});
    window.setSymbology(tav::TavEnumCls::TavIntelligentMail);
    window.showPage(0);
    window.label().setCurrentPiece(3);
    window.showView(2);
    if (!save(window, directory, "label-imb.png"))
        return false;
    window.showPage(1);
    window.mail().TavLabel1().setCurrentPiece(8);
    window.showView(0);
    if (!save(window, directory, "envelope-imb.png"))
        return false;

    // A roll label of a label printer, read along its length, when the template library is here.
    const QString roll = QStringLiteral("Dymo 99010 - Address Labels 28 x 89 mm");
    if (!tav::CfgLib::CatalogRecord(roll).isEmpty()) {
        window.setSymbology(tav::TavEnumCls::TavPostnet);
        window.showPage(0);
        window.choosePiece(roll);
        window.label().setCurrentPiece(8);
        window.showView(2);
        return save(window, directory, "label-roll.png");
    }
    return true;
}
