#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"
#include "tav_font.h"

#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QRect>
#include <QString>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace tav {

/// Font attributes of printer text.
struct MAILPIECE_EXPORT PrinterFont {
    QString name = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    qint16 weight = 400;

    /// The attributes of a font object.
    static PrinterFont fromFont(const TavFont& font);
    /// The font sized in twips (its pixel size is the em height in twips), so that it measures
    /// and draws the same on every device.
    QFont toQFont() const;
    bool operator==(const PrinterFont&) const = default;
};

/// Width of `text` in `font` (twips), as every printer measures it: the widest line of a
/// multi-line text.
MAILPIECE_EXPORT double textWidth(const PrinterFont& font, const QString& text);
/// Height of `text` in `font` (twips): one line height per line.
MAILPIECE_EXPORT double textHeight(const PrinterFont& font, const QString& text);

/// One drawing operation on a printed page; all coordinates in twips from the paper's corner.
struct MAILPIECE_EXPORT PrinterOp {
    enum Kind { Line, Box, Text, Picture, Boxes };
    Kind kind = Line;
    qint32 x1 = 0; // Line: start; Box, Text, Picture: left
    qint32 y1 = 0; // Line: start; Box, Text, Picture: top
    qint32 x2 = 0; // Line: end; Box, Picture: width
    qint32 y2 = 0; // Line: end; Box, Picture: height
    OleColor color = 0;
    bool filled = false;      // Box only
    qint16 drawWidth = 1;     // pen width in printer dots (1/600 inch)
    qint16 drawStyle = 0;     // 0 solid .. 5 none, as the pen styles of the drawing surface
    QString text;             // Text only
    PrinterFont font;         // Text only
    QImage image;             // Picture only
    std::vector<QRect> boxes; // Boxes only: filled boxes (twips), x and y unused

    /// Draws the operation; `painter` maps twips to its device.
    void paint(QPainter& painter) const;
};

/// One page as it went to paper: its job, orientation, turn and operations.
struct MAILPIECE_EXPORT PrintedPage {
    QString jobName;
    qint16 orientation = 1;
    std::optional<QPageSize> paper;
    std::vector<PrinterOp> ops;
    bool quarterTurn = false; // the drawing turned onto the paper (Printer::QuarterTurn)
    int pageOfJob = 1;        // 1 for a job's first page, 2 for the next, ...
};

/// The printer object: pen, font and position state, drawing in twips, text metrics in twips,
/// and a description of the device. A job opens with its first drawing and ends with EndDoc.
class MAILPIECE_EXPORT Printer {
public:
    virtual ~Printer();

    /// Paper orientation of the next job: 1 portrait, 2 landscape.
    qint16 Orientation() const { return orientation_; }
    void setOrientation(qint16 orientation) { orientation_ = orientation; }
    /// Paper of the next job; none: the device's own default (US Letter for PDF).
    std::optional<QPageSize> PaperSize() const { return paperSize_; }
    void setPaperSize(std::optional<QPageSize> paper) { paperSize_ = std::move(paper); }
    /// Whether the next page's drawing is turned a quarter turn clockwise onto its paper: drawn as
    /// the reader holds the piece, its top along the paper's right edge, as a label printer feeds.
    bool QuarterTurn() const { return quarterTurn_; }
    void setQuarterTurn(bool turned) { quarterTurn_ = turned; }

    qint16 DrawMode() const { return drawMode_; }
    void setDrawMode(qint16 mode) { drawMode_ = mode; }
    /// Pen style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none, 6 inside solid.
    qint16 DrawStyle() const { return drawStyle_; }
    void setDrawStyle(qint16 style) { drawStyle_ = style; }
    /// Pen width in printer dots (1/600 inch).
    qint16 DrawWidth() const { return drawWidth_; }
    void setDrawWidth(qint16 width) { drawWidth_ = width; }
    OleColor FillColor() const { return fillColor_; }
    void setFillColor(OleColor color) { fillColor_ = color; }
    OleColor ForeColor() const { return foreColor_; }
    void setForeColor(OleColor color) { foreColor_ = color; }

    QString FontName() const { return font_.name; }
    void setFontName(const QString& name) { font_.name = name; }
    double FontSize() const { return font_.size; }
    void setFontSize(double points) { font_.size = points; }
    bool FontBold() const { return font_.bold; }
    void setFontBold(bool on) { font_.bold = on; }
    bool FontItalic() const { return font_.italic; }
    void setFontItalic(bool on) { font_.italic = on; }
    bool FontUnderline() const { return font_.underline; }
    void setFontUnderline(bool on) { font_.underline = on; }
    bool FontStrikethru() const { return font_.strikethrough; }
    void setFontStrikethru(bool on) { font_.strikethrough = on; }
    qint16 FontWeight() const { return font_.weight; }
    void setFontWeight(qint16 weight) { font_.weight = weight; }
    const PrinterFont& font() const { return font_; }
    void setFont(const PrinterFont& font) { font_ = font; }

