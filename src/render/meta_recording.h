#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace tav {

/// A pen of the drawing surface: style (a BorderStyles value), width in reference pixels, colour.
struct MAILPIECE_EXPORT MetaPen {
    qint32 style = 0;
    qint16 width = 0;
    OleColor color = 0;
    bool operator==(const MetaPen&) const = default;
};

/// A font of the drawing surface, sized in pixels of the reference device.
struct MAILPIECE_EXPORT MetaFont {
    QString face;
    double emHeight = 0; // reference pixels
    qint16 weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    qint16 escapement = 0; // tenths of a degree, counter-clockwise
};

/// One recorded drawing operation; coordinates in pixels of the reference device.
struct MAILPIECE_EXPORT MetaOp {
    enum Kind { Rectangle, Line, Text, Image };
    Kind kind = Line;
    QRect rect;      // Rectangle: corners (left, top, right, bottom exclusive); Image: target
    QRectF exact;    // Rectangle without an outline: the corners with their fractions, if known
    QPoint from, to; // Line: end points (the last pixel excluded); Text: from is the cell's corner
    std::optional<QPointF> exactFrom; // Text: the cell's corner with its fractions, if known
    MetaPen pen;                      // Rectangle, Line
    OleColor fill = 0;                // Rectangle: brush colour
    QString text;                     // Text
    MetaFont font;                    // Text
    OleColor textColor = 0;
    OleColor backColor = 0;
    qint32 backMode = 0; // BackStyles: 1 transparent, 2 opaque; anything else keeps transparent
    QImage image;        // Image
};

/// A finished recording: the operations and the frame they were recorded in.
struct MAILPIECE_EXPORT MetaRecording {
    std::vector<MetaOp> ops;
    QRect framePixels;         // the reference device's client area (pixels)
    QRect frameHundredthsMm;   // the same in hundredths of a millimetre
    double referenceDpiX = 96; // physical dots per inch of the reference device
    double referenceDpiY = 96;

    /// Plays the recording: reference pixel p lands at `offset` + p × `scale` on the painter's
    /// device (target pixels).
    void play(QPainter& painter, QPointF offset, QPointF scale) const;
};

} // namespace tav
