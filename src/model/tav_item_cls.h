#pragma once

#include "mailpiece_export.h"
#include "shared_object.h"
#include "tav_enum_cls.h"
#include "tav_font.h"
#include "tav_picture.h"

#include <QObject>
#include <QString>

namespace tav {

/// Attributes and text template of one text item of a piece; positions and sizes in inches.
class MAILPIECE_EXPORT TavItemCls : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled NOTIFY changed)
    Q_PROPERTY(float Height READ Height WRITE setHeight NOTIFY changed)
    Q_PROPERTY(float Left1 READ Left1 WRITE setLeft1 NOTIFY changed)
    Q_PROPERTY(float LineSpacing READ LineSpacing WRITE setLineSpacing NOTIFY changed)
    Q_PROPERTY(float Top READ Top WRITE setTop NOTIFY changed)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible NOTIFY changed)
    Q_PROPERTY(float Width READ Width WRITE setWidth NOTIFY changed)
    Q_PROPERTY(bool Wrap READ Wrap WRITE setWrap NOTIFY changed)
    Q_PROPERTY(tav::TavEnumCls::TavAlignmentHorizontal AlignHorizontal READ AlignHorizontal WRITE
                   setAlignHorizontal NOTIFY changed)
    Q_PROPERTY(tav::TavEnumCls::TavAlignmentVertical AlignVertical READ AlignVertical WRITE
                   setAlignVertical NOTIFY changed)
    Q_PROPERTY(std::shared_ptr<tav::TavFont> font READ font WRITE setfont NOTIFY changed)
    Q_PROPERTY(
        std::shared_ptr<tav::TavPicture> Picture READ Picture WRITE setPicture NOTIFY changed)
    Q_PROPERTY(QString TextControl READ TextControl WRITE setTextControl NOTIFY changed)
    Q_PROPERTY(QString TextSubstitute READ TextSubstitute WRITE setTextSubstitute NOTIFY changed)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY changed)
    Q_PROPERTY(tav::TavEnumCls::TavBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle
                   NOTIFY changed)

public:
    /// A record with its own new font and picture, light grey, enabled, wrapping, not visible.
    TavItemCls();

    bool Enabled() const { return enabled_; }
    void setEnabled(bool on) {
        enabled_ = on;
        emit changed();
    }
    /// Height of the item box (inches).
    float Height() const { return height_; }
    void setHeight(float inches) {
        height_ = inches;
        emit changed();
    }
    /// Piece's left edge to the item box (inches).
    float Left1() const { return left_; }
    void setLeft1(float inches) {
        left_ = inches;
        emit changed();
    }
    /// Line spacing factor of the text.
    float LineSpacing() const { return lineSpacing_; }
    void setLineSpacing(float factor) {
        lineSpacing_ = factor;
        emit changed();
    }
    /// Piece's top edge to the item box (inches).
    float Top() const { return top_; }
    void setTop(float inches) {
        top_ = inches;
        emit changed();
    }
    /// Whether the item is shown and drawn at all.
    bool Visible() const { return visible_; }
    void setVisible(bool on) {
        visible_ = on;
        emit changed();
    }
    /// Width of the item box (inches).
    float Width() const { return width_; }
    void setWidth(float inches) {
        width_ = inches;
        emit changed();
    }
    /// Whether long lines break at word boundaries.
    bool Wrap() const { return wrap_; }
    void setWrap(bool on) {
        wrap_ = on;
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
    /// The font object, shared by reference; setting null raises the library error.
    std::shared_ptr<TavFont> font() const { return font_; }
    void setfont(std::shared_ptr<TavFont> font);
    /// The picture object, shared by reference; setting null raises the library error.
    std::shared_ptr<TavPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<TavPicture> picture);
    /// The text template, with "<<name>>" placeholders.
    QString TextControl() const { return textControl_; }
    void setTextControl(const QString& text) {
        textControl_ = text;
        emit changed();
    }
    /// The substitution list handed to the item with the template.
    QString TextSubstitute() const { return textSubstitute_; }
    void setTextSubstitute(const QString& text) {
        textSubstitute_ = text;
        emit changed();
    }
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color) {
        backColor_ = color;
        emit changed();
    }
    TavBorderStyle BorderStyle() const { return borderStyle_; }
    void setBorderStyle(TavBorderStyle style) {
        borderStyle_ = style;
        emit changed();
    }

    /// A new record with the same values and font attributes (not the character set), sharing
    /// this record's picture.
    Q_INVOKABLE std::shared_ptr<tav::TavItemCls> Copy() const;

signals:
    /// A property changed (the NOTIFY signal of them all).
    void changed();

private:
    bool enabled_ = true;
    float height_ = 0;
    float left_ = 0;
    float lineSpacing_ = 1.0f;
    float top_ = 0;
    bool visible_ = false;
    float width_ = 0;
    bool wrap_ = true;
    TavAlignmentHorizontal alignHorizontal_ = TavEnumCls::vbLeftJustify;
    TavAlignmentVertical alignVertical_ = TavEnumCls::vbTop;
    std::shared_ptr<TavFont> font_;
    std::shared_ptr<TavPicture> picture_;
    QString textControl_;
    QString textSubstitute_;
    OleColor backColor_ = 0xC0C0C0;
    TavBorderStyle borderStyle_ = TavEnumCls::None;
};

} // namespace tav
