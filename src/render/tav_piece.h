#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"
#include "render_child.h"
#include "shared_object.h"
#include "tav_picture.h"

namespace tav {

/// One mail piece: a container that draws its background and border and then each visible
/// child control (text items, bar code) in the order they were placed, into one recording or
/// onto the printer page. Children are RenderChild widgets parented to the piece, placed in
/// twips relative to its corner.
class MAILPIECE_EXPORT TavPiece : public RenderChild {
    Q_OBJECT
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(qint16 BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(std::shared_ptr<tav::TavPicture> Picture READ Picture WRITE setPicture)
    Q_PROPERTY(qint16 Depth READ Depth WRITE setDepth)
    Q_PROPERTY(qint32 ScaleHeight READ ScaleHeight WRITE setScaleHeight)
    Q_PROPERTY(qint32 ScaleWidth READ ScaleWidth WRITE setScaleWidth)
    Q_PROPERTY(QString TextSubstitute READ TextSubstitute WRITE setTextSubstitute)
    Q_PROPERTY(bool DontPaint READ DontPaint WRITE setDontPaint)
    Q_PROPERTY(bool PrintWhiteBacks READ PrintWhiteBacks WRITE setPrintWhiteBacks)

public:
    /// What Depth says about drawing.
    enum DepthMode : qint16 {
        EmptyPosition = 0,
        SheetWithoutTexts = 1,
        SheetWithTexts = 2,
        Printing = 998,
        PieceView = 999
    };

    explicit TavPiece(QWidget* parent = nullptr);

    /// Outline colour of the recorded background.
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor color) { foreColor_ = color; }
    qint16 BackStyle() const { return backStyle_; }
    void setBackStyle(qint16 style) { backStyle_ = style; }
    /// 0 none, 1 single line around the piece.
    qint16 BorderStyle() const { return borderStyle_; }
    void setBorderStyle(qint16 style);
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color);
    /// The piece's picture, printed at its own size; setting null raises the library error.
    std::shared_ptr<TavPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<TavPicture> picture);
    /// Children are recorded only from 2 up (see DepthMode).
    qint16 Depth() const { return depth_; }
    void setDepth(qint16 depth) { depth_ = depth; }
    /// Stored only.
    qint32 ScaleHeight() const { return scaleHeight_; }
    void setScaleHeight(qint32 value) { scaleHeight_ = value; }
    qint32 ScaleWidth() const { return scaleWidth_; }
    void setScaleWidth(qint32 value) { scaleWidth_ = value; }
    /// Setting it repaints the piece.
    QString TextSubstitute() const { return textSubstitute_; }
    void setTextSubstitute(const QString& text);
    bool DontPaint() const { return dontPaint_; }
    void setDontPaint(bool on) { dontPaint_ = on; }
    bool PrintWhiteBacks() const { return printWhiteBacks_; }
    void setPrintWhiteBacks(bool on) { printWhiteBacks_ = on; }

    /// The contained controls in the order they were placed.
    QList<QWidget*> containedControls() const;

    /// Records the piece and, from Depth 2 up, every visible child; a child that cannot be
    /// drawn is reported through the message sink and skipped.
    void MFRender(TavMetaCls& meta, qint32 left, qint32 top) override;
    /// Prints the piece and every visible child; a child's error ends it and reaches the caller.
    void PrintSelf(qint32 left, qint32 top) override;
    /// Records the piece at (left, top) on `device` and plays it there at `size` percent.
    void RenderSelf(QPaintDevice* device, qint32 left, qint32 top, qint16 size);

protected:
    bool paintHeld() const override { return dontPaint_; }

private:
    OleColor foreColor_ = OleColors::ButtonText;
    qint16 backStyle_ = 1;
    qint16 borderStyle_ = 0;
    OleColor backColor_ = 0x8000; // dark green
    std::shared_ptr<TavPicture> picture_;
    qint16 depth_ = PieceView;
    qint32 scaleHeight_ = 0;
    qint32 scaleWidth_ = 0;
    QString textSubstitute_;
    bool dontPaint_ = false;
    bool printWhiteBacks_ = true;
};

} // namespace tav
