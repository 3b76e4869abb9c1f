#include "bar_drawing.h"

#include "bar_dots.h"
#include "bar_placement.h"
#include "four_state.h"
#include "intelligent_mail.h"
#include "item_drawing.h"
#include "postnet.h"
#include "printer.h"
#include "tav_enum_cls.h"
#include "tav_meta_cls.h"

#include <cmath>

namespace tav {

const BarMetrics& barMetrics(qint16 symbology) {
    const FourState::Spec* fourState = FourState::spec(symbology);
    return fourState != nullptr ? fourState->metrics : Postnet::Metrics;
}

QString encodeBars(qint16 symbology, const QString& value) {
    if (symbology == TavEnumCls::TavIntelligentMail)
        return IntelligentMail::EncodePieceValue(value);
    if (FourState::ofAnotherPost(symbology))
        return FourState::encode(symbology, value);
    return Postnet::EncodePostnet(value);
}

namespace {

// The bars laid out in whole printer dots from where the twip layout puts the first one: every
// edge on a dot's edge, so each bar prints as many dots wide as every other.
std::vector<QRect> dotBoxes(const BarFace& face, const BarLayout& layout, const DotBars& dots) {
    const double perDot = 1440.0 / dots.dotsPerInch;
    const auto twips = [perDot](qint64 dot) {
        return static_cast<qint32>(std::llround(static_cast<double>(dot) * perDot));
    };
    const qint64 firstDot = std::llround(layout.starts.front() / perDot);
    const qint64 baseDot = std::llround(layout.baseline / perDot);
    const bool fourState = FourState::spec(face.symbology) != nullptr;
    std::vector<QRect> bars;
    bars.reserve(layout.starts.size());
    for (std::size_t k = 0; k < layout.starts.size(); ++k) {
        const QChar bar = face.pattern.at(static_cast<qsizetype>(k));
        // Dots up from the baseline to the bar's top and to its bottom.
        qint32 topDots = bar == QLatin1Char('.') ? dots.short_ : dots.full;
        qint32 bottomDots = 0;
        if (fourState) {
            topDots = bar == QLatin1Char('F') || bar == QLatin1Char('A')
                          ? dots.full
                          : dots.short_ + dots.extender;
            bottomDots = bar == QLatin1Char('A') || bar == QLatin1Char('T') ? dots.extender : 0;
        }
        const qint64 leftDot = firstDot + static_cast<qint64>(k) * dots.pitch;
        const qint32 x = twips(leftDot);
        const qint32 y = twips(baseDot - topDots);
        bars.emplace_back(x, y, twips(leftDot + dots.width) - x, twips(baseDot - bottomDots) - y);
    }
    return bars;
}

} // namespace

std::vector<QRect> barBoxes(const BarFace& face, qint32 left, qint32 top, qint32 dotsPerInch) {
    const BarLayout layout =
        placeBars(static_cast<qint32>(face.pattern.size()), barMetrics(face.symbology), left, top,
                  face.width, face.height, face.alignHorizontal, face.alignVertical);
    if (const auto dots = snapToDots(face.symbology, dotsPerInch); dots && !layout.starts.empty())
        return dotBoxes(face, layout, *dots);
    const FourState::Spec* fourState = FourState::spec(face.symbology);
    std::vector<QRect> bars;
    bars.reserve(layout.starts.size());
    for (std::size_t k = 0; k < layout.starts.size(); ++k) {
        const QChar bar = face.pattern.at(static_cast<qsizetype>(k));
        if (fourState != nullptr) {
            const auto extent = FourState::extent(*fourState, bar);
            bars.emplace_back(layout.starts[k], layout.baseline - extent.top,
                              fourState->metrics.barWidth, extent.top - extent.bottom);
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
    std::vector<QRect> bars = barBoxes(face, left, top, printer.PrintQuality());
    if (bars.empty())
        return;
    // The bars as one operation: a box each would make them the costliest part of a page.
    printer.FilledBoxes(std::move(bars), OleColors::Black);
}

} // namespace tav
