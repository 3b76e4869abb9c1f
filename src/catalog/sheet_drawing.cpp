#include "sheet_drawing.h"

#include <QPainter>

#include <algorithm>

namespace tav {

SheetDrawing::SheetDrawing(QWidget* parent)
    : QWidget(parent) {
    setMinimumSize(180, 200);
}

void SheetDrawing::setSheet(const SheetGeometry& sheet) {
    sheet_ = sheet;
    update();
}

void SheetDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (sheet_.sheetWidth <= 0 || sheet_.sheetHeight <= 0)
        return;
    const double scale =
        std::min((width() - 10) / sheet_.sheetWidth, (height() - 10) / sheet_.sheetHeight);
    painter.translate(5, 5);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 0));
    const QRectF paper(0, 0, sheet_.sheetWidth, sheet_.sheetHeight);
    painter.fillRect(paper, Qt::white);
    painter.drawRect(paper);
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    for (int row = 0; row < std::clamp(sheet_.down, 0, 200); ++row)
        for (int column = 0; column < std::clamp(sheet_.across, 0, 200); ++column)
            painter.drawRect(QRectF(sheet_.left + column * sheet_.pitchAcross,
                                    sheet_.top + row * sheet_.pitchDown, sheet_.pieceWidth,
                                    sheet_.pieceHeight));
}

} // namespace tav
