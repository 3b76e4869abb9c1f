#include "tav_picture.h"

#include <QBuffer>

namespace tav {

namespace {
const QString kPng = QStringLiteral("png");
const QString kPicture = QStringLiteral("picture");
} // namespace

QSize TavPicture::sizeTwips() const {
    const auto twips = [](int pixels, int dotsPerMeter) {
        const double dpi = dotsPerMeter > 0 ? dotsPerMeter * 0.0254 : 96.0;
        return qRound(pixels * 1440.0 / dpi);
    };
    return {twips(image_.width(), image_.dotsPerMeterX()),
            twips(image_.height(), image_.dotsPerMeterY())};
}

QVariantMap TavPicture::toVariant() const {
    QByteArray png;
    if (!image_.isNull()) {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image_.save(&buffer, "PNG");
    }
    return {{kPicture, true}, {kPng, QString::fromLatin1(png.toBase64())}};
}

std::shared_ptr<TavPicture> TavPicture::fromVariant(const QVariant& value) {
    const QVariantMap map = value.toMap();
    if (!map.value(kPicture).toBool())
        return nullptr;
    auto picture = std::make_shared<TavPicture>();
    const QByteArray png = QByteArray::fromBase64(map.value(kPng).toString().toLatin1());
    if (!png.isEmpty()) {
        QImage image;
        if (!image.loadFromData(png, "PNG"))
            return nullptr;
        picture->setImage(image);
    }
    return picture;
}

} // namespace tav
