#pragma once

#include "mailpiece_export.h"

#include <QWidget>

namespace tav {

class Printer;
class TavMetaCls;
class TavPicture;

/// What a piece container draws: a control placed in twips on the piece that records itself into
/// a drawing surface or prints itself on the current printer. The piece knows its children only
/// through this.
class MAILPIECE_EXPORT RenderChild : public QWidget {
    Q_OBJECT

public:
    explicit RenderChild(QWidget* parent = nullptr);

    /// Records the control with its top left corner at (left, top) of `meta` (twips).
    virtual void MFRender(TavMetaCls& meta, qint32 left, qint32 top) = 0;
    /// Prints the control with its top left corner at (left, top) of the printer page (twips).
    virtual void PrintSelf(qint32 left, qint32 top) = 0;

    /// Position and size within the piece (twips).
    qint32 leftTwips() const { return left_; }
    qint32 topTwips() const { return top_; }
    qint32 widthTwips() const { return width_; }
    qint32 heightTwips() const { return height_; }
    /// Places the control (twips); the widget follows at 15 twips a pixel.
    virtual void setTwipsGeometry(qint32 left, qint32 top, qint32 width, qint32 height);

signals:
    /// The control's face was repainted.
    void Paint();

protected:
    /// Repaints the face: the control recorded at (0, 0) and played at 100 percent.
    void paintEvent(QPaintEvent* event) override;
    /// While true the face is not repainted.
    virtual bool paintHeld() const { return false; }
    /// Prints the control's box at (left, top) on the current printer with a solid pen: its
    /// background in `back` (unless `whiteBack`), `picture` at its own size (when given and not
    /// empty) and a single-line border (when `border`). Returns the printer for what follows.
    Printer& printBox(qint32 left, qint32 top, bool whiteBack, quint32 back,
                      const TavPicture* picture, bool border) const;

private:
    bool painting_ = false;
    qint32 left_ = 0;
    qint32 top_ = 0;
    qint32 width_ = 0;
    qint32 height_ = 0;
};

/// Tells the message sink that the piece's control `name` could not be drawn and was skipped.
MAILPIECE_EXPORT void reportNotDrawn(const QString& name);

} // namespace tav
