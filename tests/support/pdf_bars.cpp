#include "pdf_bars.h"

#include <algorithm>

namespace tav::test {

namespace {

bool dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

} // namespace

std::vector<FoundBar> findBars(const QImage& page, const QRect& area) {
    std::vector<FoundBar> bars;
    const QRect inside = area.intersected(page.rect());
    FoundBar current;
    bool open = false;
    for (int x = inside.left(); x <= inside.right() + 1; ++x) {
        int top = -1;
        int bottom = -1;
        if (x <= inside.right()) {
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                if (dark(page.pixel(x, y))) {
                    if (top < 0)
                        top = y;
                    bottom = y + 1;
                }
            }
        }
        if (top >= 0) {
            if (!open)
                current = {x, x + 1, top, bottom};
            current.right = x + 1;
            current.top = std::min(current.top, top);
            current.bottom = std::max(current.bottom, bottom);
            open = true;
        } else if (open) {
            bars.push_back(current);
            open = false;
        }
    }
    return bars;
}

QString fourStates(const std::vector<FoundBar>& bars, int slack) {
    if (bars.empty())
        return {};
    int top = bars.front().top;
    int bottom = bars.front().bottom;
    for (const FoundBar& bar : bars) {
        top = std::min(top, bar.top);
        bottom = std::max(bottom, bar.bottom);
    }
    QString states;
    for (const FoundBar& bar : bars) {
        const bool ascends = bar.top - top <= slack;
        const bool descends = bottom - bar.bottom <= slack;
        states += QLatin1Char(ascends ? (descends ? 'F' : 'A') : (descends ? 'D' : 'T'));
    }
    return states;
}

} // namespace tav::test
