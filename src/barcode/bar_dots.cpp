// The tolerances are the post's: POSTNET in DMM 708.4.4 (bar width 0.015 to 0.025 in, 20 to 24
// bars an inch, full bars 0.115 to 0.135 in, half bars 0.040 to 0.060 in) and the Intelligent
// Mail barcode in USPS-B-3200 section 2.3.1 (the same width and pitch; full bars 0.125 to
// 0.165 in, ascenders and descenders 0.082 to 0.111 in, trackers 0.039 to 0.057 in).

#include "bar_dots.h"

#include "intelligent_mail.h"
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

} // namespace

std::optional<DotBars> snapToDots(qint16 symbology, qint32 dotsPerInch) {
    if (dotsPerInch < 100 || dotsPerInch >= 600)
        return std::nullopt;
    const bool intelligentMail = symbology == TavEnumCls::TavIntelligentMail;
    const qint32 nominalPitch = intelligentMail ? IntelligentMail::BarPitch : Postnet::BarPitch;
    const qint32 nominalWidth =
        intelligentMail ? IntelligentMail::BarWidth : Postnet::PrintedBarWidth;
    const auto pitch = dots(inches(nominalPitch), 1.0 / 24, 1.0 / 20, dotsPerInch);
    const auto width = dots(inches(nominalWidth), 0.015, 0.025, dotsPerInch);
    if (!pitch || !width || *width >= *pitch)
        return std::nullopt;
    DotBars bars{dotsPerInch, *pitch, *width, 0, 0, 0};
    if (!intelligentMail) {
        const auto full = dots(inches(Postnet::FullBarHeight), 0.115, 0.135, dotsPerInch);
        const auto half = dots(inches(Postnet::HalfBarHeight), 0.040, 0.060, dotsPerInch);
        if (!full || !half)
            return std::nullopt;
        bars.full = *full;
        bars.short_ = *half;
        return bars;
    }
    const auto tracker = dots(inches(IntelligentMail::TrackerHeight), 0.039, 0.057, dotsPerInch);
    if (!tracker)
        return std::nullopt;
    // The extenders share the rest of the full bar; both sums must stay within their ranges.
    const double fullDots = inches(IntelligentMail::FullBarHeight) * dotsPerInch;
    const auto extender = static_cast<qint32>(std::lround((fullDots - *tracker) / 2));
    for (const qint32 tried : {extender, extender - 1, extender + 1}) {
        if (within(*tracker + 2 * tried, 0.125, 0.165, dotsPerInch) &&
            within(*tracker + tried, 0.082, 0.111, dotsPerInch)) {
            bars.short_ = *tracker;
            bars.extender = tried;
            bars.full = *tracker + 2 * tried;
            return bars;
        }
    }
    return std::nullopt;
}

} // namespace tav
