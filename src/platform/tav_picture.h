#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"

#include <QImage>
#include <QObject>
#include <QVariantMap>

namespace tav {

/// A picture object: an image shared by reference between records (a copied record shares it).
class MAILPIECE_EXPORT TavPicture : public QObject {
    Q_OBJECT
    Q_PROPERTY(QImage Image READ Image WRITE setImage)
    Q_PROPERTY(bool Empty READ isEmpty)

public:
    TavPicture() = default;

    /// The picture's image; a null image for an empty picture.
    QImage Image() const { return image_; }
    void setImage(const QImage& image) { image_ = image; }
    bool isEmpty() const { return image_.isNull(); }
    /// The image's own size in twips, from its resolution (96 dots per inch when it has none).
    QSize sizeTwips() const;

    /// The stable serialised form used in property bags: the image as base64 PNG ("" if empty).
    QVariantMap toVariant() const;
    /// A picture rebuilt from toVariant()'s form; null when `value` is not a serialised picture.
    static std::shared_ptr<TavPicture> fromVariant(const QVariant& value);

private:
    QImage image_;
};

} // namespace tav
