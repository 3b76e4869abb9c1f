#include "piece_renderer.h"

#include "bar_placement.h"
#include "piece_record.h"
#include "printer.h"
#include "render_child.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_meta_cls.h"
#include "units.h"

#include <algorithm>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavLabel:PlacePiece");

} // namespace

PieceRenderer::PieceRenderer(const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                             const TavBarCodeCls& barCode, double fitMinimum, bool printWhiteBacks,
                             bool forPaper)
    : printWhiteBacks_(printWhiteBacks) {
    const bool whiteBacks = forPaper && printWhiteBacks;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TavItemCls& record = *items[i];
        if (!record.Visible())
            continue;
        Item item;
        item.number = static_cast<int>(i) + 1;
        item.textTemplate = record.TextControl();
        item.left = inchesToTwips(record.Left1(), kSource);
        item.top = inchesToTwips(record.Top(), kSource);
        item.face.width = inchesToTwips(record.Width(), kSource);
        item.face.height = inchesToTwips(record.Height(), kSource);
        item.face.backColor = whiteBacks ? OleColors::White : record.BackColor();
        item.face.borderStyle = static_cast<qint16>(record.BorderStyle());
        item.face.alignHorizontal = static_cast<qint16>(record.AlignHorizontal());
        item.face.alignVertical = static_cast<qint16>(record.AlignVertical());
        item.face.font = record.font().get();
        item.face.picture = record.Picture().get();
        item.face.fitMinimum = fitMinimum;
        items_.push_back(std::move(item));
    }
    if (!barCode.Visible())
        return;
    BarFace bars;
    bars.symbology = static_cast<qint16>(barCode.Symbology());
    bars.width = inchesToTwips(barCode.Width(), kSource);
    // The box is never lower than the full bars.
    bars.height =
        std::max(inchesToTwips(barCode.Height(), kSource), barMetrics(bars.symbology).fullHeight);
    bars.backColor = whiteBacks ? OleColors::White : barCode.BackColor();
    barsLeft_ = inchesToTwips(barCode.Left1(), kSource);
    barsTop_ = inchesToTwips(barCode.Top(), kSource);
    bars_ = bars;
}

BarFace PieceRenderer::barsOf(const QString& value) const {
    BarFace bars = *bars_;
    bars.pattern = encodeBars(bars.symbology, value);
    return bars;
}

QString PieceRenderer::textFitProblem(const PieceTexts& texts) const {
    QStringList problems;
    for (const Item& item : items_) {
        const QString problem =
            setItemText(item.face, texts.fill(item.textTemplate), 0, 0, true).problem();
        if (!problem.isEmpty())
            problems << QStringLiteral("item %1: %2").arg(item.number).arg(problem);
    }
    return problems.join(QStringLiteral("; "));
}

void PieceRenderer::print(Printer& printer, const PieceRecord& piece, const PieceLook& look,
                          QSize size, qint32 left, qint32 top, OleColor back) const {
    printBoxOn(printer, left, top, size.width(), size.height(), printWhiteBacks_, back,
               look.picture, look.border);
    for (const Item& item : items_)
        printItem(printer, item.face, piece.texts.fill(item.textTemplate),
                  checkedAdd(item.left, left, kSource), checkedAdd(item.top, top, kSource));
    if (bars_)
        printBars(printer, barsOf(piece.barCodeValue), checkedAdd(barsLeft_, left, kSource),
                  checkedAdd(barsTop_, top, kSource));
}

void PieceRenderer::record(TavMetaCls& meta, const PieceRecord* piece, const PieceLook& look,
                           QSize size, qint32 left, qint32 top, OleColor back) const {
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setBorderColor(look.foreColor);
    meta.setFillColor(back);
    meta.DrawRect(left, top, size.width(), size.height(), true);
    if (look.border) {
        meta.setBorderColor(OleColors::Black);
        meta.DrawRect(left, top, size.width(), size.height());
    }
    if (piece == nullptr)
        return;
    for (const Item& item : items_) {
        try {
            recordItem(meta, item.face, piece->texts.fill(item.textTemplate),
                       checkedAdd(item.left, left, kSource), checkedAdd(item.top, top, kSource));
        } catch (const TavError&) {
            reportNotDrawn(QStringLiteral("TavItem%1").arg(item.number));
        }
    }
    if (!bars_)
        return;
    try {
        recordBars(meta, barsOf(piece->barCodeValue), checkedAdd(barsLeft_, left, kSource),
                   checkedAdd(barsTop_, top, kSource));
    } catch (const TavError&) {
        reportNotDrawn(QStringLiteral("TavBarcode1"));
    }
}

} // namespace tav
