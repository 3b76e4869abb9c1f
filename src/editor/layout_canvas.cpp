#include "layout_canvas.h"

#include "layout_scale.h"
#include "message_sink.h"
#include "units.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

namespace tav {

namespace {

constexpr int kHandleSize = 6; // pixels at any zoom, so that a handle is always there to grab

int truncated(double value) {
    return static_cast<int>(std::trunc(value));
}

} // namespace

LayoutCanvas::LayoutCanvas(PieceLayoutEditForm* form, QWidget* parent)
    : QWidget(parent)
    , form_(form) {
    setObjectName(QStringLiteral("piece_frame"));
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus); // arrow keys nudge, Tab steps through the objects
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    for (int i = 0; i < 8; ++i) {
        boxes_[i] = new QLabel(this);
        boxes_[i]->setObjectName(QStringLiteral("item%1").arg(i + 1));
        boxes_[i]->setAutoFillBackground(true);
        boxes_[i]->setWordWrap(true);
        boxes_[i]->installEventFilter(this);
    }
    static const Qt::CursorShape shapes[] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor,   Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeHorCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeFDiagCursor};
    for (int i = 0; i < 8; ++i) {
        auto* handle = new QWidget(this);
        handle->setObjectName(QStringLiteral("dot%1").arg(i + 1));
        handle->setFixedSize(kHandleSize, kHandleSize);
        handle->setAutoFillBackground(true);
        QPalette black = handle->palette();
        black.setColor(QPalette::Window, Qt::black);
        handle->setPalette(black);
        handle->setCursor(shapes[i]);
        handle->installEventFilter(this);
        handle->hide();
        handles_[i] = handle;
    }
    for (int j = 0; j < 3; ++j) {
        editors_[j] = new QLineEdit(this);
        editors_[j]->setObjectName(QStringLiteral("edit_txt%1").arg(j));
        editors_[j]->setAlignment(j == 0   ? Qt::AlignLeft
                                  : j == 1 ? Qt::AlignRight
                                           : Qt::AlignCenter);
        editors_[j]->hide();
        editors_[j]->installEventFilter(this);
        connect(editors_[j], &QLineEdit::textEdited, this,
                reportingSlot([this](const QString& text) { form_->textEdited(text); }));
    }
}

void LayoutCanvas::setFrame(QSize twips) {
    frame_ = twips;
    zoom_ = 1;
    resize(naturalSize());
}

QSize LayoutCanvas::naturalSize() const {
    return twipsToPixels(QRect(QPoint(), frame_), TwipsPerPixel).size();
}

void LayoutCanvas::fitInto(const QRect& room) {
    const QSize natural = naturalSize();
    if (natural.isEmpty() || room.isEmpty())
        return;
    zoom_ = std::min(static_cast<double>(room.width()) / natural.width(),
                     static_cast<double>(room.height()) / natural.height());
    const QSize size = toPixels(QRect(QPoint(), frame_)).size();
    setGeometry(QRect(room.topLeft() + QPoint((room.width() - size.width()) / 2,
                                              (room.height() - size.height()) / 2),
                      size));
}

QRect LayoutCanvas::toPixels(const QRect& twips) const {
    // Truncated as whole twips a pixel are, so that zoom 1 shows what the editor always showed.
    const auto at = [this](int value) { return truncated(value * zoom_ / TwipsPerPixel); };
    return {at(twips.x()), at(twips.y()), std::max(1, at(twips.width())),
            std::max(1, at(twips.height()))};
}

QPoint LayoutCanvas::toTwips(QPointF pixels) const {
    return (pixels * TwipsPerPixel / zoom_).toPoint();
}

void LayoutCanvas::showObject(int index, const PieceLayoutEditForm::Object& o) {
    QLabel* widget = boxes_[index - 1];
    widget->setGeometry(toPixels(o.box));
    widget->setText(o.text);
    QFont font(o.fontName);
    font.setPointSizeF(std::max(1.0, o.fontSize * Layout_m::LayoutScale() * zoom_));
    font.setBold(o.bold);
    font.setItalic(o.italic);
    font.setUnderline(o.underline);
    font.setStrikeOut(o.strikethrough);
    widget->setFont(font);
    const Qt::Alignment horizontal = o.justification == 2   ? Qt::AlignHCenter
                                     : o.justification == 1 ? Qt::AlignRight
                                                            : Qt::AlignLeft;
    const Qt::Alignment vertical = o.alignment == 1   ? Qt::AlignVCenter
                                   : o.alignment == 2 ? Qt::AlignBottom
                                                      : Qt::AlignTop;
    widget->setAlignment(horizontal | vertical);
    widget->setFrameShape(o.border ? QFrame::Box : QFrame::NoFrame);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window,
                     index == 8 ? QColor(0xE0, 0xE0, 0xE0) : QColor(0xF4, 0xF4, 0xF4));
    widget->setPalette(palette);
    widget->setVisible(o.visible);
}

