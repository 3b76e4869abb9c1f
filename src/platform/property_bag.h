#pragma once

#include "mailpiece_export.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace tav {

/// Sends `object`'s NOTIFY signal of the property `name` when it takes no arguments (the
/// controls connect their propertyChanged(name) to it, so that each property notifies).
MAILPIECE_EXPORT void notifyProperty(QObject& object, const QString& name);

/// Where a host keeps a control's properties between sessions: named values with defaults.
class MAILPIECE_EXPORT PropertyBag {
public:
    virtual ~PropertyBag();
    /// The value stored under `key`, or `defaultValue` when the bag has no such key.
    virtual QVariant read(const QString& key, const QVariant& defaultValue = {}) const = 0;
    /// Stores `value` under `key`; a value equal to a valid `defaultValue` is left out instead.
    virtual void write(const QString& key, const QVariant& value,
                       const QVariant& defaultValue = {}) = 0;
    /// Whether the bag holds a value under `key`.
    virtual bool contains(const QString& key) const = 0;
};

/// A bag in memory that remembers the order in which keys were first written.
class MAILPIECE_EXPORT MemoryPropertyBag : public PropertyBag {
public:
    QVariant read(const QString& key, const QVariant& defaultValue = {}) const override;
    void write(const QString& key, const QVariant& value,
               const QVariant& defaultValue = {}) override;
    bool contains(const QString& key) const override;

    /// The keys held, in the order of their first write.
    QStringList keys() const { return order_; }
    /// Removes every key.
    void clear();

private:
    QHash<QString, QVariant> values_;
    QStringList order_;
};

/// A bag kept as a JSON object; fonts and pictures are stored in their serialised forms.
class MAILPIECE_EXPORT JsonPropertyBag : public MemoryPropertyBag {
public:
    /// The bag as compact UTF-8 JSON, keys sorted, so equal bags give equal bytes.
    QByteArray toJson() const;
    /// Replaces the contents with `json`; raises a TavError and changes nothing if it is not a
    /// JSON object.
    void fromJson(const QByteArray& json);

    /// Writes the bag to `path` atomically (the old file stays whole if writing fails).
    void save(const QString& path) const;
    /// Replaces the contents with the file at `path`; raises a TavError if it cannot be read.
    void load(const QString& path);
};

/// A control's design as one JSON text (what Qt Designer keeps in a .ui file): the bag that
/// `write` fills, in JsonPropertyBag's form.
MAILPIECE_EXPORT QString designText(const std::function<void(PropertyBag&)>& write);
/// Hands the bag in the JSON text `design` to `read`. An empty text does nothing; a text that is
/// not a property bag is reported through the message sink (as coming from `source`) and
/// changes nothing, so a damaged form file still loads.
MAILPIECE_EXPORT void readDesignText(const QString& design,
                                     const std::function<void(const PropertyBag&)>& read,
                                     const QString& source);

} // namespace tav
