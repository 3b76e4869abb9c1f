#include "printer_text.h"

#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <list>
#include <memory>

namespace tav {

namespace {

// Qt's fixed-point advance wraps around past some million twips (a spreadsheet cell of a
// megabyte): longer shaped text is measured in pieces, which add up without kerning.
constexpr qsizetype kPiece = 512;
// Enough for every line of a few pieces, measured while fitting and then drawn.
constexpr int kShapedLinesKept = 256;
// The fonts a design uses, text and bar code captions, with room to spare.
constexpr std::size_t kFontsKept = 8;

struct KeptFont {
    PrinterFont key;
    std::unique_ptr<FontWithMetrics> made;
};

// Never destroyed with the statics: the application object, which releases the fonts, may
// outlive them (a host's QApplication ended from an exit handler).
std::list<KeptFont>& keptFonts() {
    static auto* fonts = new std::list<KeptFont>();
    return *fonts;
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
    : font_(made)
    , plainFont_(made)
    , metrics_(made)
    , shaped_(kShapedLinesKept) {
    plainFont_.setStyleStrategy(QFont::PreferNoShaping);
}

double FontWithMetrics::plainWidth(QStringView text) const {
    double width = 0;
    for (const QChar c : text) {
        double& advance = advances_[c.unicode()];
        if (advance == 0)
            advance = metrics_.horizontalAdvance(c);
        width += advance;
    }
    return width;
}

const FontWithMetrics::ShapedLine* FontWithMetrics::shaped(QStringView line) const {
    if (line.size() > kPiece)
        return nullptr;
    const QString key = line.toString();
    if (const ShapedLine* kept = shaped_.object(key))
        return kept;
    QTextLayout layout(key, font_);
    layout.beginLayout();
    QTextLine set = layout.createLine();
    set.setLineWidth(std::numeric_limits<int>::max() / 2.0); // one line, never wrapped
    layout.endLayout();
    auto made = std::make_unique<ShapedLine>();
    made->width = set.horizontalAdvance();
    made->ascent = set.ascent();
    made->glyphs = set.glyphRuns();
    const ShapedLine* result = made.get();
    shaped_.insert(key, made.release());
    return result;
}

double FontWithMetrics::lineWidth(QStringView line) const {
    if (plainText(line))
        return plainWidth(line);
    if (const ShapedLine* set = shaped(line))
        return set->width;
    double width = 0;
    for (qsizetype from = 0; from < line.size(); from += kPiece)
        width += metrics_.horizontalAdvance(line.mid(from, kPiece).toString());
    return width;
}

void FontWithMetrics::draw(QPainter& painter, QPointF topLeft, const QString& text) const {
    const bool oneLine = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
    const bool plain = oneLine && plainText(text);
    if (oneLine && !plain) {
        if (const ShapedLine* set = shaped(text)) {
            // The baseline where the font's own ascent puts it, whatever fonts the line took.
            const QPointF origin = topLeft + QPointF(0, metrics_.ascent() - set->ascent);
            for (const QGlyphRun& run : set->glyphs)
                painter.drawGlyphRun(origin, run);
            return;
        }
    }
    painter.setFont(plain ? plainFont_ : font_);
    painter.drawText(topLeft + QPointF(0, metrics_.ascent()), text);
}

const FontWithMetrics& fontWithMetrics(const PrinterFont& font) {
    std::list<KeptFont>& fonts = keptFonts();
    const auto found = std::find_if(fonts.begin(), fonts.end(),
                                    [&](const KeptFont& kept) { return kept.key == font; });
    if (found != fonts.end()) {
        fonts.splice(fonts.begin(), fonts, found); // the most recent first
        return *fonts.front().made;
    }
    if (fonts.size() >= kFontsKept)
        fonts.pop_back();
    fonts.push_front({font, std::make_unique<FontWithMetrics>(font.toQFont())});
    return *fonts.front().made;
}

void releaseFonts() {
    keptFonts().clear();
}

} // namespace tav
