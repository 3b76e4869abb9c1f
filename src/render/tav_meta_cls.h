#pragma once

#include "mailpiece_export.h"
#include "meta_recording.h"
#include "tav_enum_cls.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QPaintDevice;
class QPainter;

namespace tav {

/// The recording drawing surface: callers draw in twips, the recording keeps pixels of the
/// reference device and a frame in hundredths of a millimetre, and plays back at any size.
class MAILPIECE_EXPORT TavMetaCls : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint32 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(qint16 BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(quint32 BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(quint32 FillColor READ FillColor WRITE setFillColor)
    Q_PROPERTY(bool Multiline READ Multiline WRITE setMultiline)
    Q_PROPERTY(double ForeColor READ ForeColorValue WRITE setForeColor)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(qint16 FontSize READ FontSizeValue WRITE setFontSize)
    Q_PROPERTY(qint16 Weight READ Weight WRITE setWeight)
    Q_PROPERTY(bool Italic READ Italic WRITE setItalic)
    Q_PROPERTY(bool Underline READ Underline WRITE setUnderline)
    Q_PROPERTY(bool Strikethrough READ Strikethrough WRITE setStrikethrough)
    Q_PROPERTY(qint16 Escapement READ Escapement WRITE setEscapement)
    Q_PROPERTY(qint32 Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(qint32 BackStyle READ BackStyle WRITE setBackStyle)
    Q_PROPERTY(qint32 CurrentX READ CurrentX)
    Q_PROPERTY(qint32 CurrentY READ CurrentY)

public:
    TavMetaCls() = default;

    /// Opens a recording on `device` (a widget or image); false while one is already open.
    /// Raises error 11 for a device without a resolution.
    Q_INVOKABLE bool CreateMetaObject(QPaintDevice* device);
    /// Records a control's content (PictureBox, TextBox, Label, Line or Shape, told apart by the
    /// object's "TypeName" property or its class) at the given twips, else at its own place.
    /// Returns 0, or 999 for an object of any other kind (nothing recorded).
    Q_INVOKABLE qint32 DrawGivenObject(QObject* object, std::optional<qint32> left = {},
                                       std::optional<qint32> top = {},
                                       std::optional<qint32> width = {},
                                       std::optional<qint32> height = {});
    /// Maps a control border style (0 none, 1 solid, …) to a pen style.
    Q_INVOKABLE static qint32 GetBorderStyleAPI(qint32 style);
    /// Plays the recording (closing it first) into `device` at `size` percent; errors are
    /// ignored. Returns false.
    Q_INVOKABLE bool PrintMetaObject(QPaintDevice* device, qint16 size);
    /// Plays the recording through an open `painter` whose device is `target`.
    void play(QPainter& painter, const QPaintDevice& target, qint16 size);
    /// Closes the open recording; the finished picture can then be played.
    Q_INVOKABLE void CloseMetaObject();
    /// Deletes the finished picture. Returns false.
    Q_INVOKABLE bool DeleteMetaObject();

    void setBorderStyle(qint32 style) { borderStyle_ = style; }
    qint32 BorderStyle() const { return borderStyle_; }
    /// Pen width in reference pixels.
    void setBorderWidth(qint16 pixels) { borderWidth_ = pixels; }
    qint16 BorderWidth() const { return borderWidth_; }
    void setBorderColor(OleColor color) { borderColor_ = color; }
    OleColor BorderColor() const { return borderColor_; }
    void setFillColor(OleColor color) { fillColor_ = color; }
    OleColor FillColor() const { return fillColor_; }
    void setMultiline(bool on) { multiline_ = on; }
    bool Multiline() const { return multiline_; }
    /// Text colour; a single-precision value, stored rounded.
    void setForeColor(double color);
    double ForeColorValue() const { return foreColor_; }
    void setFontName(const QString& name) { fontName_ = name; }
    QString FontName() const { return fontName_; }
    /// Point size, a whole number.
    void setFontSize(qint16 points) { fontSize_ = points; }
    /// Point size with its fraction (8.5), as text is printed.
    void setFontSizeF(float points) { fontSize_ = points; }
    qint16 FontSizeValue() const { return static_cast<qint16>(fontSize_); }
    void setWeight(qint16 weight) { weight_ = weight; }
    qint16 Weight() const { return weight_; }
    void setItalic(bool on) { italic_ = on; }
    bool Italic() const { return italic_; }
    void setUnderline(bool on) { underline_ = on; }
    bool Underline() const { return underline_; }
    void setStrikethrough(bool on) { strikethrough_ = on; }
    bool Strikethrough() const { return strikethrough_; }
    /// Text angle in tenths of a degree.
    void setEscapement(qint16 tenths) { escapement_ = tenths; }
    qint16 Escapement() const { return escapement_; }
    void setAlignment(qint32 justification) { alignment_ = justification; }
    qint32 Alignment() const { return alignment_; }
    void setBackColor(OleColor color) { backColor_ = color; }
    OleColor BackColor() const { return backColor_; }
    void setBackStyle(qint32 style) { backStyle_ = style; }
    qint32 BackStyle() const { return backStyle_; }

    /// A rectangle in the current pen, filled with FillColor (twips). Returns true.
    Q_INVOKABLE qint32 DrawShape(tav::TavEnumCls::Shapes shape, qint32 left, qint32 top,
                                 qint32 width, qint32 height);
    /// A line in the current pen (twips). Returns 0.
    Q_INVOKABLE qint32 DrawLine(qint32 x1, qint32 y1, qint32 x2, qint32 y2);
    /// One line of text with its cell's corner at (left, top) (twips). Returns 0.
    Q_INVOKABLE qint32 DrawText(const QString& text, qint32 left, qint32 top, qint32 width,
                                qint32 height);
    /// Four edges in the current pen; with `fill`, first the area in FillColor (twips).
    Q_INVOKABLE void DrawRect(qint32 left, qint32 top, qint32 width, qint32 height,
                              bool fill = false);

    /// Position in twips at which the last text began.
    qint32 CurrentX() const { return currentX_; }
    qint32 CurrentY() const { return currentY_; }
    /// Twips per reference pixel (15 at 96 dots per inch).
    qint32 TwipsPerPixelX() const { return twipsPerPixelX_; }
    qint32 TwipsPerPixelY() const { return twipsPerPixelY_; }

    /// Whether a recording is open, and whether a finished picture exists.
    bool recording() const { return recording_; }
    bool finished() const { return finished_; }
    /// The operations recorded so far and the frame (open or finished).
    const MetaRecording& recordingData() const { return data_; }

private:
    qint32 toPixelsX(qint32 twips) const;
    qint32 toPixelsY(qint32 twips) const;
    /// The point in pixels of the reference device, fractions kept.
    QPointF exactPixels(qint32 x, qint32 y) const;
    void addOp(MetaOp op);
    MetaFont currentFont() const;
    qint32 drawPicture(QObject* object, QRect pixels);
    qint32 drawCaption(QObject* object, QPoint at, bool textBox);
    qint32 drawLineObject(QObject* object, QRect ends);
    qint32 drawShapeObject(QObject* object, QRect corners);

    bool recording_ = false;
    bool finished_ = false;
    MetaRecording data_;
    qint32 twipsPerPixelX_ = 0;
    qint32 twipsPerPixelY_ = 0;
    double logicalDpiY_ = 0;

    qint32 borderStyle_ = 0;
    qint16 borderWidth_ = 0;
    OleColor borderColor_ = 0;
    OleColor fillColor_ = 0;
    bool multiline_ = false;
    double foreColor_ = 0;
    QString fontName_;
    float fontSize_ = 0;
    qint16 weight_ = 0;
    bool italic_ = false;
    bool underline_ = false;
    bool strikethrough_ = false;
    qint16 escapement_ = 0;
    qint32 alignment_ = 0;
    OleColor backColor_ = 0;
    qint32 backStyle_ = 0;
    qint32 currentX_ = 0;
    qint32 currentY_ = 0;
};

} // namespace tav
