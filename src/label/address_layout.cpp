// The address layout a host asks for: a few lines of plain text stacked from the top left of the
// piece and the POSTNET bar code under them, fitted to the piece the sheet record holds.

#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"

#include <algorithm>

namespace tav {

namespace {

constexpr double kLineSpacing = 1.25;  // line height over font size
constexpr double kSmallestPoints = 6;  // a font is not made smaller than this to fit
constexpr float kBarCodeHeight = 0.2f; // inches: the bars and a little room
constexpr float kBarCodeGap = 0.02f;   // inches between the last line and the bars

float lineHeightInches(double points) {
    return static_cast<float>(points * kLineSpacing / 72.0);
}

} // namespace

void setPlainText(TavItemCls& item, double points) {
    item.setAlignHorizontal(TavEnumCls::vbLeftJustify);
    item.setAlignVertical(TavEnumCls::vbTop);
    item.setBackColor(OleColors::White);
    item.setBorderStyle(TavEnumCls::None);
    item.font()->setName(QStringLiteral("Arial"));
    item.font()->setSize(points);
    item.font()->setWeight(400);
}

bool TavLabel::ApplyAddressLayout(qint32 lines, double fontSize) {
    const QString source = QStringLiteral("TavLabel:ApplyAddressLayout");
    if (lines < 1 || lines > 7)
        raiseError(ErrorNumber::InvalidArgument, source,
                   QStringLiteral("an address has 1 to 7 lines, not %1").arg(lines));
    if (!(fontSize >= kSmallestPoints && fontSize <= 72))
        raiseError(ErrorNumber::InvalidArgument, source,
                   QStringLiteral("the font size is %1 to 72 points, not %2")
                       .arg(kSmallestPoints)
                       .arg(fontSize));
    const TavSheetCls& sheet = *d->sheet_;
    const float left = std::min(0.15f, sheet.PieceWidth() / 10);
    const float width = std::max(0.1f, sheet.PieceWidth() - 2 * left);
    const float top = std::min(0.06f, sheet.PieceHeight() / 10);
    // The lines and the bar code fit the piece; else the lines alone, in a smaller font if need
    // be (never below kSmallestPoints).
    const float room = sheet.PieceHeight() - 2 * top;
    const auto fits = [&](double points, bool bars) {
        return lineHeightInches(points) * lines + (bars ? kBarCodeGap + kBarCodeHeight : 0) <= room;
    };
    double points = fontSize;
    while (points > kSmallestPoints && !fits(points, true))
        points = std::max(kSmallestPoints, points - 0.5);
    const bool bars = fits(points, true);
    if (!bars) {
        points = fontSize;
        while (points > kSmallestPoints && !fits(points, false))
            points = std::max(kSmallestPoints, points - 0.5);
    }

    const float lineHeight = lineHeightInches(points);
    float lineTop = top;
    for (int index = 1; index <= 7; ++index) {
        TavItemCls& item = *d->items_[index - 1];
        item.setVisible(index <= lines);
        item.setTextControl(QStringLiteral("<<Item%1>>").arg(index));
        item.setLeft1(left);
        item.setTop(lineTop);
        item.setWidth(width);
        item.setHeight(lineHeight);
        setPlainText(item, points);
        if (index <= lines)
            lineTop += lineHeight;
    }
    TavBarCodeCls& barCode = *d->barCode_;
    barCode.setVisible(bars);
    barCode.setLeft1(left);
    barCode.setTop(lineTop + kBarCodeGap);
    barCode.setWidth(width);
    barCode.setHeight(kBarCodeHeight);
    barCode.setBackColor(OleColors::White);
    for (int i = 1; i <= 7; ++i)
        emit propertyChanged(QStringLiteral("Item%1Properties").arg(i));
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
    redraw();
    return bars;
}

} // namespace tav
