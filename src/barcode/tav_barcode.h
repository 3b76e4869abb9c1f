#pragma once

#include "bar_drawing.h"
#include "bar_placement.h"
#include "mailpiece_export.h"
#include "ole_color.h"
#include "render_child.h"
#include "shared_object.h"
#include "tav_picture.h"

#include <QRect>

#include <vector>

class QLabel;

namespace tav {

/// The bar code of a piece, POSTNET or the Intelligent Mail barcode: encodes its value and draws
/// the bars into a recording, onto the printer, or on its own face (with the value as a caption).
class MAILPIECE_EXPORT TavBarcode : public RenderChild {
    Q_OBJECT
    Q_PROPERTY(QString BarCode READ BarCode WRITE setBarCode)
    Q_PROPERTY(qint32 BarHeight READ BarHeight WRITE setBarHeight)
    Q_PROPERTY(qint16 AlignHorizontal READ AlignHorizontal WRITE setAlignHorizontal)
    Q_PROPERTY(qint16 AlignVertical READ AlignVertical WRITE setAlignVertical)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool CaptionVisible READ CaptionVisible WRITE setCaptionVisible)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(std::shared_ptr<tav::TavPicture> Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool DontPaint READ DontPaint WRITE setDontPaint)
    Q_PROPERTY(qint16 Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool PrintWhiteBacks READ PrintWhiteBacks WRITE setPrintWhiteBacks)
    Q_PROPERTY(qint16 Symbology READ Symbology WRITE setSymbology)

public:
    /// A bar code of "45678" on light grey, at least 190 twips high.
    explicit TavBarcode(QWidget* parent = nullptr);

    /// The value to encode; setting it re-encodes the pattern. For the Intelligent Mail barcode
    /// it is "<tracking code>-<routing digits>" (IntelligentMail::pieceValue); one that is not
    /// gives no bars.
    QString BarCode() const { return value_; }
    void setBarCode(const QString& value);
    /// TavSymbology of the bars; setting it re-encodes the value. Unknown values draw POSTNET.
    qint16 Symbology() const { return symbology_; }
    void setSymbology(qint16 symbology);
    /// The encoded bars: "1" full and "." half for POSTNET; "F", "A", "D", "T" (full, ascender,
    /// descender, tracker) for the Intelligent Mail barcode.
    QString pattern() const { return pattern_; }
    /// Stored only.
    qint32 BarHeight() const { return barHeight_; }
    void setBarHeight(qint32 twips) { barHeight_ = twips; }
    /// TavAlignmentHorizontal of the bars in the box.
    qint16 AlignHorizontal() const { return alignHorizontal_; }
    void setAlignHorizontal(qint16 alignment);
    /// TavAlignmentVertical of the bars in the box.
    qint16 AlignVertical() const { return alignVertical_; }
    void setAlignVertical(qint16 alignment);
    /// Stored only.
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    /// Stored only; the face shows the value, not this.
    QString Caption() const { return caption_; }
    void setCaption(const QString& text) { caption_ = text; }
    /// Whether the face shows the value under the bars.
    bool CaptionVisible() const { return captionVisible_; }
    void setCaptionVisible(bool on);
    /// Colour of the caption on the face.
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor color);
    /// Background of the box, on screen and (unless PrintWhiteBacks) on paper.
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color);
    /// Stored only; setting null raises the library error.
    std::shared_ptr<TavPicture> Picture() const { return picture_; }
    void setPicture(std::shared_ptr<TavPicture> picture);
    /// While true the face is never repainted.
    bool DontPaint() const { return dontPaint_; }
    void setDontPaint(bool on) { dontPaint_ = on; }
    /// Repaints the face and does nothing else.
    qint16 Alignment() const { return alignment_; }
    void setAlignment(qint16 alignment);
    /// When true, printing prints no background.
    bool PrintWhiteBacks() const { return printWhiteBacks_; }
    void setPrintWhiteBacks(bool on) { printWhiteBacks_ = on; }

    /// Places the control; it is never less than the full bars are high.
    void setTwipsGeometry(qint32 left, qint32 top, qint32 width, qint32 height) override;

    void MFRender(TavMetaCls& meta, qint32 left, qint32 top) override;
    void PrintSelf(qint32 left, qint32 top) override;

protected:
    bool paintHeld() const override { return dontPaint_; }
    void resizeEvent(QResizeEvent* event) override;

private:
    const BarMetrics& metrics() const;
    void encode();
    BarFace face() const;

    QString value_;
    QString pattern_;
    qint32 barHeight_ = 100;
    qint16 alignHorizontal_ = 0;
    qint16 alignVertical_ = 0;
    bool autoSize_ = false;
    QString caption_ = QStringLiteral("not used");
    bool captionVisible_ = true;
    OleColor foreColor_ = OleColors::Black;
    OleColor backColor_ = OleColors::LightGrey;
    std::shared_ptr<TavPicture> picture_;
    bool dontPaint_ = false;
    qint16 alignment_ = 0;
    bool printWhiteBacks_ = true;
    qint16 symbology_ = 0;
    QLabel* caption_label_;
};

} // namespace tav
