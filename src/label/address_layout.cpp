// The address layout a host asks for: a block of a few lines of plain text from the top left of
// the piece and the POSTNET bar code under it, fitted to the piece the sheet record holds, and
// fitted again when another piece is chosen.

#include "bar_placement.h"
#include "four_state.h"
#include "postnet.h"
#include "printer.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

#include <algorithm>

namespace tav {

namespace {

constexpr double kSmallestPoints = 6;  // a font is not made smaller than this to fit
constexpr float kBarCodeHeight = 0.2f; // inches: the bars and a little room
constexpr float kBarCodeGap = 0.02f;   // inches between the last line and the bars
constexpr qint32 kZipPlusFourBars = 52;

// A line of the layout's plain Arial as the items measure and draw it.
float lineHeightInches(double points) {
    PrinterFont font;
    font.size = points;
    return static_cast<float>(textHeight(font, QStringLiteral("X")) / TwipsPerInch);
}

// Where the bars start: under the text, or further left where a ZIP+4's bars (an Intelligent
// Mail barcode's) would end past the piece's right edge, keeping a small margin.
float barsLeft(const TavBarCodeCls& barCode, float pieceWidth, float textLeft) {
    constexpr float kEdgeMargin = 1.0f / 32;
    const FourState::Spec* fourState = FourState::spec(static_cast<qint16>(barCode.Symbology()));
    const float length =
        static_cast<float>(fourState != nullptr
                               ? symbolLength(fourState->typicalBars, fourState->metrics)
                               : symbolLength(kZipPlusFourBars, Postnet::Metrics)) /
        TwipsPerInch;
    return std::clamp(pieceWidth - length - kEdgeMargin, std::min(kEdgeMargin, textLeft), textLeft);
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
    QStringList placeholders;
    for (int index = 1; index <= lines; ++index)
        placeholders << QStringLiteral("<<Item%1>>").arg(index);
    d->items_[0]->setTextControl(placeholders.join(QStringLiteral("\r\n")));
    for (int index = 2; index <= 7; ++index)
        d->items_[index - 1]->setTextControl(QStringLiteral("<<Item%1>>").arg(index));
    d->addressLayout_ = AddressLayout{lines, fontSize};
    return fitAddressLayout();
}

bool TavLabel::fitAddressLayout() {
    // Plain names, not a structured binding: the lambda below captures them.
    const qint32 lines = d->addressLayout_->lines;
    const double fontSize = d->addressLayout_->points;
    const TavSheetCls& sheet = *d->sheet_;
    const float left = std::min(0.15f, sheet.PieceWidth() / 10);
    const float width = std::max(0.1f, sheet.PieceWidth() - 2 * left);
    const float top = std::min(0.06f, sheet.PieceHeight() / 10);
    // The lines and the bar code fit the piece; else the lines alone, in a smaller font if need
    // be (never below kSmallestPoints).
    const float room = std::max(0.0f, sheet.PieceHeight() - 2 * top);
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

    // One block holds the whole address, down to the bars at the bottom: a line that wraps or a
    // cell of several lines takes the room there is before the text is made smaller.
    const float barsTop = top + room - kBarCodeHeight;
    const float blockHeight =
        std::max(lineHeightInches(points) * lines, bars ? barsTop - kBarCodeGap - top : room);
    for (int index = 1; index <= 7; ++index) {
        TavItemCls& item = *d->items_[index - 1];
        item.setVisible(index == 1);
        item.setLeft1(left);
        item.setTop(top);
        item.setWidth(width);
        item.setHeight(blockHeight);
        setPlainText(item, points);
    }
    TavBarCodeCls& barCode = *d->barCode_;
    barCode.setVisible(bars);
    barCode.setLeft1(barsLeft(barCode, sheet.PieceWidth(), left));
    barCode.setTop(bars ? barsTop : top + blockHeight + kBarCodeGap);
    // The bars may reach the piece's right edge: the longest bars the piece has room for print
    // whole (a ZIP+4 POSTNET on a 2-5/8 inch label, an Intelligent Mail barcode on a 4 inch one).
    barCode.setWidth(std::max(0.1f, sheet.PieceWidth() - left));
    barCode.setHeight(kBarCodeHeight);
    barCode.setBackColor(OleColors::White);
    d->fitText_ = true;
    for (int i = 1; i <= 7; ++i)
        emit propertyChanged(QStringLiteral("Item%1Properties").arg(i));
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
    emit propertyChanged(QStringLiteral("FitText"));
    redraw();
    return bars;
}

} // namespace tav
