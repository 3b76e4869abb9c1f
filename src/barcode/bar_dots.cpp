// The tolerances are the posts': POSTNET's in DMM 708.4.4 (bar width 0.015 to 0.025 in, 20 to 24
// bars an inch, full bars 0.115 to 0.135 in, half bars 0.040 to 0.060 in), the four-state
// codes' in four_state.cpp.

#include "bar_dots.h"

#include "four_state.h"
#include "postnet.h"
#include "tav_enum_cls.h"

#include <cmath>

namespace tav {

namespace {

// The whole dots nearest `nominal` inches within [low, high] inches, or none.
std::optional<qint32> dots(double nominal, double low, double high, qint32 dotsPerInch) {
    const auto least = static_cast<qint32>(std::ceil(low * dotsPerInch - 1e-9));
    const auto most = static_cast<qint32>(std::floor(high * dotsPerInch + 1e-9));
    if (least > most)
        return std::nullopt;
    return std::clamp(static_cast<qint32>(std::lround(nominal * dotsPerInch)), least, most);
}

double inches(qint32 twips) {
    return twips / 1440.0;
}

bool within(qint32 dotCount, double low, double high, qint32 dotsPerInch) {
    const double size = static_cast<double>(dotCount) / dotsPerInch;
    return size >= low - 1e-9 && size <= high + 1e-9;
}

// POSTNET's bars in whole dots (DMM 708.4.4).
std::optional<DotBars> postnetDots(qint32 dotsPerInch) {
    const auto pitch = dots(inches(Postnet::BarPitch), 1.0 / 24, 1.0 / 20, dotsPerInch);
    const auto width = dots(inches(Postnet::PrintedBarWidth), 0.015, 0.025, dotsPerInch);
    const auto full = dots(inches(Postnet::FullBarHeight), 0.115, 0.135, dotsPerInch);
    const auto half = dots(inches(Postnet::HalfBarHeight), 0.040, 0.060, dotsPerInch);
    if (!pitch || !width || *width >= *pitch || !full || !half)
        return std::nullopt;
    return DotBars{dotsPerInch, *pitch, *width, *full, *half, 0};
}

} // namespace

std::optional<DotBars> snapToDots(qint16 symbology, qint32 dotsPerInch) {
    if (dotsPerInch < 100 || dotsPerInch >= 600)
        return std::nullopt;
    const FourState::Spec* fourState = FourState::spec(symbology);
    if (fourState == nullptr)
        return postnetDots(dotsPerInch);
    const FourState::Tolerances& t = fourState->tolerances;
    const BarMetrics& metrics = fourState->metrics;
    const auto pitch =
        dots(inches(metrics.pitch), 1 / t.barsPerInchHigh, 1 / t.barsPerInchLow, dotsPerInch);
    const auto width = dots(inches(metrics.barWidth), t.widthLow, t.widthHigh, dotsPerInch);
    const auto tracker = dots(inches(fourState->tracker), t.trackerLow, t.trackerHigh, dotsPerInch);
    if (!pitch || !width || *width >= *pitch || !tracker)
        return std::nullopt;
    // The extenders share the rest of the full bar; both sums must stay within their ranges.
    const double fullDots = inches(metrics.fullHeight) * dotsPerInch;
    const auto extender = static_cast<qint32>(std::lround((fullDots - *tracker) / 2));
    for (const qint32 tried : {extender, extender - 1, extender + 1}) {
        if (within(*tracker + 2 * tried, t.fullLow, t.fullHigh, dotsPerInch) &&
            within(*tracker + tried, t.ascenderLow, t.ascenderHigh, dotsPerInch))
            return DotBars{dotsPerInch, *pitch, *width, *tracker + 2 * tried, *tracker, tried};
    }
    return std::nullopt;
}

} // namespace tav
