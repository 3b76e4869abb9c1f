// A host built with pkg-config's flags alone: it includes the headers as <mailpiece/...>, links
// the library, adds a piece and reads it back.

#include <QApplication>

#include <mailpiece/tav_label.h>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tav::TavLabel label;
    label.setSubstituteText(QStringLiteral("Item1^Ann Smith|"));
    label.AddPiece();
    return label.FindPiece(1).substituteText == QLatin1String("Item1^Ann Smith|") ? 0 : 1;
}
