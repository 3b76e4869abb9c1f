#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

namespace tav::test {

/// A dark vertical bar found on a page image; pixel edges, right and bottom exclusive.
struct FoundBar {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

/// The dark bars inside `area` of `page`, left to right: runs of columns that hold dark pixels,
/// each with the rows its dark pixels span.
std::vector<FoundBar> findBars(const QImage& page, const QRect& area);

/// The bars read back as the Intelligent Mail barcode's states: "F" from the topmost to the
/// lowest edge, "A" from the top only, "D" down to the bottom only, "T" neither; `slack` pixels
/// of the extreme edges count as reaching them.
QString fourStates(const std::vector<FoundBar>& bars, int slack);

} // namespace tav::test
