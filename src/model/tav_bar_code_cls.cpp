#include "tav_bar_code_cls.h"

#include "tav_error.h"

namespace tav {

TavBarCodeCls::TavBarCodeCls()
    : picture_(std::make_shared<TavPicture>()) {
}

void TavBarCodeCls::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ =
        requireObject(std::move(picture), QStringLiteral("TavBarCodeCls:Picture Property Set"));
}

std::shared_ptr<TavBarCodeCls> TavBarCodeCls::Copy() const {
    auto copy = std::make_shared<TavBarCodeCls>();
    copy->setAlignHorizontal(AlignHorizontal());
    copy->setAlignVertical(AlignVertical());
    copy->setAutoSize(AutoSize());
    copy->setEnabled(Enabled());
    copy->setHeight(Height());
    copy->setLeft1(Left1());
    copy->setVisible(Visible());
    copy->setWidth(Width());
    copy->setTop(Top());
    copy->setBackColor(BackColor());
    copy->setBorderStyle(BorderStyle());
    copy->setValue(Value());
    copy->setPicture(picture_);
    return copy;
}

} // namespace tav
