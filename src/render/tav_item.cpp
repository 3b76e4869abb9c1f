#include "tav_item.h"

#include "printer.h"
#include "str_lib.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_meta_cls.h"
#include "units.h"

#include <QPainter>

namespace tav {

namespace {
const QString kSource = QStringLiteral("TavItem");
// The line that thin borders of the box are inset by (twips).
constexpr qint32 kBorderInset = 6;
} // namespace

TavItem::TavItem(QWidget* parent)
    : RenderChild(parent)
    , font_(std::make_shared<TavFont>())
    , picture_(std::make_shared<TavPicture>()) {
}

void TavItem::setBackStyle(qint16 style) {
    backStyle_ = style;
    update();
}

void TavItem::setfont(std::shared_ptr<TavFont> font) {
    font_ = requireObject(std::move(font), QStringLiteral("TavItem:Font Property Set"));
}

void TavItem::setAlignVertical(qint16 alignment) {
    alignVertical_ = alignment;
    update();
}

void TavItem::setTextControl(const QString& text) {
    textControl_ = text;
    update();
}

void TavItem::setTextSubstitute(const QString& text) {
    textSubstitute_ = text;
    update();
}

void TavItem::setForeColor(OleColor color) {
    foreColor_ = color;
    update();
}

void TavItem::setBackColor(OleColor color) {
    backColor_ = color;
    update();
}

void TavItem::setPicture(std::shared_ptr<TavPicture> picture) {
    picture_ = requireObject(std::move(picture), QStringLiteral("TavItem:Picture Property Set"));
}

void TavItem::setBorderStyle(qint16 style) {
    borderStyle_ = style;
}

void TavItem::setAlignHorizontal(qint16 alignment) {
    alignHorizontal_ = alignment;
}

void TavItem::loadRecord(const TavItemCls& record) {
    setTextControl(record.TextControl());
    setAlignHorizontal(static_cast<qint16>(record.AlignHorizontal()));
    setAlignVertical(static_cast<qint16>(record.AlignVertical()));
    setBackColor(record.BackColor());
    setBorderStyle(static_cast<qint16>(record.BorderStyle()));
    setEnabled(record.Enabled());
    setLineSpacing(static_cast<qint16>(roundToInt(record.LineSpacing(), kSource)));
    setWrap(record.Wrap());
    setPicture(record.Picture());
    setfont(record.font());
}

QString TavItem::composedText() const {
    return StrLib::SubstituteTokens(textControl_, textSubstitute_, QStringLiteral("^"),
                                    QStringLiteral("|"));
}

TextLayout::Box TavItem::textBox(qint32 left, qint32 top) const {
    TextLayout::Box box{left, top, widthTwips(), heightTwips()};
    if (borderStyle_ == 1) {
        box.left = checkedAdd(box.left, kBorderInset, kSource);
        box.top = checkedAdd(box.top, kBorderInset, kSource);
        box.width -= 2 * kBorderInset;
        box.height -= 2 * kBorderInset;
    }
    return box;
}

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

ItemText TavItem::layout(Printer& printer, qint32 left, qint32 top, bool forPaper) const {
    const QString text = composedText();
    const TextLayout::Box box = textBox(left, top);
    PrinterFont font = PrinterFont::fromFont(*font_);
    const auto measure = [&printer](const QString& line) { return printer.TextWidth(line); };
    for (;;) {
        printer.setFont(font);
        ItemText set{font.size, TextLayout::breakLines(text, box.width, measure), {}};
        if (fitMinimum_ > 0) {
            // Blank lines at the end (templates of more lines than the piece has) show nothing.
            while (!set.lines.isEmpty() && set.lines.constLast().isEmpty())
                set.lines.removeLast();
        }
        set.placed =
            TextLayout::placeLines(set.lines, box, printer.TextHeight(QStringLiteral("AWT")),
                                   alignHorizontal_, alignVertical_, forPaper, measure);
        double smaller = std::max(fitMinimum_, font.size - 0.5);
        if (set.whole() || fitMinimum_ <= 0 || !(smaller < font.size))
            return set;
        // Text takes room as the square of its size: where even the smallest size leaves it at
        // twice the room there is, the sizes between need no trying.
        const double scale = fitMinimum_ / font.size;
        if (static_cast<double>(set.lines.size()) * scale * scale >
            2.0 * static_cast<double>(set.placed.size()) / scale)
            smaller = fitMinimum_;
        font.size = smaller;
    }
}

void TavItem::MFRender(TavMetaCls& meta, qint32 left, qint32 top) {
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setBorderColor(OleColors::ButtonShadow); // a quiet outline of the box
    meta.setFillColor(backColor_);
    meta.DrawRect(left, top, widthTwips(), heightTwips(), true);
    if (!picture_->isEmpty() && backStyle_ == 1)
        meta.DrawGivenObject(picture_.get(), left, top, widthTwips(), heightTwips());
    if (borderStyle_ == 1) {
        meta.setBorderColor(OleColors::Black);
        meta.DrawRect(left, top, widthTwips(), heightTwips());
    }

    const ItemText set = layout(currentPrinter(), left, top, false);
    meta.setFontName(font_->Name());
    // The size the text was set at: a whole point would draw lines shorter than paper's.
    meta.setFontSizeF(static_cast<float>(set.points));
    meta.setItalic(font_->Italic());
    meta.setStrikethrough(font_->Strikethrough());
    meta.setUnderline(font_->Underline());
    meta.setWeight(font_->Weight());
    for (const TextLayout::PlacedLine& line : set.placed)
        meta.DrawText(line.text, line.x, line.y, 999999, 999999);
}

void TavItem::PrintSelf(qint32 left, qint32 top) {
    Printer& printer =
        printBox(left, top, printWhiteBacks_, backColor_, picture_.get(), borderStyle_ == 1);
    for (const TextLayout::PlacedLine& line : layout(printer, left, top, true).placed) {
        printer.setCurrentX(line.x);
        printer.setCurrentY(line.y);
        printer.Print(line.text);
    }
}

void TavItem::RenderSelf(QPaintDevice* device, qint32 top, qint32 left, qint16 size) {
    TavMetaCls meta;
    if (!meta.CreateMetaObject(device))
        return;
    MFRender(meta, left, top);
    meta.PrintMetaObject(device, size);
}

} // namespace tav
