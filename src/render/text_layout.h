#pragma once

#include "mailpiece_export.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

/// Line breaking and line placement of item text, in twips, shared by screen and paper.
namespace tav::TextLayout {

/// Measures a text's width in twips.
using Measure = std::function<double(const QString&)>;

/// Most lines a text is broken into; further lines could never fit a piece and are dropped
/// (and not measured).
inline constexpr int MaxLines = 200;

/// Breaks `text` into lines no wider than `maxWidth` twips: at blanks, at line breaks (CR, LF or
/// CR LF), and between characters where a word is wider than a whole line (on a line of fewer
/// than three words, the line is split from its start).
MAILPIECE_EXPORT QStringList breakLines(const QString& text, double maxWidth,
                                        const Measure& measure);

/// A line placed in its box: the text to output and its top left corner (twips).
struct PlacedLine {
    QString text;
    qint32 x = 0;
    qint32 y = 0;
};

/// The box and rules lines are placed by.
struct Box {
    qint32 left = 0;
    qint32 top = 0;
    qint32 width = 0;
    qint32 height = 0;
};

/// Places `lines` in `box` with line height `lineHeight` (twips), aligned by
/// TavAlignmentHorizontal / TavAlignmentVertical values. Lines that would not fit above the
/// box's bottom are left out. `forPaper` selects the printer's variants of the right alignment
/// and of the fit test.
MAILPIECE_EXPORT std::vector<PlacedLine> placeLines(const QStringList& lines, const Box& box,
                                                    double lineHeight, qint32 alignHorizontal,
                                                    qint32 alignVertical, bool forPaper,
                                                    const Measure& measure);

} // namespace tav::TextLayout
