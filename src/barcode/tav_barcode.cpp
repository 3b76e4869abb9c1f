#include "tav_barcode.h"

#include "bar_drawing.h"
#include "printer.h"
#include "tav_error.h"
#include "tav_meta_cls.h"
#include "units.h"

#include <QLabel>
#include <QPainter>

namespace tav {

TavBarcode::TavBarcode(QWidget* parent)
    : RenderChild(parent)
    , picture_(std::make_shared<TavPicture>())
    , caption_label_(new QLabel(this)) {
    caption_label_->setObjectName(QStringLiteral("lblCaption"));
    caption_label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    setBarCode(QStringLiteral("45678"));
    // Never shorter than a full bar, however it is sized (a host's or Designer's resize too).
    const qint32 pixel = twipsPerPixel(*this);
    setMinimumHeight((metrics().fullHeight + pixel - 1) / pixel);
    setTwipsGeometry(0, 0, 1440, metrics().fullHeight);
}

const BarMetrics& TavBarcode::metrics() const {
    return barMetrics(symbology_);
}

void TavBarcode::encode() {
    pattern_ = encodeBars(symbology_, value_);
}

BarFace TavBarcode::face() const {
    return {symbology_,       pattern_,       widthTwips(), heightTwips(),
            alignHorizontal_, alignVertical_, backColor_,   printWhiteBacks_};
}

void TavBarcode::setBarCode(const QString& value) {
    value_ = value;
    encode();
    caption_label_->setText(value);
    update();
}

void TavBarcode::setSymbology(qint16 symbology) {
    if (symbology == symbology_)
        return;
    symbology_ = symbology;
    encode();
    const qint32 pixel = twipsPerPixel(*this);
    setMinimumHeight((metrics().fullHeight + pixel - 1) / pixel);
    setTwipsGeometry(leftTwips(), topTwips(), widthTwips(), heightTwips());
    update();
}

void TavBarcode::setAlignHorizontal(qint16 alignment) {
    alignHorizontal_ = alignment;
    update();
}

void TavBarcode::setAlignVertical(qint16 alignment) {
    alignVertical_ = alignment;
    update();
}

void TavBarcode::setCaptionVisible(bool on) {
    captionVisible_ = on;
    caption_label_->setVisible(on);
    update();
}

void TavBarcode::setForeColor(OleColor color) {
    foreColor_ = color;
    QPalette palette = caption_label_->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    caption_label_->setPalette(palette);
    update();
}

void TavBarcode::setBackColor(OleColor color) {
    backColor_ = color;
    update();
}

void TavBarcode::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ = requireObject(std::move(picture), QStringLiteral("TavBarcode:Picture Property Set"));
}

void TavBarcode::setAlignment(qint16 alignment) {
    alignment_ = alignment;
    update();
}

void TavBarcode::setTwipsGeometry(qint32 left, qint32 top, qint32 width, qint32 height) {
    RenderChild::setTwipsGeometry(left, top, width, std::max(height, metrics().fullHeight));
}

void TavBarcode::MFRender(TavMetaCls& meta, qint32 left, qint32 top) {
    recordBars(meta, face(), left, top);
}

void TavBarcode::PrintSelf(qint32 left, qint32 top) {
    printBars(currentPrinter(), face(), left, top);
}

void TavBarcode::resizeEvent(QResizeEvent* event) {
    RenderChild::resizeEvent(event);
    const QFontMetrics metrics(caption_label_->font());
    caption_label_->setGeometry(0, height() - metrics.height(), width(), metrics.height());
}

} // namespace tav
