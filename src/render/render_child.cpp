#include "render_child.h"

#include "item_drawing.h"
#include "message_sink.h"
#include "printer.h"
#include "tav_error.h"
#include "tav_meta_cls.h"
#include "tav_picture.h"
#include "units.h"

#include <QPainter>

namespace tav {

RenderChild::RenderChild(QWidget* parent)
    : QWidget(parent) {
}

void RenderChild::setTwipsGeometry(qint32 left, qint32 top, qint32 width, qint32 height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(twipsToPixels(QRect(left, top, width, height), twipsPerPixel(*this)));
}

Printer& RenderChild::printBox(qint32 left, qint32 top, bool whiteBack, quint32 back,
                               const TavPicture* picture, bool border) const {
    Printer& printer = currentPrinter();
    printBoxOn(printer, left, top, width_, height_, whiteBack, back, picture, border);
    return printer;
}

void reportNotDrawn(const QString& name) {
    showMessage(
        QStringLiteral("BrixPieceMFRender: Control not drawn = ") + name + QLatin1Char('\r') +
        QStringLiteral("   ...currently controls in container MUST have a .PrintSelf method"));
}

void RenderChild::paintEvent(QPaintEvent*) {
    if (paintHeld() || painting_)
        return;
    painting_ = true;
    TavMetaCls meta;
    meta.CreateMetaObject(this);
    QPainter painter(this);
    try {
        MFRender(meta, 0, 0);
        meta.play(painter, *this, 100);
    } catch (const TavError&) {
        // The face keeps what was drawn; drawing into a piece or printing reports such errors.
    }
    painting_ = false;
    emit Paint();
}

} // namespace tav
