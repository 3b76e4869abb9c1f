#include "render_child.h"

#include "tav_error.h"
#include "tav_meta_cls.h"

#include <QPainter>

namespace tav {

namespace {
constexpr qint32 kScreenTwipsPerPixel = 15;
} // namespace

RenderChild::RenderChild(QWidget* parent)
    : QWidget(parent) {
}

void RenderChild::setTwipsGeometry(qint32 left, qint32 top, qint32 width, qint32 height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(left / kScreenTwipsPerPixel, top / kScreenTwipsPerPixel,
                std::max(1, width / kScreenTwipsPerPixel),
                std::max(1, height / kScreenTwipsPerPixel));
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
