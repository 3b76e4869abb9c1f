// Drives a label control late-bound, as a host that knows only property and method names would.

#include <QApplication>

#include <cstdio>
#include <tav_label.h>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tav::TavLabel label;
    label.setProperty("SubstituteText", QStringLiteral("Item1^Ann Smith|Item2^12 Oak Road|"));
    label.property("BarCodeProperties").value<QObject*>()->setProperty("Value", "62701");
    QMetaObject::invokeMethod(&label, "AddPiece");
    const tav::PieceRecord piece = label.FindPiece(1);
    std::printf("%s %s\n", qUtf8Printable(piece.substituteText),
                qUtf8Printable(piece.barCodeValue));
    return piece.found && piece.barCodeValue == QLatin1String("62701") ? 0 : 1;
}
