#include "tav_bar_code_cls.h"

#include "intelligent_mail_fields.h"
#include "tav_error.h"

namespace tav {

TavBarCodeCls::TavBarCodeCls()
    : picture_(std::make_shared<TavPicture>()) {
}

void TavBarCodeCls::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ =
        requireObject(std::move(picture), QStringLiteral("TavBarCodeCls:Picture Property Set"));
    emit changed();
}

void TavBarCodeCls::setSymbology(TavSymbology symbology) {
    if (symbology < TavEnumCls::TavPostnet || symbology > TavEnumCls::TavAustraliaPost)
        raiseError(ErrorNumber::InvalidPropertyValue,
                   QStringLiteral("TavBarCodeCls:Symbology Property Let"),
                   QStringLiteral("Symbology is %1; it is 0 (POSTNET), 1 (Intelligent Mail), 2 "
                                  "(Royal Mail), 3 (KIX) or 4 (Australia Post)")
                       .arg(static_cast<qint32>(symbology)));
    symbology_ = symbology;
    emit changed();
}

void TavBarCodeCls::setTrackingCode(const QString& trackingCode) {
    if (!trackingCode.isEmpty()) {
        const QString problem = IntelligentMail::trackingCodeProblem(trackingCode);
        if (!problem.isEmpty())
            raiseError(ErrorNumber::InvalidPropertyValue,
                       QStringLiteral("TavBarCodeCls:TrackingCode Property Let"),
                       QStringLiteral("TrackingCode ") + problem);
    }
    trackingCode_ = trackingCode;
    emit changed();
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
    copy->symbology_ = symbology_;
    copy->trackingCode_ = trackingCode_;
    copy->setPicture(picture_);
    return copy;
}

} // namespace tav
