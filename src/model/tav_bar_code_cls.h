#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"
#include "tav_enum_cls.h"
#include "tav_picture.h"

#include <QObject>
#include <QString>

namespace tav {

/// Attributes and value of the one bar code of a piece (POSTNET or the Intelligent Mail barcode);
/// positions and sizes in inches.
class MAILPIECE_EXPORT TavBarCodeCls : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY changed)
    Q_PROPERTY(float Height READ Height WRITE setHeight NOTIFY changed)
    Q_PROPERTY(float Left1 READ Left1 WRITE setLeft1 NOTIFY changed)
    Q_PROPERTY(float Top READ Top WRITE setTop NOTIFY changed)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible NOTIFY changed)
    Q_PROPERTY(float Width READ Width WRITE setWidth NOTIFY changed)
    Q_PROPERTY(tav::TavEnumCls::TavAlignmentHorizontal AlignHorizontal READ AlignHorizontal WRITE
                   setAlignHorizontal NOTIFY changed)
    Q_PROPERTY(tav::TavEnumCls::TavAlignmentVertical AlignVertical READ AlignVertical WRITE
                   setAlignVertical NOTIFY changed)
    Q_PROPERTY(
        std::shared_ptr<tav::TavPicture> Picture READ Picture WRITE setPicture NOTIFY changed)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize NOTIFY changed)
    Q_PROPERTY(QString Value READ Value WRITE setValue NOTIFY changed)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY changed)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY changed)
    Q_PROPERTY(
        tav::TavEnumCls::TavSymbology Symbology READ Symbology WRITE setSymbology NOTIFY changed)
    Q_PROPERTY(QString TrackingCode READ TrackingCode WRITE setTrackingCode NOTIFY changed)

public:
    /// A record with its own empty picture, light grey, not visible, empty value.
    TavBarCodeCls();

    /// Stored and persisted only.
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on) {
        enabled_ = on;
        emit changed();
    }
    /// Height of the bar code box (inches).
    float Height() const { return height_; }
    void setHeight(float inches) {
        height_ = inches;
        emit changed();
    }
    /// Piece's left edge to the bar code box (inches).
    float Left1() const { return left_; }
    void setLeft1(float inches) {
        left_ = inches;
        emit changed();
    }
    /// Piece's top edge to the bar code box (inches).
    float Top() const { return top_; }
    void setTop(float inches) {
        top_ = inches;
        emit changed();
    }
    /// Whether the bar code is shown and drawn at all.
    bool Visible() const { return visible_; }
    void setVisible(bool on) {
        visible_ = on;
        emit changed();
    }
    /// Width of the bar code box (inches).
    float Width() const { return width_; }
    void setWidth(float inches) {
        width_ = inches;
        emit changed();
    }
    TavAlignmentHorizontal AlignHorizontal() const { return alignHorizontal_; }
    void setAlignHorizontal(TavAlignmentHorizontal alignment) {
        alignHorizontal_ = alignment;
        emit changed();
    }
    TavAlignmentVertical AlignVertical() const { return alignVertical_; }
    void setAlignVertical(TavAlignmentVertical alignment) {
        alignVertical_ = alignment;
        emit changed();
    }
    /// The picture object, shared by reference; setting null raises the library error.
    std::shared_ptr<TavPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<TavPicture> picture);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on) {
        autoSize_ = on;
        emit changed();
    }
    /// The digits to encode, stored exactly as written: the ZIP code (for the Intelligent Mail
    /// barcode its routing code of 0, 5, 9 or 11 digits).
    QString Value() const { return value_; }
    void setValue(const QString& value) {
        value_ = value;
        emit changed();
    }
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color) {
        backColor_ = color;
        emit changed();
    }
    /// Stored and persisted only.
    qint16 BorderStyle() const { return borderStyle_; }
    void setBorderStyle(qint16 style) {
        borderStyle_ = style;
        emit changed();
    }

    /// TavPostnet (the default), TavIntelligentMail, or another post's four-state code
    /// (TavRoyalMail, TavKix, TavAustraliaPost, whose bars come from Value); any other value
    /// raises error 380.
    TavSymbology Symbology() const { return symbology_; }
    void setSymbology(TavSymbology symbology);
    /// The Intelligent Mail barcode's 20-digit tracking code, or empty; anything else (another
    /// length, a non-digit, a barcode identifier whose second digit is above 4) raises error 380.
    QString TrackingCode() const { return trackingCode_; }
    void setTrackingCode(const QString& trackingCode);

    /// A new record with the same values, sharing this record's picture.
    Q_INVOKABLE std::shared_ptr<tav::TavBarCodeCls> Copy() const;

signals:
    /// A property changed (the NOTIFY signal of them all).
    void changed();

private:
    bool enabled_ = false;
    float height_ = 0;
    float left_ = 0;
    float top_ = 0;
    bool visible_ = false;
    float width_ = 0;
    TavAlignmentHorizontal alignHorizontal_ = TavEnumCls::vbLeftJustify;
    TavAlignmentVertical alignVertical_ = TavEnumCls::vbTop;
    std::shared_ptr<TavPicture> picture_;
    bool autoSize_ = false;
    QString value_;
    OleColor backColor_ = 0xC0C0C0;
    qint16 borderStyle_ = 0;
    TavSymbology symbology_ = TavEnumCls::TavPostnet;
    QString trackingCode_;
};

} // namespace tav
