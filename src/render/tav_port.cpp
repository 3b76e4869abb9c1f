#include "tav_port.h"

#include "message_sink.h"
#include "units.h"
#include "zoom_steps.h"

#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tav {

namespace {
const QString kSource = QStringLiteral("TavPort");
// Background of the window around the canvas: the 16-colour palette's dark grey.
const QColor kWindowGrey(0x80, 0x80, 0x80);
// Background of a freshly prepared canvas.
constexpr OleColor kCanvasGrey = 0x808080;
} // namespace

// The canvas plays the viewport's recording at the viewport's zoom.
class TavPort::Canvas : public QWidget {
public:
    explicit Canvas(TavPort* port, QWidget* parent)
        : QWidget(parent)
        , port_(port) {
        setObjectName(QStringLiteral("Picture1"));
    }
    OleColor background = kCanvasGrey;
    bool showRecording = false;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), toQColor(background));
        if (showRecording && port_->meta_)
            port_->meta_->play(painter, *this, port_->zoom_);
    }

private:
    TavPort* port_;
};

TavPort::TavPort(QWidget* parent)
    : QWidget(parent)
    , window_(new QFrame(this))
    , canvasWidget_(new Canvas(this, window_)) {
    window_->setObjectName(QStringLiteral("Picture3"));
    window_->setFrameShape(QFrame::Panel);
    window_->setFrameShadow(QFrame::Sunken);
    window_->setAutoFillBackground(true);
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, kWindowGrey);
    window_->setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);
    window_->installEventFilter(this);
    canvasWidget_->installEventFilter(this);
    resize(200, 150);
    window_->setGeometry(rect());
    // A new viewport shows 1.6 times its size at the default zoom.
    contentWidth_ = roundToInt(ViewPortWidth() / (zoom_ * 0.0125), kSource);
    contentHeight_ = roundToInt(ViewPortHeight() / (zoom_ * 0.0125), kSource);
}

TavPort::~TavPort() = default;

QWidget* TavPort::canvas() const {
    return canvasWidget_;
}

QWidget* TavPort::window() const {
    return window_;
}

qint32 TavPort::screenTwipsPerPixel() const {
    return twipsPerPixel(*this);
}

// The window fills the viewport, so its inner size follows from the viewport's own size even
// before a pending resize reached the window.
qint32 TavPort::ViewPortWidth() const {
    return std::max(0, width() - 2 * window_->frameWidth()) * screenTwipsPerPixel();
}

qint32 TavPort::ViewPortHeight() const {
    return std::max(0, height() - 2 * window_->frameWidth()) * screenTwipsPerPixel();
}

qint32 TavPort::WindowWidth() const {
    return contentWidth_ / screenTwipsPerPixel();
}

qint32 TavPort::WindowHeight() const {
    return contentHeight_ / screenTwipsPerPixel();
}

void TavPort::placeCanvas(QRect twips) {
    canvas_ = twips;
    const qint32 tpp = screenTwipsPerPixel();
    const int frame = window_->frameWidth();
    canvasWidget_->setGeometry(frame + twips.x() / tpp, frame + twips.y() / tpp,
                               std::max(1, twips.width() / tpp), std::max(1, twips.height() / tpp));
    canvasWidget_->update();
}

qint32 TavPort::InitPort(qint32 height, qint32 width) {
    const qint32 k = std::max(roundToInt(checkedDivide(10000, width, kSource) + 0.5, kSource),
                              roundToInt(checkedDivide(10000, height, kSource) + 0.5, kSource));
    const qint32 canvasWidth = checkedMultiply(width, k, kSource);
    const qint32 canvasHeight = checkedMultiply(height, k, kSource);
    const qint32 left = roundToInt(ViewPortWidth() / 2.0 - canvasWidth / 2.0, kSource);
    const qint32 top = roundToInt(ViewPortHeight() / 2.0 - canvasHeight / 2.0, kSource);
    MetaKill();
    contentWidth_ = width;
    contentHeight_ = height;
    meta_ = std::make_unique<TavMetaCls>();
    canvasWidget_->background = kCanvasGrey;
    canvasWidget_->showRecording = false;
    placeCanvas(QRect(left, top, canvasWidth, canvasHeight));
    meta_->CreateMetaObject(canvasWidget_);
    initialised_ = true;
    firstShow_ = true;
    return 1;
}

qint16 TavPort::Render(QObject* object) {
    return meta_ ? static_cast<qint16>(meta_->DrawGivenObject(object)) : 999;
}

void TavPort::ShowIt() {
    canvasWidget_->background = backColor_;
    canvasWidget_->showRecording = false;
    if (firstShow_) {
        firstShow_ = false;
        ZoomFull();
        return;
    }
    canvasWidget_->showRecording = meta_ != nullptr;
    canvasWidget_->update();
}

void TavPort::ZoomFull() {
    const qint32 zoom =
        ZoomSteps::fitZoom(ViewPortWidth(), ViewPortHeight(), contentWidth_, contentHeight_);
    centreX_ = canvasWidget_->width() / 2.0;
    centreY_ = canvasWidget_->height() / 2.0;
    applyZoom(zoom);
    homePlacement();
    ShowIt();
}

void TavPort::ZoomBy(qint32 steps) {
    applyZoom(ZoomSteps::zoomBy(zoom_, steps));
}

void TavPort::applyZoom(qint32 zoom) {
    zoom_ = static_cast<qint16>(std::clamp<qint32>(zoom, ZoomSteps::MinZoom, ZoomSteps::MaxZoom));
    const double fx = centreX_ / std::max(1, canvasWidget_->width());
    const double fy = centreY_ / std::max(1, canvasWidget_->height());
    const qint32 w = roundToInt(zoom_ * 0.01 * contentWidth_, kSource);
    const qint32 h = roundToInt(zoom_ * 0.01 * contentHeight_, kSource);
    const qint32 left = roundToInt(ViewPortWidth() / 2.0 - w * fx, kSource);
    const qint32 top = roundToInt(ViewPortHeight() / 2.0 - h * fy, kSource);
    placeCanvas(QRect(left, top, w, h));
    window_->update();
}

