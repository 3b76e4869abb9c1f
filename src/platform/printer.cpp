#include "printer.h"

#include "pdf_printer.h"
#include "pen_style.h"
#include "system_printer.h"
#include "tav_font.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinterInfo>

namespace tav {

namespace {

constexpr double kTwipsPerDot = 1440.0 / 600.0;

struct FontCache {
    PrinterFont key;
    std::unique_ptr<FontWithMetrics> made;
};

// Never destroyed with the statics: the application object, which releases it, may outlive
// them (a host's QApplication ended from an exit handler).
FontCache& fontCache() {
    static auto* cache = new FontCache();
    return *cache;
}

std::shared_ptr<Printer>& current();

// Printers and fonts hold Qt objects that must be gone before the application object is: a PDF
// document finished after it would be written with no font database left.
void releaseBeforeApplicationEnds() {
    current().reset();
    fontCache().made.reset();
}

std::shared_ptr<Printer>& current() {
    static auto* printer = new std::shared_ptr<Printer>(); // kept past the statics, as above
    static const bool released = (qAddPostRoutine(releaseBeforeApplicationEnds), true);
    Q_UNUSED(released);
    return *printer;
}

std::shared_ptr<Printer> makeDefaultPrinter() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        return std::make_shared<SystemPrinter>();
    return PdfPrinter::filePerJob(pdfOutputDirectory());
}

PrinterOp makeOp(PrinterOp::Kind kind, qint32 x1, qint32 y1, qint32 x2, qint32 y2,
                 OleColor color = 0) {
    PrinterOp op;
    op.kind = kind;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    return op;
}

// The advance of `line`, measured in pieces: Qt's fixed-point advance wraps around past some
// million twips (a spreadsheet cell of a megabyte), and without kerning the pieces add up.
double advance(const FontWithMetrics& made, QStringView line) {
    if (plainText(line))
        return made.plainWidth(line);
    constexpr qsizetype kPiece = 512;
    double width = 0;
    for (qsizetype from = 0; from < line.size(); from += kPiece)
        width += made.metrics.horizontalAdvance(line.mid(from, kPiece).toString());
    return width;
}

} // namespace

bool plainText(QStringView text) {
    // Printable Latin-1 and Latin Extended: no combining marks, no controls or soft hyphen,
    // nothing a shaper would join or reorder.
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0x250 && u != 0xAD);
    });
}

FontWithMetrics::FontWithMetrics(const QFont& made)
    : font(made)
    , plainFont(made)
    , metrics(made) {
    plainFont.setStyleStrategy(QFont::PreferNoShaping); // as plainWidth measures it
}

double FontWithMetrics::plainWidth(QStringView text) const {
    double width = 0;
    for (const QChar c : text) {
        double& advance = advances_[c.unicode()];
        if (advance == 0)
            advance = metrics.horizontalAdvance(c);
        width += advance;
    }
    return width;
}

PrinterFont PrinterFont::fromFont(const TavFont& font) {
    PrinterFont result;
    result.name = font.Name();
    result.size = font.Size();
    result.bold = font.Bold();
    result.italic = font.Italic();
    result.underline = font.Underline();
    result.strikethrough = font.Strikethrough();
    result.weight = font.Weight();
    return result;
}

QFont PrinterFont::toQFont() const {
    QFont font(name);
    // Points to twips, kept to what a font engine can draw: a size from a damaged design must
    // not overflow.
    font.setPixelSize(std::isfinite(size) ? static_cast<int>(std::clamp(size * 20.0, 1.0, 32767.0))
                                          : 1);
    font.setBold(bold || isBoldWeight(weight));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikethrough);
    font.setKerning(false); // widths add up as measured, character by character
    return font;
}

// Made once for the last font asked for: a mailing prints the same few fonts thousands of times,
// and making a font is costly. The result is the same as making it anew.
const FontWithMetrics& fontWithMetrics(const PrinterFont& font) {
    FontCache& cache = fontCache();
    if (!cache.made || !(cache.key == font)) {
        cache.made = std::make_unique<FontWithMetrics>(font.toQFont());
        cache.key = font;
    }
    return *cache.made;
}

