#include "tav_font.h"

#include "tav_error.h"

namespace tav {

namespace {
const QString kName = QStringLiteral("name");
const QString kSize = QStringLiteral("size");
const QString kItalic = QStringLiteral("italic");
const QString kUnderline = QStringLiteral("underline");
const QString kStrikethrough = QStringLiteral("strikethrough");
const QString kWeight = QStringLiteral("weight");
const QString kCharset = QStringLiteral("charset");
} // namespace

TavFont::TavFont()
    : name_(QStringLiteral("Arial"))
    , size_(10.0)
    , weight_(400) {
}

void TavFont::setSize(double points) {
    if (!(points > 0 && points <= 1638))
        raiseError(
            ErrorNumber::InvalidPropertyValue, QStringLiteral("TavFont:Size Property Let"),
            QStringLiteral("a font size is above 0 and at most 1638 points, not %1").arg(points));
    size_ = points;
}

QVariantMap TavFont::toVariant() const {
    return {{kName, name_},
            {kSize, size_},
            {kItalic, italic_},
            {kUnderline, underline_},
            {kStrikethrough, strikethrough_},
            {kWeight, int(weight_)},
            {kCharset, int(charset_)}};
}

std::shared_ptr<TavFont> TavFont::fromVariant(const QVariant& value) {
    const QVariantMap map = value.toMap();
    if (!map.contains(kName) || !map.contains(kSize))
        return nullptr;
    auto font = std::make_shared<TavFont>();
    font->setName(map.value(kName).toString());
    font->setSize(map.value(kSize).toDouble());
    font->setItalic(map.value(kItalic).toBool());
    font->setUnderline(map.value(kUnderline).toBool());
    font->setStrikethrough(map.value(kStrikethrough).toBool());
    font->setWeight(static_cast<qint16>(map.value(kWeight, 400).toInt()));
    font->setCharset(static_cast<qint16>(map.value(kCharset).toInt()));
    return font;
}

} // namespace tav