void TavPort::homePlacement() {
    if (zoom_ == 0)
        zoom_ = 100;
    const qint32 w = roundToInt(static_cast<double>(contentWidth_) * zoom_ / 100.0, kSource);
    const qint32 h = roundToInt(static_cast<double>(contentHeight_) * zoom_ / 100.0, kSource);
    const qint32 tpp = screenTwipsPerPixel();
    placeCanvas(QRect(width() * tpp / 2 - w / 2, height() * tpp / 2 - h / 2, w, h));
    window_->update();
}

void TavPort::recentre() {
    const double scaleWidth = canvasWidget_->width();
    const double scaleHeight = canvasWidget_->height();
    if (canvas_.width() > 0)
        centreX_ = (ViewPortWidth() / 2.0 - canvas_.x()) * scaleWidth / canvas_.width();
    if (canvas_.height() > 0)
        centreY_ = (ViewPortHeight() / 2.0 - canvas_.y()) * scaleHeight / canvas_.height();
}

void TavPort::Clear() {
    canvasWidget_->showRecording = false;
    canvasWidget_->update();
}

void TavPort::MetaKill() {
    meta_.reset();
    initialised_ = false;
    canvasWidget_->showRecording = false;
    canvasWidget_->update();
}

void TavPort::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    window_->setGeometry(rect());
}

void TavPort::keyPressEvent(QKeyEvent* event) {
    reportingErrors([&] { zoomByKey(event); });
}

void TavPort::zoomByKey(QKeyEvent* event) {
    // Ctrl combinations are the container's (its piece steps): the event goes on to it.
    if (event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    recentre();
    switch (event->key()) {
    case Qt::Key_PageUp:
        ZoomBy(shift ? 5 : 1);
        break;
    case Qt::Key_PageDown:
        ZoomBy(shift ? -5 : -1);
        break;
    case Qt::Key_End:
        ZoomFull();
        return;
    case Qt::Key_Home:
        centreX_ = canvasWidget_->width() / 2.0;
        centreY_ = canvasWidget_->height() / 2.0;
        viewFlag_ = true;
        homePlacement();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const double step = shift ? 20 : 5;
        if (event->key() == Qt::Key_Left)
            centreX_ += step;
        else if (event->key() == Qt::Key_Right)
            centreX_ -= step;
        else if (event->key() == Qt::Key_Up)
            centreY_ += step;
        else
            centreY_ -= step;
        ZoomBy(0);
        break;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    ShowIt();
}

bool TavPort::eventFilter(QObject* watched, QEvent* event) {
    auto* picture = qobject_cast<QWidget*>(watched);
    if (picture != window_ && picture != canvasWidget_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        setFocus(Qt::MouseFocusReason);
        reportingErrors([&] { pressed(picture, static_cast<QMouseEvent*>(event)); });
        return true;
    case QEvent::MouseMove:
        pressMoved_ = true;
        return true;
    case QEvent::MouseButtonRelease: {
        const bool click = !dragging_ && !pressMoved_;
        reportingErrors([&] { released(picture, static_cast<QMouseEvent*>(event)); });
        if (click)
            emit clicked();
        return true;
    }
    case QEvent::MouseButtonDblClick:
        emit doubleClicked();
        return true;
    case QEvent::KeyPress:
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void TavPort::pressed(QWidget* picture, QMouseEvent* event) {
    centreX_ = event->position().x();
    centreY_ = event->position().y();
    viewFlag_ = false;
    pressMoved_ = false;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool left = event->button() == Qt::LeftButton;
    const bool onCanvas = picture == canvasWidget_;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        viewFlag_ = true;
        if (left && onCanvas) {
            dragging_ = true;
        } else if (!left) {
            homePlacement();
            ShowIt();
        }
    } else if (modifiers.testFlag(Qt::ControlModifier)) {
        recentre();
        ZoomBy(left ? 1 : -1);
        ShowIt();
    } else if (modifiers.testFlag(Qt::AltModifier)) {
        if (left && onCanvas) {
            ZoomBy(0);
            // Keep the pointer on the clicked point of the content, now in the middle.
            const qint32 tpp = screenTwipsPerPixel();
            QCursor::setPos(window_->mapToGlobal(
                QPoint(ViewPortWidth() / 2 / tpp, ViewPortHeight() / 2 / tpp)));
            ShowIt();
        } else if (!left) {
            ZoomFull();
        }
    }
}

void TavPort::released(QWidget* picture, QMouseEvent* event) {
    if (dragging_) {
        dragging_ = false;
        const QPointF drop =
            picture == canvasWidget_
                ? event->position()
                : QPointF(canvasWidget_->mapFrom(picture, event->position().toPoint()));
        const qint32 tpp = screenTwipsPerPixel();
        placeCanvas(canvas_.translated(roundToInt((drop.x() - centreX_) * tpp, kSource),
                                       roundToInt((drop.y() - centreY_) * tpp, kSource)));
        ShowIt();
        return;
    }
    // A plain click on the canvas zooms in (left button) or out around the clicked point.
    if (picture == canvasWidget_ && event->modifiers() == Qt::NoModifier && !pressMoved_) {
        if (viewFlag_) {
            viewFlag_ = false;
            return;
        }
        ZoomBy(event->button() == Qt::LeftButton ? 1 : -1);
        ShowIt();
    }
}

} // namespace tav
