#include "printer.h"

#include "pdf_printer.h"
#include "pen_style.h"
#include "printer_text.h"
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

std::shared_ptr<Printer>& current();

// Printers and fonts hold Qt objects that must be gone before the application object is: a PDF
// document finished after it would be written with no font database left.
void releaseBeforeApplicationEnds() {
    current().reset();
    releaseFonts();
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

} // namespace

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
        painter.setPen(qcolor);
        fontWithMetrics(font).draw(painter, QPointF(x1, y1), text);
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
    } else if (pageEnded_) {
        beginPage();
    }
    pageEnded_ = false;
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
        widest = std::max(
            widest, made.lineWidth(line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line));
    return widest;
}

double textHeight(const PrinterFont& font, const QString& text) {
    return fontWithMetrics(font).metrics().lineSpacing() * (text.count(QLatin1Char('\n')) + 1);
}

double Printer::TextWidth(const QString& text) const {
    return textWidth(font_, text);
}

double Printer::TextHeight(const QString& text) const {
    return textHeight(font_, text);
}

void Printer::NewPage() {
    if (!jobOpen_)
        return;
    pageEnded_ = true;
    currentX_ = 0;
    currentY_ = 0;
}

void turnQuarter(QPainter& painter, double paperWidthTwips) {
    painter.translate(paperWidthTwips, 0);
    painter.rotate(90);
}

void Printer::turnOntoPaper(QPainter& painter, double paperWidthTwips) const {
    if (quarterTurn_)
        turnQuarter(painter, paperWidthTwips);
}

void Printer::EndDoc() {
    if (!jobOpen_)
        return;
    // Closed also when ending it fails, so the next job starts afresh.
    jobOpen_ = false;
    pageEnded_ = false;
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
