#include "meta_recording.h"

#include "pen_style.h"
#include "tav_font.h"

#include <QFontMetricsF>
#include <QPainter>

namespace tav {

namespace {

// Playback runs in sixteenths of a reference pixel, so that fonts, whose pixel sizes are whole
// numbers, keep their recorded size at any zoom.
constexpr double kSubPixels = 16;

QPen qtPen(const MetaPen& pen) {
    // Width 0 draws one device pixel wide, as the platform's pens do.
    QPen result(toQColor(pen.color), pen.width <= 0 ? 0.0 : pen.width * kSubPixels,
                qtPenStyle(pen.style), Qt::SquareCap, Qt::MiterJoin);
    if (pen.width <= 0)
        result.setCosmetic(true);
    return result;
}

QFont qtFont(const MetaFont& font) {
    QFont result(font.face);
    const double pixels = font.emHeight * kSubPixels;
    result.setPixelSize(std::isfinite(pixels) ? static_cast<int>(std::clamp(pixels, 1.0, 32767.0))
                                              : 1);
    result.setBold(isBoldWeight(font.weight));
    result.setItalic(font.italic);
    result.setUnderline(font.underline);
    result.setStrikeOut(font.strikeout);
    result.setKerning(false);
    return result;
}

void playOne(QPainter& painter, const MetaOp& op) {
    const auto at = [](QPoint p) { return QPointF(p) * kSubPixels; };
    switch (op.kind) {
    case MetaOp::Rectangle: {
        const QRectF area =
            op.exact.isValid()
                ? QRectF(op.exact.topLeft() * kSubPixels, op.exact.size() * kSubPixels)
                : QRectF(at(op.rect.topLeft()),
                         QSizeF(op.rect.width(), op.rect.height()) * kSubPixels);
        painter.fillRect(area, toQColor(op.fill));
        if (op.pen.style != 5) {
            const double half = std::max<int>(op.pen.width, 1) * kSubPixels / 2;
            painter.setPen(qtPen(op.pen));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(half, half, -half, -half));
        }
        break;
    }
    case MetaOp::Line:
        if (op.pen.style == 5)
            break;
        painter.setPen(qtPen(op.pen));
        painter.drawLine(at(op.from) + QPointF(kSubPixels / 2, kSubPixels / 2),
                         at(op.to) + QPointF(kSubPixels / 2, kSubPixels / 2));
        break;
    case MetaOp::Text: {
        const QFont font = qtFont(op.font);
        const QFontMetricsF metrics(font);
        painter.save();
        painter.translate(op.exactFrom ? *op.exactFrom * kSubPixels : at(op.from));
        if (op.font.escapement != 0)
            painter.rotate(-op.font.escapement / 10.0);
        if (op.backMode == 2)
            painter.fillRect(QRectF(0, 0, metrics.horizontalAdvance(op.text), metrics.height()),
                             toQColor(op.backColor));
        painter.setFont(font);
        painter.setPen(toQColor(op.textColor));
        painter.drawText(QPointF(0, metrics.ascent()), op.text);
        painter.restore();
        break;
    }
    case MetaOp::Image:
        painter.drawImage(
            QRectF(at(op.rect.topLeft()), QSizeF(op.rect.width(), op.rect.height()) * kSubPixels),
            op.image);
        break;
    }
}

} // namespace

void MetaRecording::play(QPainter& painter, QPointF offset, QPointF scale) const {
    painter.save();
    painter.translate(offset);
    painter.scale(scale.x() / kSubPixels, scale.y() / kSubPixels);
    for (const MetaOp& op : ops)
        playOne(painter, op);
    painter.restore();
}

} // namespace tav
