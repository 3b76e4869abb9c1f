#include "tav_item.h"

#include "printer.h"
#include "str_lib.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_meta_cls.h"
#include "units.h"

#include <QPainter>

namespace tav {

namespace {
const QString kSource = QStringLiteral("TavItem");
} // namespace

TavItem::TavItem(QWidget* parent)
    : RenderChild(parent)
    , font_(std::make_shared<TavFont>())
    , picture_(std::make_shared<TavPicture>()) {
}

void TavItem::setBackStyle(qint16 style) {
    backStyle_ = style;
    update();
}

void TavItem::setfont(std::shared_ptr<TavFont> font) {
    font_ = requireObject(std::move(font), QStringLiteral("TavItem:Font Property Set"));
}

void TavItem::setAlignVertical(qint16 alignment) {
    alignVertical_ = alignment;
    update();
}

void TavItem::setTextControl(const QString& text) {
    textControl_ = text;
    update();
}

void TavItem::setTextSubstitute(const QString& text) {
    textSubstitute_ = text;
    update();
}

void TavItem::setForeColor(OleColor color) {
    foreColor_ = color;
    update();
}

void TavItem::setBackColor(OleColor color) {
    backColor_ = color;
    update();
}

void TavItem::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ = requireObject(std::move(picture), QStringLiteral("TavItem:Picture Property Set"));
}

void TavItem::setBorderStyle(qint16 style) {
    borderStyle_ = style;
}

void TavItem::setAlignHorizontal(qint16 alignment) {
    alignHorizontal_ = alignment;
}

void TavItem::loadRecord(const TavItemCls& record) {
    setTextControl(record.TextControl());
    setAlignHorizontal(static_cast<qint16>(record.AlignHorizontal()));
    setAlignVertical(static_cast<qint16>(record.AlignVertical()));
    setBackColor(record.BackColor());
    setBorderStyle(static_cast<qint16>(record.BorderStyle()));
    setEnabled(record.Enabled());
    setLineSpacing(static_cast<qint16>(roundToInt(record.LineSpacing(), kSource)));
    setWrap(record.Wrap());
    setPicture(record.Picture());
    setfont(record.font());
}

QString TavItem::composedText() const {
    return StrLib::SubstituteTokens(textControl_, textSubstitute_, QStringLiteral("^"),
                                    QStringLiteral("|"));
}

ItemFace TavItem::face() const {
    return {widthTwips(),   heightTwips(),    backStyle_,     backColor_,
            borderStyle_,   alignHorizontal_, alignVertical_, font_.get(),
            picture_.get(), printWhiteBacks_, fitMinimum_};
}

void TavItem::MFRender(TavMetaCls& meta, qint32 left, qint32 top) {
    recordItem(meta, face(), composedText(), left, top);
}

void TavItem::PrintSelf(qint32 left, qint32 top) {
    printItem(currentPrinter(), face(), composedText(), left, top);
}

void TavItem::RenderSelf(QPaintDevice* device, qint32 top, qint32 left, qint16 size) {
    TavMetaCls meta;
    if (!meta.CreateMetaObject(device))
        return;
    MFRender(meta, left, top);
    meta.PrintMetaObject(device, size);
}

} // namespace tav
