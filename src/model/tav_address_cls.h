#pragma once

#include "mailpiece_export.h"
#include "piece_texts.h"
#include "shared_object.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace tav {

/// One postal address and CurrentText, its composed printable block (lines joined by CR LF).
class MAILPIECE_EXPORT TavAddressCls : public QObject {
    Q_OBJECT
    Q_CLASSINFO("DefaultProperty", "CurrentText")
    Q_PROPERTY(QString First READ First WRITE setFirst NOTIFY changed)
    Q_PROPERTY(QString Middle READ Middle WRITE setMiddle NOTIFY changed)
    Q_PROPERTY(QString Last READ Last WRITE setLast NOTIFY changed)
    Q_PROPERTY(QString Address READ Address WRITE setAddress NOTIFY changed)
    Q_PROPERTY(QString AddressLine2 READ AddressLine2 WRITE setAddressLine2 NOTIFY changed)
    Q_PROPERTY(QString City READ City WRITE setCity NOTIFY changed)
    Q_PROPERTY(QString State READ State WRITE setState NOTIFY changed)
    Q_PROPERTY(QString Zip READ Zip WRITE setZip NOTIFY changed)
    Q_PROPERTY(QString CurrentText READ CurrentText)
    Q_PROPERTY(QString Header1 READ Header1 WRITE setHeader1 NOTIFY changed)
    Q_PROPERTY(QString Header2 READ Header2 WRITE setHeader2 NOTIFY changed)
    Q_PROPERTY(QString Footer1 READ Footer1 WRITE setFooter1 NOTIFY changed)
    Q_PROPERTY(QString Footer2 READ Footer2 WRITE setFooter2 NOTIFY changed)
    Q_PROPERTY(bool PostalStyle READ PostalStyle WRITE setPostalStyle NOTIFY changed)

public:
    TavAddressCls() = default;

    // Setting one of these eight fields recomposes CurrentText.
    QString First() const { return first_; }
    void setFirst(const QString& text) {
        recompose(first_, text);
        emit changed();
    }
    QString Middle() const { return middle_; }
    void setMiddle(const QString& text) {
        recompose(middle_, text);
        emit changed();
    }
    QString Last() const { return last_; }
    void setLast(const QString& text) {
        recompose(last_, text);
        emit changed();
    }
    QString Address() const { return address_; }
    void setAddress(const QString& text) {
        recompose(address_, text);
        emit changed();
    }
    QString AddressLine2() const { return addressLine2_; }
    void setAddressLine2(const QString& text) {
        recompose(addressLine2_, text);
        emit changed();
    }
    QString City() const { return city_; }
    void setCity(const QString& text) {
        recompose(city_, text);
        emit changed();
    }
    QString State() const { return state_; }
    void setState(const QString& text) {
        recompose(state_, text);
        emit changed();
    }
    QString Zip() const { return zip_; }
    void setZip(const QString& text) {
        recompose(zip_, text);
        emit changed();
    }

    /// The composed block as of the last recomposition.
    QString CurrentText() const { return currentText_; }

    // Headers and footers show in CurrentText only after the next recomposition.
    QString Header1() const { return header1_; }
    void setHeader1(const QString& text) {
        header1_ = text;
        emit changed();
    }
    QString Header2() const { return header2_; }
    void setHeader2(const QString& text) {
        header2_ = text;
        emit changed();
    }
    QString Footer1() const { return footer1_; }
    void setFooter1(const QString& text) {
        footer1_ = text;
        emit changed();
    }
    QString Footer2() const { return footer2_; }
    void setFooter2(const QString& text) {
        footer2_ = text;
        emit changed();
    }

    /// Whether CurrentText is composed as the post office reads it best (PostalStyle: capitals,
    /// no punctuation, standard abbreviations, "CITY ST ZIP" last); setting it recomposes.
    bool PostalStyle() const { return postalStyle_; }
    void setPostalStyle(bool on) {
        postalStyle_ = on;
        currentText_ = compose();
        emit changed();
    }

    /// Empties all twelve fields and recomposes (CurrentText becomes empty).
    Q_INVOKABLE void Clear();
    /// Sets the eight name and address fields, First to Zip in their order, and recomposes once.
    void setNameAndAddress(const std::array<QString, 8>& fields);

signals:
    /// A field changed (the NOTIFY signal of them all).
    void changed();

private:
    void recompose(QString& field, const QString& text);
    QString compose() const;
    QString composePostal() const;

    QString first_;
    QString middle_;
    QString last_;
    QString address_;
    QString addressLine2_;
    QString city_;
    QString state_;
    QString zip_;
    QString currentText_;
    QString header1_;
    QString header2_;
    QString footer1_;
    QString footer2_;
    bool postalStyle_ = false;
};

/// The lines of `address`'s composed block as they print: a line break inside a field (LF,
/// CR LF or CR, as a spreadsheet cell holds one) starts a line of its own, each line is trimmed,
/// and empty lines are left out.
MAILPIECE_EXPORT QStringList printedLines(const TavAddressCls& address);

/// The texts an envelope's templates take from `address`: each field by its name and
/// "DeliveryAddress", the printed lines, in the order a template's first match depends on.
MAILPIECE_EXPORT PieceTexts addressTexts(const TavAddressCls& address);

} // namespace tav
