#include "tav_item_cls.h"

#include "tav_error.h"

namespace tav {

TavItemCls::TavItemCls()
    : font_(std::make_shared<TavFont>())
    , picture_(std::make_shared<TavPicture>()) {
}

void TavItemCls::setfont(std::shared_ptr<TavFont> font) {
    font_ = requireObject(std::move(font), QStringLiteral("TavItemCls:Font Property Set"));
    emit changed();
}

void TavItemCls::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ = requireObject(std::move(picture), QStringLiteral("TavItemCls:Picture Property Set"));
    emit changed();
}

std::shared_ptr<TavItemCls> TavItemCls::Copy() const {
    auto copy = std::make_shared<TavItemCls>();
    copy->setAlignHorizontal(AlignHorizontal());
    copy->setAlignVertical(AlignVertical());
    copy->setBackColor(BackColor());
    copy->setEnabled(Enabled());
    copy->setHeight(Height());
    copy->setLeft1(Left1());
    copy->setLineSpacing(LineSpacing());
    copy->setTextControl(TextControl());
    copy->setTextSubstitute(TextSubstitute());
    copy->setVisible(Visible());
    copy->setWidth(Width());
    copy->setWrap(Wrap());
    copy->setTop(Top());
    copy->setBorderStyle(BorderStyle());

    // Font attributes one by one into the copy's own font; the character set stays the new one's.
    TavFont& target = *copy->font();
    target.setName(font_->Name());
    target.setSize(font_->Size());
    target.setBold(font_->Bold());
    target.setItalic(font_->Italic());
    target.setUnderline(font_->Underline());
    target.setStrikethrough(font_->Strikethrough());
    target.setWeight(font_->Weight());

    copy->setPicture(picture_);
    return copy;
}

} // namespace tav