    /// Where the next text goes (twips).
    qint32 CurrentX() const { return currentX_; }
    void setCurrentX(qint32 twips) { currentX_ = twips; }
    qint32 CurrentY() const { return currentY_; }
    void setCurrentY(qint32 twips) { currentY_ = twips; }

    /// A line from (x1, y1) to (x2, y2) in `color` with the current pen.
    void Line(qint32 x1, qint32 y1, qint32 x2, qint32 y2, OleColor color);
    /// A box with its corner at (x, y), outlined in `color` with the current pen, or filled with
    /// it.
    void Box(qint32 x, qint32 y, qint32 width, qint32 height, OleColor color, bool filled);
    /// Boxes filled with `color` as one operation, as bars are printed: far cheaper than a Box
    /// each.
    void FilledBoxes(std::vector<QRect> boxes, OleColor color);
    /// Prints one line of text at (CurrentX, CurrentY) in ForeColor and the current font, then
    /// moves to the start of the next line (CurrentX 0, CurrentY one text height lower).
    void Print(const QString& text);
    /// Paints `image` with its corner at (x, y) and the size `width` × `height` (twips).
    void PaintPicture(const QImage& image, qint32 x, qint32 y, qint32 width, qint32 height);
    /// Width of `text` in the current font (twips); the widest line of a multi-line text.
    double TextWidth(const QString& text) const;
    /// Height of `text` in the current font (twips): one line height per line.
    double TextHeight(const QString& text) const;
    /// Ends the open job's page; the next drawing starts another page of the same job, on the
    /// paper and turn set then. Without an open job it does nothing.
    void NewPage();
    /// Ends the print job: what was drawn goes to paper.
    void EndDoc();
    /// Whether a job has been started and not yet ended.
    bool jobOpen() const { return jobOpen_; }

    virtual QString DeviceName() const = 0;
    virtual QString DriverName() const = 0;
    virtual QString Port() const = 0;
    /// 1 monochrome, 2 colour.
    virtual qint16 ColorMode() const = 0;
    /// Resolution in dots per inch.
    virtual qint16 PrintQuality() const = 0;
    qint16 Copies() const { return copies_; }
    void setCopies(qint16 copies) { copies_ = copies; }
    /// The name of the next print job, as the print queue lists it; empty: the system's own.
    QString JobName() const { return jobName_; }
    void setJobName(const QString& name) { jobName_ = name; }
    /// Number of fonts the printer offers, and their names (0-based).
    virtual int FontCount() const;
    virtual QString Fonts(int index) const;

protected:
    Printer() = default;
    /// Opens a job on the device (called before its first operation).
    virtual void beginJob() = 0;
    /// Starts another page of the open job.
    virtual void beginPage() = 0;
    /// Puts one operation on the open job's page.
    virtual void draw(const PrinterOp& op) = 0;
    /// Closes the open job.
    virtual void endJob() = 0;
    /// Turns `painter`, already drawing in twips from the paper's corner, as QuarterTurn asks on
    /// paper `paperWidthTwips` wide.
    void turnOntoPaper(QPainter& painter, double paperWidthTwips) const;

private:
    void add(PrinterOp op);

    qint16 orientation_ = 1;
    std::optional<QPageSize> paperSize_;
    bool quarterTurn_ = false;
    bool pageEnded_ = false;
    QString jobName_;
    qint16 drawMode_ = 13;
    qint16 drawStyle_ = 0;
    qint16 drawWidth_ = 1;
    OleColor fillColor_ = 0;
    OleColor foreColor_ = 0;
    PrinterFont font_;
    qint32 currentX_ = 0;
    qint32 currentY_ = 0;
    qint16 copies_ = 1;
    bool jobOpen_ = false;
};

/// Turns `painter`, drawing in twips from the paper's corner, a quarter turn clockwise onto paper
/// `paperWidthTwips` wide: a drawing's (x, y) lands at (paper width - y, x).
MAILPIECE_EXPORT void turnQuarter(QPainter& painter, double paperWidthTwips);

/// The process's current printer: until a host sets one, the system's default printer, or PDF
/// output (one file per job in pdfOutputDirectory()) when no printer is installed.
MAILPIECE_EXPORT Printer& currentPrinter();
/// Replaces the current printer and returns the previous one; null restores the default.
MAILPIECE_EXPORT std::shared_ptr<Printer> setCurrentPrinter(std::shared_ptr<Printer> printer);
/// Where PDF output goes by default: $MAILPIECE_PDF_DIR, else "mailpiece-output" in the home
/// directory.
MAILPIECE_EXPORT QString pdfOutputDirectory();

} // namespace tav
