#include "tav_meta_cls.h"

#include "tav_error.h"
#include "units.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPaintDevice>
#include <QPainter>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavMetaCls");

QString typeNameOf(QObject* object) {
    const QVariant declared = object->property("TypeName");
    if (declared.isValid())
        return declared.toString();
    if (qobject_cast<QLabel*>(object))
        return QStringLiteral("Label");
    if (qobject_cast<QLineEdit*>(object))
        return QStringLiteral("TextBox");
    if (object->metaObject()->indexOfProperty("Image") >= 0)
        return QStringLiteral("PictureBox");
    return object->metaObject()->className();
}

// A twips value of the object (Left1, Top, Width, …), or the widget's own geometry in twips.
qint32 objectTwips(QObject* object, const char* name, qint32 twipsPerPixel) {
    const QVariant value = object->property(name);
    if (value.isValid())
        return roundToInt(value.toDouble(), kSource);
    if (auto* widget = qobject_cast<QWidget*>(object)) {
        const QRect g = widget->geometry();
        const QByteArray n(name);
        const int pixels = n == "Left1"   ? g.x()
                           : n == "Top"   ? g.y()
                           : n == "Width" ? g.width()
                                          : g.height();
        return checkedMultiply(pixels, twipsPerPixel, kSource);
    }
    return 0;
}

} // namespace

bool TavMetaCls::CreateMetaObject(QPaintDevice* device) {
    if (finished_)
        DeleteMetaObject();
    if (recording_ || device == nullptr)
        return false;
    const double dpiX = device->logicalDpiX();
    const double dpiY = device->logicalDpiY();
    const double physicalX = device->physicalDpiX() > 0 ? device->physicalDpiX() : dpiX;
    const double physicalY = device->physicalDpiY() > 0 ? device->physicalDpiY() : dpiY;
    // A device of more than 2880 dots per inch still needs a whole, non-zero twips per pixel.
    twipsPerPixelX_ = std::max(1, roundToInt(checkedDivide(TwipsPerInch, dpiX, kSource), kSource));
    twipsPerPixelY_ = std::max(1, roundToInt(checkedDivide(TwipsPerInch, dpiY, kSource), kSource));
    logicalDpiY_ = dpiY;

    data_ = MetaRecording{};
    data_.framePixels = QRect(0, 0, device->width(), device->height());
    data_.frameHundredthsMm =
        QRect(QPoint(0, 0), QPoint(roundToInt(device->width() * 2540.0 / physicalX, kSource),
                                   roundToInt(device->height() * 2540.0 / physicalY, kSource)));
    data_.referenceDpiX = physicalX;
    data_.referenceDpiY = physicalY;
    recording_ = true;
    return true;
}

qint32 TavMetaCls::toPixelsX(qint32 twips) const {
    return roundToInt(static_cast<double>(twips) / twipsPerPixelX_, kSource);
}

qint32 TavMetaCls::toPixelsY(qint32 twips) const {
    return roundToInt(static_cast<double>(twips) / twipsPerPixelY_, kSource);
}

QPointF TavMetaCls::exactPixels(qint32 x, qint32 y) const {
    return {x / static_cast<double>(twipsPerPixelX_), y / static_cast<double>(twipsPerPixelY_)};
}

void TavMetaCls::addOp(MetaOp op) {
    if (recording_)
        data_.ops.push_back(std::move(op));
}

void TavMetaCls::setForeColor(double color) {
    foreColor_ = std::nearbyint(color);
}

MetaFont TavMetaCls::currentFont() const {
    MetaFont font;
    font.face = fontName_;
    font.emHeight = fontSize_ * logicalDpiY_ / 72.0;
    font.weight = weight_;
    font.italic = italic_;
    font.underline = underline_;
    font.strikeout = strikethrough_;
    font.escapement = escapement_;
    return font;
}

qint32 TavMetaCls::GetBorderStyleAPI(qint32 style) {
    switch (style) {
    case 0:
        return 5;
    case 1:
        return 0;
    case 2:
        return 1;
    case 3:
        return 2;
    case 4:
        return 3;
    case 5:
        return 4;
    case 6:
        return 6;
    default:
        return 0;
    }
}

qint32 TavMetaCls::DrawShape(TavEnumCls::Shapes, qint32 left, qint32 top, qint32 width,
                             qint32 height) {
    // Both shapes are drawn as rectangles.
    if (!recording_)
        return -1;
    MetaOp op;
    op.kind = MetaOp::Rectangle;
    op.rect = QRect(QPoint(toPixelsX(left), toPixelsY(top)),
                    QPoint(toPixelsX(checkedAdd(left, width, kSource)),
                           toPixelsY(checkedAdd(top, height, kSource))));
    // QRect's right and bottom are inclusive; the recorded corners exclude them.
    op.rect.adjust(0, 0, -1, -1);
    // A fill without an outline (a bar) keeps its fractions of a pixel: zoomed in, whole pixels
    // would stand it off where paper prints it.
    if (borderStyle_ == TavEnumCls::moNone)
        op.exact = QRectF(exactPixels(left, top), exactPixels(checkedAdd(left, width, kSource),
                                                              checkedAdd(top, height, kSource)));
    op.pen = {borderStyle_, borderWidth_, borderColor_};
    op.fill = fillColor_;
    addOp(std::move(op));
    return -1;
}

