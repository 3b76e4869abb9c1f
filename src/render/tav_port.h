#pragma once

#include "mailpiece_export.h"
#include "ole_color.h"
#include "tav_meta_cls.h"

#include <QWidget>

#include <memory>

class QFrame;

namespace tav {

/// A piece rectangle handed from the sheet layout to drawing (twips).
struct MAILPIECE_EXPORT PortProperties {
    qint32 Top = 0;
    qint32 Left1 = 0;
    qint32 ClipRight = 0;
    qint32 ClipBottom = 0;
    qint32 Height = 0;
    qint32 Width = 0;
};

/// A zoomable, pannable view of a recording: the window "Picture3" holds the canvas "Picture1",
/// which has the zoomed size of the content and moves to pan. The owner sizes it with InitPort,
/// records into PortMetaInstance and calls ShowIt. Page Up/Down zoom, End fits, Home centres,
/// the arrows pan; Ctrl-click zooms in or out, Alt-click centres, Shift-drag moves the canvas.
class MAILPIECE_EXPORT TavPort : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qint16 Zoom READ Zoom WRITE setZoom)
    Q_PROPERTY(qint16 Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)

public:
    explicit TavPort(QWidget* parent = nullptr);
    ~TavPort() override;

    /// Zoom in percent, 1 to 1100; a new value shows at the next ShowIt.
    qint16 Zoom() const { return zoom_; }
    void setZoom(qint16 percent) { zoom_ = percent; }
    /// Stored only.
    qint16 Increment() const { return increment_; }
    void setIncrement(qint16 increment) { increment_ = increment; }
    /// Background of the canvas.
    OleColor BackColor() const { return backColor_; }
    void setBackColor(OleColor color) { backColor_ = color; }

    /// Prepares the canvas and a new recording for content of height × width twips; returns 1.
    /// Raises error 11 for a size of 0.
    qint32 InitPort(qint32 height, qint32 width);
    /// Records a control into the recording (0 drawn, 999 not a drawable kind).
    qint16 Render(QObject* object);
    /// The recording the owner draws the content into; null before InitPort and after MetaKill.
    TavMetaCls* PortMetaInstance() { return meta_.get(); }
    /// Fits the content into the window and shows it.
    void ZoomFull();
    /// Shows the recording in the canvas at the current zoom (fitting it the first time).
    void ShowIt();
    /// Content size in screen pixels.
    qint32 WindowWidth() const;
    qint32 WindowHeight() const;
    /// The window's inner size (twips).
    qint32 ViewPortWidth() const;
    qint32 ViewPortHeight() const;
    /// Clears the canvas.
    void Clear();
    /// Deletes the recording.
    void MetaKill();

    /// Zooms by `steps` nice steps around the current centre.
    void ZoomBy(qint32 steps);
    /// The canvas's place and size in the window (twips).
    QRect canvasTwips() const { return canvas_; }
    /// The canvas widget and the window widget.
    QWidget* canvas() const;
    QWidget* window() const;

signals:
    /// The user clicked the view (pressed and released a button without dragging).
    void clicked();
    /// The user double-clicked the view.
    void doubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Canvas;
    void zoomByKey(QKeyEvent* event);
    void applyZoom(qint32 zoom);
    void homePlacement();
    void recentre();
    void placeCanvas(QRect twips);
    void pressed(QWidget* picture, QMouseEvent* event);
    void released(QWidget* picture, QMouseEvent* event);
    qint32 screenTwipsPerPixel() const;

    QFrame* window_;
    Canvas* canvasWidget_;
    std::unique_ptr<TavMetaCls> meta_;
    OleColor backColor_ = OleColors::White;
    qint16 zoom_ = 50;
    qint16 increment_ = 5;
    qint32 contentWidth_ = 0;  // twips
    qint32 contentHeight_ = 0; // twips
    double centreX_ = 0;       // canvas pixels
    double centreY_ = 0;
    bool viewFlag_ = false;
    bool initialised_ = false;
    bool firstShow_ = false;
    bool dragging_ = false;
    bool pressMoved_ = false;
    QRect canvas_; // twips within the window
};

} // namespace tav
