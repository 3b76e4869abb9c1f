#pragma once

#include "item_drawing.h"
#include "mailpiece_export.h"
#include "ole_color.h"
#include "render_child.h"
#include "shared_object.h"
#include "tav_font.h"
#include "tav_picture.h"
#include "text_layout.h"

namespace tav {

class Printer;
class TavItemCls;

/// One text item of a piece: a box with background, optional picture and border, and the text
/// made from its template and the piece's substitution list, broken into lines with the
/// printer's metrics, so that screen and paper break at the same words.
class MAILPIECE_EXPORT TavItem : public RenderChild {
    Q_OBJECT
    Q_PROPERTY(qint16 BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(std::shared_ptr<tav::TavFont> font READ font WRITE setfont)
    Q_PROPERTY(qint16 AlignVertical READ AlignVertical WRITE setAlignVertical)
    Q_PROPERTY(qint16 LineSpacing READ LineSpacing WRITE setLineSpacing)
    Q_PROPERTY(bool Wrap READ Wrap WRITE setWrap)
    Q_PROPERTY(QString TextControl READ TextControl WRITE setTextControl)
    Q_PROPERTY(QString TextSubstitute READ TextSubstitute WRITE setTextSubstitute)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool DontPaint READ DontPaint WRITE setDontPaint)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(std::shared_ptr<tav::TavPicture> Picture READ Picture WRITE setPicture)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(qint16 AlignHorizontal READ AlignHorizontal WRITE setAlignHorizontal)
    Q_PROPERTY(bool PrintWhiteBacks READ PrintWhiteBacks WRITE setPrintWhiteBacks)

public:
    explicit TavItem(QWidget* parent = nullptr);

    /// BrixBackStyle: 0 transparent, 1 opaque (the picture is drawn only when opaque).
    qint16 BackStyle() const { return backStyle_; }
    void setBackStyle(qint16 style);
    /// The text font, shared by reference; setting null raises the library error.
    std::shared_ptr<TavFont> font() const { return font_; }
    void setfont(std::shared_ptr<TavFont> font);
    /// TavAlignmentVertical of the block of lines.
    qint16 AlignVertical() const { return alignVertical_; }
    void setAlignVertical(qint16 alignment);
    /// Stored only: lines are single-spaced.
    qint16 LineSpacing() const { return lineSpacing_; }
    void setLineSpacing(qint16 spacing) { lineSpacing_ = spacing; }
    /// Stored only: lines always break.
    bool Wrap() const { return wrap_; }
    void setWrap(bool on) { wrap_ = on; }
    /// The text template with "<<name>>" placeholders.
    QString TextControl() const { return textControl_; }
    void setTextControl(const QString& text);
    /// The substitution list (name^value|...).
    QString TextSubstitute() const { return textSubstitute_; }
    void setTextSubstitute(const QString& text);
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor color);
    /// While true, property changes do not repaint.
    bool DontPaint() const { return dontPaint_; }
    void setDontPaint(bool on) { dontPaint_ = on; }
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color);
    /// The item's picture, shared by reference; setting null raises the library error.
    std::shared_ptr<TavPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<TavPicture> picture);
    /// TavBorderStyle: 0 none, 1 single line (the text is then inset by 6 twips).
    qint16 BorderStyle() const { return borderStyle_; }
    void setBorderStyle(qint16 style);
    /// TavAlignmentHorizontal of each line.
    qint16 AlignHorizontal() const { return alignHorizontal_; }
    void setAlignHorizontal(qint16 alignment);
    /// When true, printing leaves the box background white.
    bool PrintWhiteBacks() const { return printWhiteBacks_; }
    void setPrintWhiteBacks(bool on) { printWhiteBacks_ = on; }

    /// Takes the template and look of `record`: alignments, back colour, border, enabled, line
    /// spacing, wrap, picture and font (shared). Place, size, visibility and the substitution
    /// list stay for the caller.
    void loadRecord(const TavItemCls& record);

    /// The text drawn: the template with the substitution list applied.
    QString composedText() const;
    /// The item's look and box size as drawing takes them (setItemText, recordItem, printItem).
    ItemFace face() const;
    /// The smallest size (points) the text may be set at to fit the box; 0 (the default): the
    /// text keeps the font's size and lines past the box's bottom are left out.
    double fitMinimum() const { return fitMinimum_; }
    void setFitMinimum(double points) { fitMinimum_ = points; }

    void MFRender(TavMetaCls& meta, qint32 left, qint32 top) override;
    void PrintSelf(qint32 left, qint32 top) override;
    /// Records the item at (left, top) on `device` and plays it there at `size` percent.
    void RenderSelf(QPaintDevice* device, qint32 top, qint32 left, qint16 size);

protected:
    bool paintHeld() const override { return dontPaint_; }

private:
    qint16 backStyle_ = 1;
    std::shared_ptr<TavFont> font_;
    qint16 alignVertical_ = 1;
    qint16 lineSpacing_ = 0;
    bool wrap_ = false;
    QString textControl_ = QStringLiteral("0");
    QString textSubstitute_ = QStringLiteral("0");
    OleColor foreColor_ = OleColors::ButtonText;
    bool dontPaint_ = false;
    OleColor backColor_ = OleColors::WindowBackground;
    std::shared_ptr<TavPicture> picture_;
    qint16 borderStyle_ = 1;
    qint16 alignHorizontal_ = 0;
    bool printWhiteBacks_ = true;
    double fitMinimum_ = 0;
};

} // namespace tav