void PrinterOp::paint(QPainter& painter) const {
    // Each operation sets all the painter state it uses, so no save and restore is needed: that
    // keeps PDF output free of a graphics state change per bar.
    const QColor qcolor = toQColor(color);
    const auto pen = [&] {
        return QPen(qcolor, std::max(1.0, drawWidth * kTwipsPerDot), qtPenStyle(drawStyle),
                    Qt::SquareCap, Qt::MiterJoin);
    };
    switch (kind) {
    case Line:
        painter.setPen(pen());
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
        break;
    case Box:
        if (filled) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(qcolor);
        } else {
            painter.setPen(pen());
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawRect(QRectF(x1, y1, x2, y2).normalized());
        break;
    case Text: {
        const FontWithMetrics& made = fontWithMetrics(font);
        painter.setFont(plainText(text) ? made.plainFont : made.font);
        painter.setPen(qcolor);
        painter.drawText(QPointF(x1, y1 + made.metrics.ascent()), text);
        break;
    }
    case Picture:
        painter.drawImage(QRectF(x1, y1, x2, y2), image);
        break;
    case Boxes:
        painter.setPen(Qt::NoPen);
        painter.setBrush(qcolor);
        painter.drawRects(boxes.data(), static_cast<int>(boxes.size()));
        break;
    }
}

Printer::~Printer() = default;

void Printer::add(PrinterOp op) {
    if (!jobOpen_) {
        beginJob();
        jobOpen_ = true;
    }
    op.drawWidth = drawWidth_;
    op.drawStyle = drawStyle_;
    draw(op);
}

void Printer::Line(qint32 x1, qint32 y1, qint32 x2, qint32 y2, OleColor color) {
    add(makeOp(PrinterOp::Line, x1, y1, x2, y2, color));
}

void Printer::Box(qint32 x, qint32 y, qint32 width, qint32 height, OleColor color, bool filled) {
    PrinterOp op = makeOp(PrinterOp::Box, x, y, width, height, color);
    op.filled = filled;
    add(op);
}

void Printer::FilledBoxes(std::vector<QRect> boxes, OleColor color) {
    PrinterOp op = makeOp(PrinterOp::Boxes, 0, 0, 0, 0, color);
    op.filled = true;
    op.boxes = std::move(boxes);
    add(std::move(op));
}

void Printer::Print(const QString& text) {
    PrinterOp op = makeOp(PrinterOp::Text, currentX_, currentY_, 0, 0, foreColor_);
    op.text = text;
    op.font = font_;
    add(op);
    currentX_ = 0;
    currentY_ += qRound(TextHeight(text));
}

void Printer::PaintPicture(const QImage& image, qint32 x, qint32 y, qint32 width, qint32 height) {
    if (image.isNull())
        return;
    PrinterOp op = makeOp(PrinterOp::Picture, x, y, width, height);
    op.image = image;
    add(op);
}

double textWidth(const PrinterFont& font, const QString& text) {
    const FontWithMetrics& made = fontWithMetrics(font);
    double widest = 0;
    for (const QStringView line : QStringView(text).tokenize(QLatin1Char('\n')))
        widest = std::max(widest,
                          advance(made, line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line));
    return widest;
}

double textHeight(const PrinterFont& font, const QString& text) {
    return fontWithMetrics(font).metrics.lineSpacing() * (text.count(QLatin1Char('\n')) + 1);
}

double Printer::TextWidth(const QString& text) const {
    return textWidth(font_, text);
}

double Printer::TextHeight(const QString& text) const {
    return textHeight(font_, text);
}

void Printer::EndDoc() {
    if (!jobOpen_)
        return;
    // Closed also when ending it fails, so the next job starts afresh.
    jobOpen_ = false;
    currentX_ = 0;
    currentY_ = 0;
    endJob();
}

int Printer::FontCount() const {
    return static_cast<int>(QFontDatabase::families().size());
}

QString Printer::Fonts(int index) const {
    return QFontDatabase::families().value(index);
}

Printer& currentPrinter() {
    if (!current())
        current() = makeDefaultPrinter();
    return *current();
}

std::shared_ptr<Printer> setCurrentPrinter(std::shared_ptr<Printer> printer) {
    if (!printer)
        printer = makeDefaultPrinter();
    return std::exchange(current(), std::move(printer));
}

QString pdfOutputDirectory() {
    const QString configured = qEnvironmentVariable("MAILPIECE_PDF_DIR");
    return configured.isEmpty() ? QDir::home().filePath(QStringLiteral("mailpiece-output"))
                                : configured;
}

} // namespace tav
