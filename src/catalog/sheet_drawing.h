#pragma once

#include "mailpiece_export.h"

#include <QWidget>

namespace tav {

/// A sheet's geometry in inches, as a catalogue record gives it.
struct MAILPIECE_EXPORT SheetGeometry {
    double sheetWidth = 0;
    double sheetHeight = 0;
    double left = 0;
    double top = 0;
    double pitchAcross = 0;
    double pitchDown = 0;
    double pieceWidth = 0;
    double pieceHeight = 0;
    int across = 0;
    int down = 0;
};

/// A sheet drawn to scale with its pieces (at most 200 across and down are drawn).
class MAILPIECE_EXPORT SheetDrawing : public QWidget {
    Q_OBJECT

public:
    explicit SheetDrawing(QWidget* parent = nullptr);
    /// Draws `sheet` from now on.
    void setSheet(const SheetGeometry& sheet);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SheetGeometry sheet_;
};

} // namespace tav