qint32 TavMetaCls::DrawLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2) {
    if (!recording_)
        return 0;
    MetaOp op;
    op.kind = MetaOp::Line;
    op.from = QPoint(toPixelsX(x1), toPixelsY(y1));
    op.to = QPoint(toPixelsX(x2), toPixelsY(y2));
    op.pen = {borderStyle_, borderWidth_, borderColor_};
    addOp(std::move(op));
    return 0;
}

qint32 TavMetaCls::DrawText(const QString& text, qint32 left, qint32 top, qint32, qint32) {
    if (!recording_)
        return 0;
    MetaOp op;
    op.kind = MetaOp::Text;
    op.from = QPoint(toPixelsX(left), toPixelsY(top));
    // Zoomed in, a whole pixel would stand the line up to half a pixel of the recording off.
    op.exactFrom = exactPixels(left, top);
    op.text = text;
    op.font = currentFont();
    op.textColor = static_cast<OleColor>(static_cast<qint64>(foreColor_));
    op.backColor = backColor_;
    op.backMode = backStyle_;
    currentX_ = checkedMultiply(op.from.x(), twipsPerPixelX_, kSource);
    currentY_ = checkedMultiply(op.from.y(), twipsPerPixelY_, kSource);
    addOp(std::move(op));
    return 0;
}

void TavMetaCls::DrawRect(qint32 left, qint32 top, qint32 width, qint32 height, bool fill) {
    const qint32 right = checkedAdd(left, width, kSource);
    const qint32 bottom = checkedAdd(top, height, kSource);
    if (fill) {
        const qint32 style = borderStyle_;
        const OleColor color = borderColor_;
        const qint16 penWidth = borderWidth_;
        borderColor_ = fillColor_;
        borderStyle_ = 0;
        borderWidth_ = 1;
        // One twip wider and eight taller, so that no gap shows below the fill at low zoom.
        DrawShape(TavEnumCls::moSquare, left, top, checkedAdd(width, 1, kSource),
                  checkedAdd(height, 8, kSource));
        borderStyle_ = style;
        borderColor_ = color;
        borderWidth_ = penWidth;
    }
    DrawLine(left, top, right, top);
    DrawLine(right, top, right, bottom);
    DrawLine(left, bottom, right, bottom);
    DrawLine(left, top, left, bottom);
}

qint32 TavMetaCls::DrawGivenObject(QObject* object, std::optional<qint32> left,
                                   std::optional<qint32> top, std::optional<qint32> width,
                                   std::optional<qint32> height) {
    if (object == nullptr)
        return 999;
    const QString type = typeNameOf(object);
    const auto twips = [&](const std::optional<qint32>& given, const char* name) {
        return given ? *given : objectTwips(object, name, 1);
    };
    // Widgets without twip properties measure in pixels: take them as twips of this surface.
    const auto widgetTwips = [&](const std::optional<qint32>& given, const char* name, bool x) {
        if (given || object->property(name).isValid())
            return twips(given, name);
        return objectTwips(object, name, x ? twipsPerPixelX_ : twipsPerPixelY_);
    };
    const qint32 l = widgetTwips(left, "Left1", true);
    const qint32 t = widgetTwips(top, "Top", false);
    if (type == QLatin1String("PictureBox") || type == QLatin1String("TextBox") ||
        type == QLatin1String("Label")) {
        const qint32 w = widgetTwips(width, "Width", true);
        const qint32 h = widgetTwips(height, "Height", false);
        const QRect pixels(toPixelsX(l), toPixelsY(t), toPixelsX(w), toPixelsY(h));
        return type == QLatin1String("PictureBox")
                   ? drawPicture(object, pixels)
                   : drawCaption(object, pixels.topLeft(), type == QLatin1String("TextBox"));
    }
    if (type == QLatin1String("Line")) {
        const qint32 x1 = left ? *left : objectTwips(object, "X1", 1);
        const qint32 y1 = top ? *top : objectTwips(object, "Y1", 1);
        const qint32 x2 = width ? *width : objectTwips(object, "X2", 1);
        const qint32 y2 = height ? *height : objectTwips(object, "Y2", 1);
        return drawLineObject(object, QRect(QPoint(toPixelsX(x1), toPixelsY(y1)),
                                            QPoint(toPixelsX(x2), toPixelsY(y2))));
    }
    if (type == QLatin1String("Shape")) {
        const qint32 w = twips(width, "Width");
        const qint32 h = twips(height, "Height");
        return drawShapeObject(object, QRect(QPoint(toPixelsX(l), toPixelsY(t)),
                                             QPoint(toPixelsX(checkedAdd(l, w, kSource)),
                                                    toPixelsY(checkedAdd(t, h, kSource)))));
    }
    return 999;
}

