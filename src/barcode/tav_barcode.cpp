#include "tav_barcode.h"

#include "intelligent_mail.h"
#include "postnet.h"
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

bool TavBarcode::intelligentMail() const {
    return symbology_ == TavEnumCls::TavIntelligentMail;
}

const BarMetrics& TavBarcode::metrics() const {
    return intelligentMail() ? IntelligentMail::Metrics : Postnet::Metrics;
}

void TavBarcode::encode() {
    pattern_ = intelligentMail() ? IntelligentMail::EncodePieceValue(value_)
                                 : Postnet::EncodePostnet(value_);
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

std::vector<QRect> TavBarcode::barBoxes(qint32 left, qint32 top) const {
    const BarLayout layout =
        placeBars(static_cast<qint32>(pattern_.size()), metrics(), left, top, widthTwips(),
                  heightTwips(), alignHorizontal_, alignVertical_);
    std::vector<QRect> bars;
    bars.reserve(layout.starts.size());
    for (std::size_t k = 0; k < layout.starts.size(); ++k) {
        if (intelligentMail()) {
            const auto extent = IntelligentMail::barExtent(pattern_.at(k));
            bars.emplace_back(layout.starts[k], layout.baseline - extent.top,
                              IntelligentMail::BarWidth, extent.top - extent.bottom);
        } else {
            const qint32 height = pattern_.at(k) == QLatin1Char('1') ? Postnet::FullBarHeight
                                                                     : Postnet::HalfBarHeight;
            bars.emplace_back(layout.starts[k], layout.baseline - height, Postnet::PrintedBarWidth,
                              height);
        }
    }
    return bars;
}

void TavBarcode::MFRender(TavMetaCls& meta, qint32 left, qint32 top) {
    meta.setBorderColor(OleColors::ButtonShadow); // a quiet outline of the box
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setFillColor(backColor_);
    meta.DrawRect(left, top, widthTwips(), heightTwips(), true);

    // Filled boxes of the printed size, so that the screen shows what the paper gets.
    meta.setBorderColor(OleColors::Black);
    meta.setFillColor(OleColors::Black);
    meta.setBorderStyle(TavEnumCls::moNone);
    meta.setBorderWidth(1);
    for (const QRect& bar : barBoxes(left, top))
        meta.DrawShape(TavEnumCls::moSquare, bar.x(), bar.y(), bar.width(), bar.height());
}

void TavBarcode::PrintSelf(qint32 left, qint32 top) {
    Printer& printer = printBox(left, top, printWhiteBacks_, backColor_, nullptr, false);
    std::vector<QRect> bars = barBoxes(left, top);
    if (bars.empty())
        return;
    // The 65 bars of the Intelligent Mail barcode as one operation: a box each would make them
    // the costliest part of a page.
    if (intelligentMail()) {
        printer.FilledBoxes(std::move(bars), OleColors::Black);
        return;
    }
    for (const QRect& bar : bars)
        printer.Box(bar.x(), bar.y(), bar.width(), bar.height(), OleColors::Black, true);
}

void TavBarcode::resizeEvent(QResizeEvent* event) {
    RenderChild::resizeEvent(event);
    const QFontMetrics metrics(caption_label_->font());
    caption_label_->setGeometry(0, height() - metrics.height(), width(), metrics.height());
}

} // namespace tav
