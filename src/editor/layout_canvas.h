#pragma once

#include "piece_layout_edit_form.h"

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;

namespace tav {

/// The layout editor's drawing of the piece: a white frame holding the objects, the handles of
/// the selected one and the in-place text editors, at a zoom that fits the room it is given.
/// Mouse and keys go to the editor, in twips at the editor's scale.
class LayoutCanvas : public QWidget {
public:
    /// Twips a pixel at zoom 1: the screen's 96 dots per inch.
    static constexpr int TwipsPerPixel = 15;

    LayoutCanvas(PieceLayoutEditForm* form, QWidget* parent);

    /// The piece frame (twips at the editor's scale); sets zoom 1.
    void setFrame(QSize twips);
    /// The frame's size in pixels at zoom 1.
    QSize naturalSize() const;
    /// Zooms so that the frame fills as much of `room` (pixels, in the parent) as it can, and
    /// centres it there.
    void fitInto(const QRect& room);
    /// Pixels a pixel of zoom 1 (1 at the size the editor opens with).
    double zoom() const { return zoom_; }

    /// `twips` in the canvas's pixels at the zoom.
    QRect toPixels(const QRect& twips) const;
    /// A point on the canvas (pixels) in twips.
    QPoint toTwips(QPointF pixels) const;

    /// Shows `object` as object `index` (1 to 7 the items, 8 the bar code).
    void showObject(int index, const PieceLayoutEditForm::Object& object);
    /// Puts the handles on the corners and edges of `box` (twips) and raises object `index`.
    void placeHandles(int index, const QRect& box);
    void hideHandles();
    /// Raises or lowers object `index`.
    void raiseObject(int index);
    void lowerObject(int index);
    /// Opens the in-place editor for object `index` over its box.
    void editText(int index, const PieceLayoutEditForm::Object& object);
    void hideEditors();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool objectEvent(int index, QEvent* event);
    bool handleEvent(int index, QEvent* event);

    PieceLayoutEditForm* form_;
    std::array<QLabel*, 8> boxes_{};
    std::array<QWidget*, 8> handles_{};
    std::array<QLineEdit*, 3> editors_{}; // edit_txt(0..2), by justification
    QSize frame_;
    double zoom_ = 1;
};

} // namespace tav
