#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

namespace tav {

/// Whether a stroke weight (1 to 1000) reads as bold.
constexpr bool isBoldWeight(int weight) {
    return weight > 550;
}

/// A font object: the text attributes of an item, shared by reference between records.
class MAILPIECE_EXPORT TavFont : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(double Size READ Size WRITE setSize)
    Q_PROPERTY(bool Bold READ Bold WRITE setBold)
    Q_PROPERTY(bool Italic READ Italic WRITE setItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE setUnderline)
    Q_PROPERTY(bool Strikethrough READ Strikethrough WRITE setStrikethrough)
    Q_PROPERTY(qint16 Weight READ Weight WRITE setWeight)
    Q_PROPERTY(qint16 Charset READ Charset WRITE setCharset)

public:
    /// A new font object: "Arial", 10 points, normal weight (400), character set 0.
    TavFont();

    /// Face name.
    QString Name() const { return name_; }
    void setName(const QString& name) { name_ = name; }
    /// Size in points, above 0 and at most 1638 (the largest a font engine sizes reliably);
    /// another size raises error 380 and keeps the old one.
    double Size() const { return size_; }
    void setSize(double points);
    /// Bold and Weight move together: bold is a weight of 700, regular one of 400.
    bool Bold() const { return isBoldWeight(weight_); }
    void setBold(bool on) { weight_ = on ? 700 : 400; }
    bool Italic() const { return italic_; }
    void setItalic(bool on) { italic_ = on; }
    bool Underline() const { return underline_; }
    void setUnderline(bool on) { underline_ = on; }
    bool Strikethrough() const { return strikethrough_; }
    void setStrikethrough(bool on) { strikethrough_ = on; }
    /// Stroke weight, 1 to 1000; above 550 it reads as bold.
    qint16 Weight() const { return weight_; }
    void setWeight(qint16 weight) { weight_ = weight; }
    /// Character set number; kept for persistence, text itself is always Unicode.
    qint16 Charset() const { return charset_; }
    void setCharset(qint16 charset) { charset_ = charset; }

    /// The stable serialised form used in property bags.
    QVariantMap toVariant() const;
    /// A font rebuilt from toVariant()'s form; null when `value` is not a serialised font.
    static std::shared_ptr<TavFont> fromVariant(const QVariant& value);

private:
    QString name_;
    double size_;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
    qint16 weight_;
    qint16 charset_ = 0;
};

} // namespace tav