qint32 TavMetaCls::drawPicture(QObject* object, QRect pixels) {
    const QImage image = object->property("Image").value<QImage>();
    if (!image.isNull()) {
        MetaOp op;
        op.kind = MetaOp::Image;
        op.rect = pixels;
        op.image = image;
        addOp(std::move(op));
    }
    return 0;
}

qint32 TavMetaCls::drawCaption(QObject* object, QPoint at, bool textBox) {
    auto* widget = qobject_cast<QWidget*>(object);
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        text = edit->text();
    else if (auto* label = qobject_cast<QLabel*>(object))
        text = label->text();
    else
        text = object->property(textBox ? "Text" : "Caption").toString();
    MetaOp op;
    op.kind = MetaOp::Text;
    op.from = at;
    op.text = text;
    if (widget) {
        const QFont font = widget->font();
        op.font.face = font.family();
        op.font.emHeight =
            font.pointSizeF() > 0 ? font.pointSizeF() * logicalDpiY_ / 72.0 : font.pixelSize();
        op.font.weight = font.bold() ? 700 : 400;
        op.font.italic = font.italic();
        op.font.underline = font.underline();
        op.font.strikeout = font.strikeOut();
        const QColor fore = widget->palette().color(widget->foregroundRole());
        const QColor back = widget->palette().color(widget->backgroundRole());
        op.textColor = static_cast<OleColor>(fore.red() | fore.green() << 8 | fore.blue() << 16);
        op.backColor = static_cast<OleColor>(back.red() | back.green() << 8 | back.blue() << 16);
    }
    op.backMode = backStyle_;
    currentX_ = checkedMultiply(at.x(), twipsPerPixelX_, kSource);
    currentY_ = checkedMultiply(at.y(), twipsPerPixelY_, kSource);
    addOp(std::move(op));
    return 0;
}

qint32 TavMetaCls::drawLineObject(QObject* object, QRect ends) {
    MetaOp op;
    op.kind = MetaOp::Line;
    op.from = ends.topLeft();
    op.to = ends.bottomRight();
    op.pen = {GetBorderStyleAPI(object->property("BorderStyle").toInt()),
              static_cast<qint16>(object->property("BorderWidth").toInt()),
              object->property("BorderColor").toUInt()};
    addOp(std::move(op));
    return 0;
}

qint32 TavMetaCls::drawShapeObject(QObject* object, QRect corners) {
    // Every shape is drawn as a rectangle, whatever its own shape.
    MetaOp op;
    op.kind = MetaOp::Rectangle;
    op.rect = corners.adjusted(0, 0, -1, -1);
    op.pen = {GetBorderStyleAPI(object->property("BorderStyle").toInt()),
              static_cast<qint16>(object->property("BorderWidth").toInt()),
              object->property("BorderColor").toUInt()};
    op.fill = object->property("FillColor").toUInt();
    addOp(std::move(op));
    return 0;
}

void TavMetaCls::CloseMetaObject() {
    if (recording_) {
        recording_ = false;
        finished_ = true;
    }
}

bool TavMetaCls::DeleteMetaObject() {
    finished_ = false;
    if (!recording_)
        data_ = MetaRecording{};
    return false;
}

bool TavMetaCls::PrintMetaObject(QPaintDevice* device, qint16 size) {
    if (device == nullptr)
        return false;
    QPainter painter;
    if (!painter.begin(device))
        return false;
    play(painter, *device, size);
    return false;
}

void TavMetaCls::play(QPainter& painter, const QPaintDevice& target, qint16 size) {
    if (!finished_)
        CloseMetaObject();
    if (!finished_)
        return;
    const double targetDpiX =
        target.physicalDpiX() > 0 ? target.physicalDpiX() : target.logicalDpiX();
    const double targetDpiY =
        target.physicalDpiY() > 0 ? target.physicalDpiY() : target.logicalDpiY();
    if (targetDpiX <= 0 || targetDpiY <= 0)
        return; // playback ignores what it cannot do
    const double zoom = size / 100.0;
    const QPointF offset(data_.frameHundredthsMm.left() * targetDpiX / 2540.0 * zoom,
                         data_.frameHundredthsMm.top() * targetDpiY / 2540.0 * zoom);
    const QPointF scale(targetDpiX / data_.referenceDpiX * zoom,
                        targetDpiY / data_.referenceDpiY * zoom);
    data_.play(painter, QPointF(std::nearbyint(offset.x()), std::nearbyint(offset.y())), scale);
}

} // namespace tav
