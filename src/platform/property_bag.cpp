#include "property_bag.h"

#include "message_sink.h"
#include "tav_error.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QSaveFile>

namespace tav {

namespace {

// Numbers compare by value whatever their type, so a float 0 equals an int default of 0.
bool sameValue(const QVariant& a, const QVariant& b) {
    const auto numeric = [](const QVariant& v) {
        const int id = v.metaType().id();
        return id == QMetaType::Int || id == QMetaType::UInt || id == QMetaType::LongLong ||
               id == QMetaType::ULongLong || id == QMetaType::Double || id == QMetaType::Float ||
               id == QMetaType::Short || id == QMetaType::UShort;
    };
    if (numeric(a) && numeric(b))
        return a.toDouble() == b.toDouble();
    return a == b;
}

const QString kSource = QStringLiteral("JsonPropertyBag");

} // namespace

PropertyBag::~PropertyBag() = default;

QVariant MemoryPropertyBag::read(const QString& key, const QVariant& defaultValue) const {
    return values_.value(key, defaultValue);
}

void MemoryPropertyBag::write(const QString& key, const QVariant& value,
                              const QVariant& defaultValue) {
    if (defaultValue.isValid() && sameValue(value, defaultValue)) {
        if (values_.remove(key))
            order_.removeOne(key);
        return;
    }
    if (!values_.contains(key))
        order_.append(key);
    values_.insert(key, value);
}

bool MemoryPropertyBag::contains(const QString& key) const {
    return values_.contains(key);
}

void MemoryPropertyBag::clear() {
    values_.clear();
    order_.clear();
}

QByteArray JsonPropertyBag::toJson() const {
    QVariantMap map;
    for (const QString& key : keys())
        map.insert(key, read(key));
    return QJsonDocument(QJsonObject::fromVariantMap(map)).toJson(QJsonDocument::Compact);
}

void JsonPropertyBag::fromJson(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("not a property bag: %1 at offset %2")
                       .arg(error.errorString())
                       .arg(error.offset));
    if (!document.isObject())
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("not a property bag: the JSON text is not an object"));
    clear();
    const QVariantMap map = document.object().toVariantMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        write(it.key(), it.value());
}

void JsonPropertyBag::save(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson()) < 0 || !file.commit())
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
}

void JsonPropertyBag::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(ErrorNumber::PathFileAccess, kSource,
                   QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    fromJson(file.readAll());
}

QString designText(const std::function<void(PropertyBag&)>& write) {
    JsonPropertyBag bag;
    write(bag);
    return QString::fromUtf8(bag.toJson());
}

void readDesignText(const QString& design, const std::function<void(const PropertyBag&)>& read,
                    const QString& source) {
    if (design.isEmpty())
        return;
    JsonPropertyBag bag;
    try {
        bag.fromJson(design.toUtf8());
    } catch (const TavError& error) {
        showMessage(QStringLiteral("%1: the saved design cannot be read (%2); the control keeps "
                                   "its current design.")
                        .arg(source, error.detail()));
        return;
    }
    try {
        read(bag);
    } catch (const TavError& error) {
        showMessage(QStringLiteral("%1: the saved design cannot be used (%2); the control keeps "
                                   "its current design.")
                        .arg(source, error.description()));
    }
}

void notifyProperty(QObject& object, const QString& name) {
    const QMetaObject* meta = object.metaObject();
    const int index = meta->indexOfProperty(name.toLatin1().constData());
    if (index < 0)
        return;
    const QMetaMethod signal = meta->property(index).notifySignal();
    if (signal.isValid() && signal.parameterCount() == 0)
        signal.invoke(&object, Qt::DirectConnection);
}

} // namespace tav
