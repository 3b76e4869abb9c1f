#include "item_drawing.h"

#include "printer.h"
#include "tav_error.h"
#include "tav_font.h"
#include "tav_meta_cls.h"
#include "tav_picture.h"
#include "units.h"

namespace tav {

namespace {
const QString kSource = QStringLiteral("TavItem");
// The line that thin borders of the box are inset by (twips).
constexpr qint32 kBorderInset = 6;

TextLayout::Box textBox(const ItemFace& face, qint32 left, qint32 top) {
    TextLayout::Box box{left, top, face.width, face.height};
    if (face.borderStyle == 1) {
        box.left = checkedAdd(box.left, kBorderInset, kSource);
        box.top = checkedAdd(box.top, kBorderInset, kSource);
        box.width -= 2 * kBorderInset;
        box.height -= 2 * kBorderInset;
    }
    return box;
}

} // namespace

QString ItemText::problem() const {
    if (whole())
        return {};
    const QString first = lines.at(static_cast<qsizetype>(placed.size()));
    const QString needed = lines.size() >= TextLayout::MaxLines
                               ? QStringLiteral("over %1").arg(lines.size())
                               : QString::number(lines.size());
    return QStringLiteral("\"%1\" does not fit (%2 lines at %3 pt, room for %4)")
        .arg(first.left(60), needed)
        .arg(points)
        .arg(placed.size());
}

ItemText setItemText(const ItemFace& face, const QString& text, qint32 left, qint32 top,
                     bool forPaper) {
    const TextLayout::Box box = textBox(face, left, top);
    PrinterFont font = PrinterFont::fromFont(*face.font);
    for (;;) {
        const auto measure = [&font](const QString& line) { return textWidth(font, line); };
        ItemText set{font.size, TextLayout::breakLines(text, box.width, measure), {}};
        if (face.fitMinimum > 0) {
            // Blank lines at the end (templates of more lines than the piece has) show nothing.
            while (!set.lines.isEmpty() && set.lines.constLast().isEmpty())
                set.lines.removeLast();
        }
        set.placed =
            TextLayout::placeLines(set.lines, box, textHeight(font, QStringLiteral("AWT")),
                                   face.alignHorizontal, face.alignVertical, forPaper, measure);
        double smaller = std::max(face.fitMinimum, font.size - 0.5);
        if (set.whole() || face.fitMinimum <= 0 || !(smaller < font.size))
            return set;
        // Text takes room as the square of its size: where even the smallest size leaves it at
        // twice the room there is, the sizes between need no trying.
        const double scale = face.fitMinimum / font.size;
        if (static_cast<double>(set.lines.size()) * scale * scale >
            2.0 * static_cast<double>(set.placed.size()) / scale)
            smaller = face.fitMinimum;
        font.size = smaller;
    }
}

void recordItem(TavMetaCls& meta, const ItemFace& face, const QString& text, qint32 left,
                qint32 top) {
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setBorderColor(OleColors::ButtonShadow); // a quiet outline of the box
    meta.setFillColor(face.backColor);
    meta.DrawRect(left, top, face.width, face.height, true);
    if (face.picture != nullptr && !face.picture->isEmpty() && face.backStyle == 1)
        meta.DrawGivenObject(face.picture, left, top, face.width, face.height);
    if (face.borderStyle == 1) {
        meta.setBorderColor(OleColors::Black);
        meta.DrawRect(left, top, face.width, face.height);
    }

    const ItemText set = setItemText(face, text, left, top, false);
    const TavFont& font = *face.font;
    meta.setFontName(font.Name());
    // The size the text was set at: a whole point would draw lines shorter than paper's.
    meta.setFontSizeF(static_cast<float>(set.points));
    meta.setItalic(font.Italic());
    meta.setStrikethrough(font.Strikethrough());
    meta.setUnderline(font.Underline());
    meta.setWeight(font.Weight());
    for (const TextLayout::PlacedLine& line : set.placed)
        meta.DrawText(line.text, line.x, line.y, 999999, 999999);
}

void printItem(Printer& printer, const ItemFace& face, const QString& text, qint32 left,
               qint32 top) {
    printBoxOn(printer, left, top, face.width, face.height, face.printWhiteBack, face.backColor,
               face.picture, face.borderStyle == 1);
    const ItemText set = setItemText(face, text, left, top, true);
    PrinterFont font = PrinterFont::fromFont(*face.font);
    font.size = set.points;
    printer.setFont(font);
    for (const TextLayout::PlacedLine& line : set.placed) {
        printer.setCurrentX(line.x);
        printer.setCurrentY(line.y);
        printer.Print(line.text);
    }
}

void printBoxOn(Printer& printer, qint32 left, qint32 top, qint32 width, qint32 height,
                bool whiteBack, OleColor back, const TavPicture* picture, bool border) {
    printer.setDrawMode(13); // copy pen
    printer.setDrawStyle(0);
    printer.setDrawWidth(1);
    if (!whiteBack)
        printer.Box(left, top, width, height, back, true);
    if (picture != nullptr && !picture->isEmpty()) {
        const QSize own = picture->sizeTwips();
        printer.PaintPicture(picture->Image(), left, top, own.width(), own.height());
    }
    if (border)
        printer.Box(left, top, width, height, OleColors::Black, false);
}

} // namespace tav
