#include "piece_layout_edit_form.h"

#include "layout_canvas.h"
#include "layout_change.h"
#include "layout_scale.h"
#include "message_sink.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cmath>

namespace tav {

namespace {

constexpr int kEdge = 50;          // twips kept free at the frame's edges, and the smallest size
constexpr int kMinimumShown = 288; // twips: the lowest box the editor shows
enum Field { TopField, LeftField, WidthField, HeightField };
// What changes of one kind to one object merge into one undo step.
enum MergeKind { NudgeKeys = 1, TextKeys = 2, FieldKeys = 3 };

int mergeKey(int kind, int index) {
    return kind * 16 + index;
}

int twipsOf(float inches) {
    return static_cast<int>(std::lround(Layout_m::InchesToTwips(inches)));
}

} // namespace

PieceLayoutEditForm::PieceLayoutEditForm(QWidget* parent)
    : QDialog(parent)
    , undo_(new QUndoStack(this)) {
    setObjectName(QStringLiteral("PieceLayoutEditForm"));
    setWindowTitle(QStringLiteral("Piece Layout"));

    canvasRoom_ = new QWidget(this);
    canvasRoom_->setObjectName(QStringLiteral("piece_room"));
    canvasRoom_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    canvasRoom_->installEventFilter(this);
    canvas_ = new LayoutCanvas(this, canvasRoom_);

    itemLabel_ = new QLabel(this);
    itemLabel_->setObjectName(QStringLiteral("item_lbl"));
    itemLabel_->setWordWrap(true);
    scaleLabel_ = new QLabel(this);
    scaleLabel_->setObjectName(QStringLiteral("scale_lbl"));
    scaleLabel_->setToolTip(QStringLiteral("The piece against its real size; resize the window "
                                           "to zoom"));
    auto* positions = new QGridLayout;
    const char* const names[] = {"top", "left", "width", "height"};
    const char* const captions[] = {"&Top:", "&Left:", "&Width:", "&Height:"};
    for (int f = 0; f < 4; ++f) {
        fields_[f] = new QLineEdit(this);
        fields_[f]->setObjectName(QStringLiteral("%1_txt").arg(QLatin1String(names[f])));
        fields_[f]->setFixedWidth(80);
        fields_[f]->installEventFilter(this);
        spinners_[f] = new QScrollBar(Qt::Vertical, this);
        spinners_[f]->setObjectName(QStringLiteral("%1_scr").arg(QLatin1String(names[f])));
        spinners_[f]->setRange(-50, 50);
        spinners_[f]->setSingleStep(50);
        spinners_[f]->setPageStep(50);
        spinners_[f]->setValue(0);
        spinners_[f]->setFixedHeight(fields_[f]->sizeHint().height());
        auto* label = new QLabel(QString::fromLatin1(captions[f]), this);
        label->setBuddy(fields_[f]);
        positions->addWidget(label, f, 0);
        positions->addWidget(fields_[f], f, 1);
        positions->addWidget(spinners_[f], f, 2);
        connect(fields_[f], &QLineEdit::textEdited, this,
                reportingSlot([this, f] { fieldEdited(f); }));
        connect(spinners_[f], &QScrollBar::valueChanged, this,
                reportingSlot([this, f](int value) { spinnerMoved(f, value); }));
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok_btn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel_btn"));
    connect(ok, &QPushButton::clicked, this, [this] {
        accepted_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        cancelling_ = true;
        reject();
        cancelling_ = false;
    });

    auto* side = new QVBoxLayout;
    side->addWidget(itemLabel_);
    side->addLayout(positions);
    side->addWidget(scaleLabel_);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* sidePanel = new QWidget(this);
    sidePanel->setLayout(side);
    sidePanel->setFixedWidth(sidePanel->sizeHint().width() + 40); // room for a long title
    auto* body = new QHBoxLayout;
    body->addWidget(canvasRoom_, 1);
    body->addWidget(sidePanel);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(new QMenuBar(this));
    layout->addLayout(body);
    buildMenus();
    setTabOrder(canvas_, fields_[0]);
}

PieceLayoutEditForm::~PieceLayoutEditForm() = default;

double PieceLayoutEditForm::shownScale() const {
    return Layout_m::LayoutScale() * canvas_->zoom();
}

void PieceLayoutEditForm::fitCanvas() {
    canvas_->fitInto(canvasRoom_->rect());
    for (int i = 1; i <= 8; ++i)
        showObject(i);
    scaleLabel_->setText(QStringLiteral("Scale: %1%").arg(qRound(shownScale() * 100)));
}

LayoutState PieceLayoutEditForm::state() const {
    return {objects_, symbology_, trackingCode_};
}

void PieceLayoutEditForm::restore(const LayoutState& state) {
    objects_ = state.objects;
    symbology_ = state.symbology;
    trackingCode_ = state.trackingCode;
    showAll(Fields::Refresh);
}

void PieceLayoutEditForm::showAll(Fields fields) {
    showSymbology();
    for (int i = 1; i <= 7; ++i)
        showObject(i);
    if (selected_ == 0)
        return;
    itemLabel_->setText(objectTitle(selected_)); // a resized bar code may now be too narrow
    if (fields == Fields::Refresh)
        refreshFields();
}

void PieceLayoutEditForm::change(const QString& text, int mergeKey,
                                 const std::function<void()>& edit, Fields fields) {
    const LayoutState before = state();
    edit();
    record(before, text, mergeKey, fields);
}

void PieceLayoutEditForm::record(const LayoutState& before, const QString& text, int mergeKey,
                                 Fields fields) {
    LayoutState after = state();
    if (after == before)
        return;
    const QString title = selected_ == 0 ? text : text + QLatin1Char(' ') + objectTitle(selected_);
    undo_->push(new LayoutChange(before, std::move(after), title, mergeKey,
                                 [this](const LayoutState& state) { restore(state); }));
    showAll(fields);
}

void PieceLayoutEditForm::showObject(int index) {
    canvas_->showObject(index, objects_[index - 1]);
    if (index == selected_)
        canvas_->placeHandles(index, objects_[index - 1].box);
}

void PieceLayoutEditForm::select(int index, bool showFormatMenu, QPoint globalPos) {
    selected_ = index;
    itemLabel_->setText(objectTitle(index));
    canvas_->setFocus(); // the arrow keys nudge what was selected
    canvas_->placeHandles(index, objects_[index - 1].box);
    refreshFields();
    if (showFormatMenu)
        formatMenu_->popup(globalPos);
}

bool PieceLayoutEditForm::selectNext(bool forward) {
    for (int i = selected_ + (forward ? 1 : -1); i >= 1 && i <= 8; i += forward ? 1 : -1) {
        if (objects_[i - 1].visible) {
            canvas_->hideEditors();
            select(i, false, {});
            return true;
        }
    }
    return false;
}

void PieceLayoutEditForm::refreshFields() {
    if (selected_ == 0)
        return;
    const QRect& box = objects_[selected_ - 1].box;
    const int values[] = {box.y(), box.x(), box.width(), box.height()};
    updatingFields_ = true;
    for (int f = 0; f < 4; ++f)
        fields_[f]->setText(
            Layout_m::formatInches(Layout_m::TwipsToInches(static_cast<float>(values[f]))));
    updatingFields_ = false;
}

void PieceLayoutEditForm::objectPressed(int index, Qt::MouseButton button, QPoint twips,
                                        QPoint globalPos) {
    canvas_->hideEditors();
    selected_ = index;
    itemLabel_->setText(objectTitle(index));
    itemDragging_ = true;
    dragStart_ = twips;
    gestureStart_ = objects_;
    canvas_->hideHandles();
    canvas_->raiseObject(index);
    if (button != Qt::LeftButton) {
        itemDragging_ = false;
        select(index, true, globalPos);
    }
}

QPoint PieceLayoutEditForm::keptInFrame(const QRect& box, QPoint topLeft) const {
    int left = std::max(topLeft.x(), kEdge);
    int top = std::max(topLeft.y(), kEdge);
    if (left + box.width() > frame_.width() - kEdge)
        left = frame_.width() - kEdge - box.width();
    if (top + box.height() > frame_.height() - kEdge)
        top = frame_.height() - kEdge - box.height();
    return {left, top};
}

void PieceLayoutEditForm::objectMoved(int index, QPoint twips) {
    if (!itemDragging_ || index != selected_)
        return;
    QRect& box = objects_[index - 1].box;
    box.moveTo(keptInFrame(box, twips - dragStart_ + box.topLeft()));
    showObject(index);
}

void PieceLayoutEditForm::objectReleased(int index) {
    if (!itemDragging_)
        return;
    itemDragging_ = false;
    select(index, false, {});
    record({gestureStart_, symbology_, trackingCode_}, QStringLiteral("Move"), -1, Fields::Refresh);
}

void PieceLayoutEditForm::handlePressed(int) {
    handleDragging_ = true;
    busy_ = false;
    gestureStart_ = objects_;
}

void PieceLayoutEditForm::handleMoved(int handle, QPoint twips) {
    if (!handleDragging_ || busy_ || selected_ == 0)
        return;
    busy_ = true;
    QRect& box = objects_[selected_ - 1].box;
    int l = box.x();
    int t = box.y();
    int w = box.width();
    int h = box.height();
    const int x = twips.x();
    const int y = twips.y();
    if ((handle == 1 || handle == 4 || handle == 6) && l + x > kEdge && x + kEdge < w) {
        l += x;
        w -= x;
    }
    if ((handle == 3 || handle == 5 || handle == 8) && w + x > kEdge &&
        l + w + x + kEdge < frame_.width())
        w += x;
    if ((handle == 1 || handle == 2 || handle == 3) && t + y > kEdge && y + kEdge < h) {
        t += y;
        h -= y;
    }
    if ((handle == 6 || handle == 7 || handle == 8) && h + y > kEdge &&
        t + h + y + kEdge < frame_.height())
        h += y;
    box = QRect(l, t, w, h);
    showObject(selected_);
    busy_ = false;
}

void PieceLayoutEditForm::handleReleased() {
    if (!handleDragging_)
        return;
    handleDragging_ = false;
    record({gestureStart_, symbology_, trackingCode_}, QStringLiteral("Resize"), -1,
           Fields::Refresh);
    refreshFields();
}

void PieceLayoutEditForm::nudge(QPoint realTwips) {
    if (selected_ == 0 || !objects_[selected_ - 1].visible)
        return;
    // A nudge is in real twips; the editor holds twips at its scale.
    const QPoint by(qRound(realTwips.x() * Layout_m::LayoutScale()),
                    qRound(realTwips.y() * Layout_m::LayoutScale()));
    change(QStringLiteral("Nudge"), mergeKey(NudgeKeys, selected_), [this, by] {
        QRect& box = objects_[selected_ - 1].box;
        box.moveTo(keptInFrame(box, box.topLeft() + by));
    });
}

void PieceLayoutEditForm::textEdited(const QString& text) {
    if (selected_ == 0)
        return;
    change(QStringLiteral("Typing"), mergeKey(TextKeys, selected_),
           [this, &text] { objects_[selected_ - 1].text = text; });
}

void PieceLayoutEditForm::modify() {
    if (selected_ != 0)
        canvas_->editText(selected_, objects_[selected_ - 1]);
}

double PieceLayoutEditForm::fieldMaximum(int field) const {
    const QRect& box = objects_[selected_ - 1].box;
    const float twips[] = {static_cast<float>(frame_.height() - box.height()),
                           static_cast<float>(frame_.width() - box.width()),
                           static_cast<float>(frame_.width()), static_cast<float>(frame_.height())};
    return Layout_m::TwipsToInches(std::max(0.0f, twips[field]));
}

void PieceLayoutEditForm::setFieldValue(int field, double inches) {
    if (selected_ == 0)
        return;
    const QString what = field == WidthField || field == HeightField ? QStringLiteral("Resize")
                                                                     : QStringLiteral("Move");
    change(
        what, mergeKey(FieldKeys + field, selected_),
        [&] {
            QRect& box = objects_[selected_ - 1].box;
            const int twips =
                static_cast<int>(std::lround(Layout_m::InchesToTwips(static_cast<float>(inches))));
            switch (field) {
            case TopField:
                box.moveTop(twips);
                break;
            case LeftField:
                box.moveLeft(twips);
                break;
            case WidthField:
                box.setWidth(twips);
                if (box.right() + 1 > frame_.width())
                    box.moveLeft(std::max(0, frame_.width() - twips));
                if (twips >= frame_.width())
                    box.setWidth(frame_.width());
                break;
            case HeightField:
                box.setHeight(twips);
                if (box.bottom() + 1 > frame_.height())
                    box.moveTop(std::max(0, frame_.height() - twips));
                if (twips >= frame_.height())
                    box.setHeight(frame_.height());
                break;
            }
        },
        Fields::Keep);
}

void PieceLayoutEditForm::fieldEdited(int field) {
    if (updatingFields_ || selected_ == 0)
        return;
    setFieldValue(field, fields_[field]->text().toDouble());
}

void PieceLayoutEditForm::fieldKeyReleased(int field) {
    if (selected_ == 0)
        return;
    // Digits and the first point make the number; the value stays within the field's range.
    QString digits;
    for (const QChar c : fields_[field]->text())
        if (c.isDigit() || (c == QLatin1Char('.') && !digits.contains(QLatin1Char('.'))))
            digits += c;
    const double typed = digits.toDouble();
    const double value = std::clamp(typed, 0.0, fieldMaximum(field));
    // A value within range stays as typed (so that "1." can become "1.25"); a limited one is
    // written back.
    if (value != typed || digits != fields_[field]->text()) {
        updatingFields_ = true;
        fields_[field]->setText(Layout_m::formatInches(static_cast<float>(value)));
        updatingFields_ = false;
        setFieldValue(field, value);
    }
    if (field == WidthField || field == HeightField)
        refreshFields();
}

void PieceLayoutEditForm::spinnerMoved(int field, int value) {
    if (value == 0 || selected_ == 0)
        return;
    const double step =
        QString::number(Layout_m::TwipsToInches(static_cast<float>(-value)), 'f', 2).toDouble();
    double result = fields_[field]->text().toDouble() + step;
    if (result > fieldMaximum(field) || result < 0) {
        result = std::clamp(result, 0.0, fieldMaximum(field));
        QApplication::beep();
    }
    updatingFields_ = true;
    fields_[field]->setText(Layout_m::formatInches(static_cast<float>(result)));
    updatingFields_ = false;
    setFieldValue(field, result);
    spinners_[field]->setValue(0);
}

void PieceLayoutEditForm::LoadLayout(float pieceWidth, float pieceHeight,
                                     const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                                     const TavBarCodeCls& barCode) {
    accepted_ = false;
    frame_ = QSize(twipsOf(pieceWidth), twipsOf(pieceHeight));
    const auto box = [](float left, float top, float width, float height) {
        return QRect(twipsOf(left), twipsOf(top), twipsOf(width),
                     std::max(twipsOf(height), kMinimumShown));
    };
    for (int i = 0; i < 7; ++i) {
        const TavItemCls& record = *items[i];
        Object& o = objects_[i];
        o.box = box(record.Left1(), record.Top(), record.Width(), record.Height());
        o.border = record.BorderStyle() == TavEnumCls::FixedSingle;
        o.visible = record.Visible();
        o.text = record.TextControl();
        o.justification = record.AlignHorizontal();
        o.alignment = record.AlignVertical();
        const TavFont& font = *record.font();
        o.fontName = font.Name();
        o.fontSize = font.Size();
        o.bold = font.Bold();
        o.italic = font.Italic();
        o.underline = font.Underline();
        o.strikethrough = font.Strikethrough();
    }
    Object& bars = objects_[7];
    bars.box = box(barCode.Left1(), barCode.Top(), barCode.Width(), barCode.Height());
    bars.border = barCode.BorderStyle() != 0;
    bars.visible = barCode.Visible();
    bars.justification = barCode.AlignHorizontal();
    bars.alignment = barCode.AlignVertical();
    bars.fontName = QStringLiteral("Arial");
    trackingCode_ = barCode.TrackingCode();
    symbology_ = barCode.Symbology();
    undo_->clear();

    // The window opens with the piece at the scale; it may then grow or shrink with the window.
    canvas_->setFrame(frame_);
    const QSize natural = canvas_->naturalSize();
    canvasRoom_->setMinimumSize(natural);
    showAll(Fields::Refresh);
    adjustSize();
    canvasRoom_->setMinimumSize(natural / 2);
    fitCanvas();
}

void PieceLayoutEditForm::SaveLayout(const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                                     TavBarCodeCls& barCode) const {
    using Layout_m::TwipsToInches;
    for (int i = 0; i < 7; ++i) {
        TavItemCls& record = *items[i];
        const Object& o = objects_[i];
        record.setTop(TwipsToInches(static_cast<float>(o.box.y())));
        record.setLeft1(TwipsToInches(static_cast<float>(o.box.x())));
        record.setHeight(TwipsToInches(static_cast<float>(o.box.height())));
        record.setWidth(TwipsToInches(static_cast<float>(o.box.width())));
        record.setBorderStyle(o.border ? TavEnumCls::FixedSingle : TavEnumCls::None);
        record.setVisible(o.visible);
        record.setTextControl(o.text);
        record.setAlignHorizontal(static_cast<TavAlignmentHorizontal>(o.justification));
        record.setAlignVertical(static_cast<TavAlignmentVertical>(o.alignment));
        TavFont& font = *record.font();
        font.setName(o.fontName);
        font.setSize(o.fontSize);
        font.setBold(o.bold);
        font.setItalic(o.italic);
        font.setUnderline(o.underline);
        font.setStrikethrough(o.strikethrough);
    }
    const Object& bars = objects_[7];
    barCode.setTop(TwipsToInches(static_cast<float>(bars.box.y())));
    barCode.setLeft1(TwipsToInches(static_cast<float>(bars.box.x())));
    barCode.setHeight(TwipsToInches(static_cast<float>(bars.box.height())));
    barCode.setWidth(TwipsToInches(static_cast<float>(bars.box.width())));
    barCode.setBorderStyle(bars.border ? 1 : 0);
    barCode.setVisible(bars.visible);
    barCode.setAlignHorizontal(static_cast<TavAlignmentHorizontal>(bars.justification));
    barCode.setAlignVertical(static_cast<TavAlignmentVertical>(bars.alignment));
    barCode.setSymbology(static_cast<TavSymbology>(symbology_));
    barCode.setTrackingCode(trackingCode_);
}

bool PieceLayoutEditForm::eventFilter(QObject* watched, QEvent* event) {
    const auto field = std::find(fields_.begin(), fields_.end(), watched);
    if (field != fields_.end()) {
        const int f = static_cast<int>(field - fields_.begin());
        if (event->type() == QEvent::FocusIn) {
            QTimer::singleShot(0, fields_[f], &QLineEdit::selectAll);
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            // Enter, Escape and Tab are the dialog's, not the number's.
            const bool allowed =
                text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Return ||
                key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape ||
                key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                (text.size() == 1 && (text.at(0).isDigit() || text == QLatin1String(".")));
            if (!allowed) {
                QApplication::beep();
                return true;
            }
        } else if (event->type() == QEvent::KeyRelease) {
            reportingErrors([&] { fieldKeyReleased(f); });
        }
        return false;
    }
    if (watched == canvasRoom_ && event->type() == QEvent::Resize)
        reportingErrors([this] { fitCanvas(); });
    return QDialog::eventFilter(watched, event);
}

bool EditPieceLayout(qint32 top, qint32 left, float pieceWidth, float pieceHeight,
                     const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                     TavBarCodeCls& barCode, QWidget* parent) {
    PieceLayoutEditForm form(parent);
    Layout_m::FitLayoutScale(pieceWidth, pieceHeight);
    form.LoadLayout(pieceWidth, pieceHeight, items, barCode);
    if (top >= 0 && left >= 0) {
        form.move(left / LayoutCanvas::TwipsPerPixel, top / LayoutCanvas::TwipsPerPixel);
    } else if (parent != nullptr) {
        // Centred on the parent's window, and kept on its screen.
        QRect placed(QPoint(), form.size());
        placed.moveCenter(parent->window()->frameGeometry().center());
        if (const QScreen* screen = parent->screen()) {
            const QRect room = screen->availableGeometry();
            placed.moveLeft(std::clamp(placed.left(), room.left(),
                                       std::max(room.left(), room.right() - placed.width())));
            placed.moveTop(std::clamp(placed.top(), room.top(),
                                      std::max(room.top(), room.bottom() - placed.height())));
        }
        form.move(placed.topLeft());
    }
    form.exec();
    if (form.dataWasAccepted())
        form.SaveLayout(items, barCode);
    return form.dataWasAccepted();
}

void PieceLayoutEditForm::reject() {
    const int changes = undo_->index();
    if (!cancelling_ && changes > 1 &&
        QMessageBox::question(
            this, windowTitle(),
            QStringLiteral("Drop the %1 changes made to the layout?").arg(changes),
            QMessageBox::Discard | QMessageBox::Cancel,
            QMessageBox::Cancel) != QMessageBox::Discard)
        return;
    accepted_ = false;
    QDialog::reject();
}

} // namespace tav
