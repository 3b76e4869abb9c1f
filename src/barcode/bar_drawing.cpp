#include "bar_drawing.h"

#include "bar_placement.h"
#include "intelligent_mail.h"
#include "item_drawing.h"
#include "postnet.h"
#include "printer.h"
#include "tav_enum_cls.h"
#include "tav_meta_cls.h"

namespace tav {

namespace {

bool intelligentMail(qint16 symbology) {
    return symbology == TavEnumCls::TavIntelligentMail;
}

} // namespace

const BarMetrics& barMetrics(qint16 symbology) {
    return intelligentMail(symbology) ? IntelligentMail::Metrics : Postnet::Metrics;
}

QString encodeBars(qint16 symbology, const QString& value) {
    return intelligentMail(symbology) ? IntelligentMail::EncodePieceValue(value)
                                      : Postnet::EncodePostnet(value);
}

std::vector<QRect> barBoxes(const BarFace& face, qint32 left, qint32 top) {
    const BarLayout layout =
        placeBars(static_cast<qint32>(face.pattern.size()), barMetrics(face.symbology), left, top,
                  face.width, face.height, face.alignHorizontal, face.alignVertical);
    std::vector<QRect> bars;
    bars.reserve(layout.starts.size());
    for (std::size_t k = 0; k < layout.starts.size(); ++k) {
        const QChar bar = face.pattern.at(static_cast<qsizetype>(k));
        if (intelligentMail(face.symbology)) {
            const auto extent = IntelligentMail::barExtent(bar);
            bars.emplace_back(layout.starts[k], layout.baseline - extent.top,
                              IntelligentMail::BarWidth, extent.top - extent.bottom);
        } else {
            const qint32 height =
                bar == QLatin1Char('1') ? Postnet::FullBarHeight : Postnet::HalfBarHeight;
            bars.emplace_back(layout.starts[k], layout.baseline - height, Postnet::PrintedBarWidth,
                              height);
        }
    }
    return bars;
}

void recordBars(TavMetaCls& meta, const BarFace& face, qint32 left, qint32 top) {
    meta.setBorderColor(OleColors::ButtonShadow); // a quiet outline of the box
    meta.setBorderStyle(TavEnumCls::moSolid);
    meta.setBorderWidth(1);
    meta.setFillColor(face.backColor);
    meta.DrawRect(left, top, face.width, face.height, true);

    meta.setBorderColor(OleColors::Black);
    meta.setFillColor(OleColors::Black);
    meta.setBorderStyle(TavEnumCls::moNone);
    meta.setBorderWidth(1);
    for (const QRect& bar : barBoxes(face, left, top))
        meta.DrawShape(TavEnumCls::moSquare, bar.x(), bar.y(), bar.width(), bar.height());
}

void printBars(Printer& printer, const BarFace& face, qint32 left, qint32 top) {
    printBoxOn(printer, left, top, face.width, face.height, face.printWhiteBack, face.backColor,
               nullptr, false);
    std::vector<QRect> bars = barBoxes(face, left, top);
    if (bars.empty())
        return;
    // The bars as one operation: a box each would make them the costliest part of a page.
    printer.FilledBoxes(std::move(bars), OleColors::Black);
}

} // namespace tav