void LayoutCanvas::placeHandles(int index, const QRect& twips) {
    const QRect box = toPixels(twips);
    const int x1 = box.x() - kHandleSize / 2;
    const int y1 = box.y() - kHandleSize / 2;
    const QPoint places[] = {{x1, y1},
                             {x1 + box.width() / 2, y1},
                             {x1 + box.width(), y1},
                             {x1, y1 + box.height() / 2},
                             {x1 + box.width(), y1 + box.height() / 2},
                             {x1, y1 + box.height()},
                             {x1 + box.width() / 2, y1 + box.height()},
                             {x1 + box.width(), y1 + box.height()}};
    boxes_[index - 1]->raise();
    for (int i = 0; i < 8; ++i) {
        handles_[i]->move(places[i]);
        handles_[i]->raise();
        handles_[i]->show();
    }
}

void LayoutCanvas::hideHandles() {
    for (QWidget* handle : handles_)
        handle->hide();
}

void LayoutCanvas::raiseObject(int index) {
    boxes_[index - 1]->raise();
}

void LayoutCanvas::lowerObject(int index) {
    boxes_[index - 1]->lower();
}

void LayoutCanvas::editText(int index, const PieceLayoutEditForm::Object& object) {
    hideEditors();
    hideHandles();
    QLineEdit* editor = editors_[std::clamp(object.justification, 0, 2)];
    editor->setGeometry(toPixels(object.box));
    editor->setFont(boxes_[index - 1]->font());
    editor->setText(object.text);
    editor->show();
    editor->raise();
    editor->setFocus();
}

void LayoutCanvas::hideEditors() {
    for (QLineEdit* editor : editors_)
        editor->hide();
}

bool LayoutCanvas::eventFilter(QObject* watched, QEvent* event) {
    const auto box = std::find(boxes_.begin(), boxes_.end(), watched);
    if (box != boxes_.end())
        return objectEvent(static_cast<int>(box - boxes_.begin()) + 1, event);
    const auto handle = std::find(handles_.begin(), handles_.end(), watched);
    if (handle != handles_.end())
        return handleEvent(static_cast<int>(handle - handles_.begin()) + 1, event);
    if (event->type() == QEvent::FocusOut &&
        std::find(editors_.begin(), editors_.end(), watched) != editors_.end())
        static_cast<QWidget*>(watched)->hide();
    return QWidget::eventFilter(watched, event);
}

bool LayoutCanvas::objectEvent(int index, QEvent* event) {
    const auto mouse = [event] { return static_cast<QMouseEvent*>(event); }; // mouse events only
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        reportingErrors([&] {
            form_->objectPressed(index, mouse()->button(), toTwips(mouse()->position()),
                                 mouse()->globalPosition().toPoint());
        });
        return true;
    case QEvent::MouseMove:
        reportingErrors([&] { form_->objectMoved(index, toTwips(mouse()->position())); });
        return true;
    case QEvent::MouseButtonRelease:
        reportingErrors([&] { form_->objectReleased(index); });
        return true;
    case QEvent::MouseButtonDblClick:
        reportingErrors([&] { form_->modify(); });
        return true;
    default:
        return false;
    }
}

bool LayoutCanvas::handleEvent(int index, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        reportingErrors([&] { form_->handlePressed(index); });
        return true;
    case QEvent::MouseMove:
        reportingErrors([&] {
            form_->handleMoved(index, toTwips(static_cast<QMouseEvent*>(event)->position()));
        });
        return true;
    case QEvent::MouseButtonRelease:
        reportingErrors([&] { form_->handleReleased(); });
        return true;
    default:
        return false;
    }
}

void LayoutCanvas::keyPressEvent(QKeyEvent* event) {
    const int step = event->modifiers().testFlag(Qt::ShiftModifier) ? 100 : 10;
    QPoint by;
    switch (event->key()) {
    case Qt::Key_Left:
        by = {-step, 0};
        break;
    case Qt::Key_Right:
        by = {step, 0};
        break;
    case Qt::Key_Up:
        by = {0, -step};
        break;
    case Qt::Key_Down:
        by = {0, step};
        break;
    default:
        QWidget::keyPressEvent(event); // Enter and Escape go on to the dialog
        return;
    }
    reportingErrors([&] { form_->nudge(by); });
}

bool LayoutCanvas::focusNextPrevChild(bool next) {
    // Tab steps through the objects shown; past the last one it leaves the canvas.
    if (hasFocus() && form_->selectNext(next))
        return true;
    return QWidget::focusNextPrevChild(next);
}

} // namespace tav
