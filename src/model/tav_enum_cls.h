#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"

#include <QObject>

namespace tav {

/// Carries the library's public enumerations; it has no members of its own.
class MAILPIECE_EXPORT TavEnumCls {
    Q_GADGET

public:
    /// What the label and envelope controls show.
    enum TavAppearance : qint32 { TavShowPiece = 0, TavShowSheet = 1, TavShowBoth = 2 };
    Q_ENUM(TavAppearance)

    enum TavAlignmentVertical : qint32 { vbTop = 0, vbMiddle = 1, vbBottom = 2 };
    Q_ENUM(TavAlignmentVertical)

    enum TavAlignmentHorizontal : qint32 { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
    Q_ENUM(TavAlignmentHorizontal)

    /// Whether a single-line border is drawn around an item box.
    enum TavBorderStyle : qint32 { None = 0, FixedSingle = 1 };
    Q_ENUM(TavBorderStyle)

    /// Where the envelope control puts its bar code.
    enum TavBarCodePosition : qint32 {
        TavBelowAddress = 0,
        TavAboveAddress = 1,
        TavBottomCenter = 2,
        TavUserDefined = 3
    };
    Q_ENUM(TavBarCodePosition)

    /// Which bars the bar code draws: POSTNET from the ZIP code alone, or the Intelligent Mail
    /// barcode (USPS-B-3200) from a tracking code and the ZIP code.
    enum TavSymbology : qint32 {
        TavPostnet = 0,
        TavIntelligentMail = 1,
        TavRoyalMail = 2,    // RM4SCC: a UK postcode and delivery point suffix
        TavKix = 3,          // PostNL's KIX code: postcode, house number and addition
        TavAustraliaPost = 4 // a DPID, with customer information after it
    };
    Q_ENUM(TavSymbology)

    /// Back style of the item and piece controls' drawing area.
    enum BrixBackStyle : qint16 { bsTransparent = 0, bsOpaque = 1 };
    Q_ENUM(BrixBackStyle)

    /// Shapes drawn by the recording surface.
    enum Shapes : qint32 { moCircle = 1, moSquare = 2 };
    Q_ENUM(Shapes)

    /// Pen styles of the recording surface.
    enum BorderStyles : qint32 {
        moSolid = 0,
        moDash = 1,
        moDot = 2,
        moDashDot = 3,
        moDashDotDot = 4,
        moNone = 5,
        moInsideSolid = 6
    };
    Q_ENUM(BorderStyles)

    /// Text alignment of the recording surface.
    enum Justification : qint32 { moleft = 0, moJustify = 1, moright = 2, mocenter = 6 };
    Q_ENUM(Justification)

    /// Background modes of the recording surface.
    enum BackStyles : qint32 { moTransparent = 1, moOpaque = 2 };
    Q_ENUM(BackStyles)
};

using TavAppearance = TavEnumCls::TavAppearance;
using TavAlignmentVertical = TavEnumCls::TavAlignmentVertical;
using TavAlignmentHorizontal = TavEnumCls::TavAlignmentHorizontal;
using TavBorderStyle = TavEnumCls::TavBorderStyle;
using TavBarCodePosition = TavEnumCls::TavBarCodePosition;
using TavSymbology = TavEnumCls::TavSymbology;

} // namespace tav
