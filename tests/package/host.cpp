// Drives a label control late-bound, as a host that knows only property and method names would,
// and loads an envelope control's design from a form compiled by uic.

#include "ui_envelope_form.h"

#include <QApplication>

#include <cstdio>
#include <mailpiece/tav_label.h>
#include <mailpiece/tav_mail.h>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tav::TavLabel label;
    label.setProperty("SubstituteText", "Item1^Ann Smith|Item2^12 Oak Road|");
    label.property("BarCodeProperties").value<QObject*>()->setProperty("Value", "62701");
    QMetaObject::invokeMethod(&label, "AddPiece");
    const tav::PieceRecord piece = label.FindPiece(1);
    std::printf("%s %s\n", qUtf8Printable(piece.substituteText),
                qUtf8Printable(piece.barCodeValue));

    QWidget form;
    Ui::EnvelopeForm ui;
    ui.setupUi(&form);
    std::printf("%s %d %g\n", qUtf8Printable(ui.envelope->PieceName()),
                ui.envelope->BarCode_Position(), ui.envelope->PrinterLeft());
    const bool designed = ui.envelope->PieceName() == QLatin1String("Size 10 - Envelope") &&
                          ui.envelope->BarCode_Position() == 2 &&
                          ui.envelope->PrinterLeft() == 0.25f;
    return piece.found && piece.barCodeValue == QLatin1String("62701") && designed ? 0 : 1;
}
