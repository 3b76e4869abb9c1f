#pragma once

#include "printer.h"

#include <QCache>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>

#include <array>

class QPainter;

namespace tav {

/// Whether `text` needs no shaping: Latin letters, digits and signs, each drawn as one glyph,
/// so that its width is the sum of its characters' advances.
MAILPIECE_EXPORT bool plainText(QStringView text);

/// A printer font made once, measuring lines as it draws them: plain text from a table of its
/// characters' advances and drawn unshaped; other text shaped once, and drawn from the glyphs
/// found measuring it.
class MAILPIECE_EXPORT FontWithMetrics {
public:
    explicit FontWithMetrics(const QFont& made);

    /// The font, in twips.
    const QFont& font() const { return font_; }
    /// Its metrics, in twips.
    const QFontMetricsF& metrics() const { return metrics_; }
    /// The width of `line` (no line breaks) in twips.
    double lineWidth(QStringView line) const;
    /// Draws `text` in `painter`'s pen with its top left corner at `topLeft`.
    void draw(QPainter& painter, QPointF topLeft, const QString& text) const;

private:
    struct ShapedLine {
        double width = 0;
        double ascent = 0; // of the fonts the line took, which may be more than one
        QList<QGlyphRun> glyphs;
    };

    double plainWidth(QStringView text) const;
    // The line shaped, once for as long as it stays among the recent ones; none for a line
    // too long to be set in one piece.
    const ShapedLine* shaped(QStringView line) const;

    static constexpr char16_t kPlainEnd = 0x250; // plain characters lie below

    QFont font_;
    QFont plainFont_; // unshaped, as plainWidth measures
    QFontMetricsF metrics_;
    mutable std::array<double, kPlainEnd> advances_{}; // 0: not yet measured
    mutable QCache<QString, ShapedLine> shaped_;
};

/// The made font for `font`; the few fonts a mailing prints are kept, as making one is costly.
MAILPIECE_EXPORT const FontWithMetrics& fontWithMetrics(const PrinterFont& font);

/// Lets go of the kept fonts (before the application object, which they need, is gone).
void releaseFonts();

} // namespace tav
