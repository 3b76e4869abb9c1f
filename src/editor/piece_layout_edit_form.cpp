#include "piece_layout_edit_form.h"

#include "bar_placement.h"
#include "intelligent_mail.h"
#include "intelligent_mail_fields.h"
#include "layout_scale.h"
#include "message_sink.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "units.h"

#include <QActionGroup>
#include <QApplication>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace tav {

namespace {

constexpr int kTwipsPerPixel = 15; // the editor draws at the screen's 96 dots per inch
constexpr int kEdge = 50;          // twips kept free at the frame's edges, and the smallest size
constexpr int kMinimumShown = 288; // twips: the lowest box the editor shows
constexpr int kShownWhenMadeVisible = 700;
const QString kBarPattern = QStringLiteral("||l|||lll||ll|||lll|ll|||");
const QString kIntelligentMailPattern = QStringLiteral("|'|.|,||'.|,'|.|'|,|.|'|");
enum Field { TopField, LeftField, WidthField, HeightField };

QRect toPixels(const QRect& twips) {
    return twipsToPixels(twips, kTwipsPerPixel);
}

int twipsOf(float inches) {
    return static_cast<int>(std::lround(Layout_m::InchesToTwips(inches)));
}

} // namespace

// An object of the piece: shows its text in its font at the editor's scale.
class PieceLayoutEditForm::ObjectBox : public QLabel {
public:
    ObjectBox(PieceLayoutEditForm* form, int index, QWidget* parent)
        : QLabel(parent)
        , form_(form)
        , index_(index) {
        setObjectName(QStringLiteral("item%1").arg(index));
        setAutoFillBackground(true);
        setWordWrap(true);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        reportingErrors([&] {
            form_->objectPressed(index_, event->button(),
                                 event->position().toPoint() * kTwipsPerPixel,
                                 event->globalPosition().toPoint());
        });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        reportingErrors(
            [&] { form_->objectMoved(index_, event->position().toPoint() * kTwipsPerPixel); });
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        reportingErrors([&] { form_->objectReleased(index_); });
    }
    void mouseDoubleClickEvent(QMouseEvent*) override {
        reportingErrors([&] { form_->modify(); });
    }

private:
    PieceLayoutEditForm* form_;
    int index_;
};

// A resize handle on a corner or an edge of the selected object.
class PieceLayoutEditForm::Handle : public QWidget {
public:
    Handle(PieceLayoutEditForm* form, int index, QWidget* parent)
        : QWidget(parent)
        , form_(form)
        , index_(index) {
        setObjectName(QStringLiteral("dot%1").arg(index));
        setFixedSize(6, 6);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::black);
        setPalette(palette);
        static const Qt::CursorShape shapes[] = {
            Qt::SizeFDiagCursor, Qt::SizeVerCursor,   Qt::SizeBDiagCursor, Qt::SizeHorCursor,
            Qt::SizeHorCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor,   Qt::SizeFDiagCursor};
        setCursor(shapes[index - 1]);
        hide();
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        reportingErrors([&] { form_->handlePressed(index_); });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        reportingErrors(
            [&] { form_->handleMoved(index_, event->position().toPoint() * kTwipsPerPixel); });
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        reportingErrors([&] { form_->handleReleased(); });
    }

private:
    PieceLayoutEditForm* form_;
    int index_;
};

PieceLayoutEditForm::PieceLayoutEditForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PieceLayoutEditForm"));
    setWindowTitle(QStringLiteral("Piece Layout"));

    pieceFrame_ = new QWidget(this);
    pieceFrame_->setObjectName(QStringLiteral("piece_frame"));
    pieceFrame_->setAutoFillBackground(true);
    QPalette white = pieceFrame_->palette();
    white.setColor(QPalette::Window, Qt::white);
    pieceFrame_->setPalette(white);
    for (int i = 0; i < 8; ++i)
        boxes_[i] = new ObjectBox(this, i + 1, pieceFrame_);
    for (int i = 0; i < 8; ++i)
        handles_[i] = new Handle(this, i + 1, pieceFrame_);
    for (int j = 0; j < 3; ++j) {
        editors_[j] = new QLineEdit(pieceFrame_);
        editors_[j]->setObjectName(QStringLiteral("edit_txt%1").arg(j));
        editors_[j]->setAlignment(j == 0   ? Qt::AlignLeft
                                  : j == 1 ? Qt::AlignRight
                                           : Qt::AlignCenter);
        editors_[j]->hide();
        editors_[j]->installEventFilter(this);
        connect(editors_[j], &QLineEdit::textEdited, this,
                reportingSlot([this](const QString& text) {
                    if (selected_ == 0)
                        return;
                    objects_[selected_ - 1].text = text;
                    showObject(selected_);
                    refreshFields();
                }));
    }

    itemLabel_ = new QLabel(this);
    itemLabel_->setObjectName(QStringLiteral("item_lbl"));
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
        accepted_ = false;
        reject();
    });

    auto* side = new QVBoxLayout;
    side->addWidget(itemLabel_);
    side->addLayout(positions);
    side->addStretch();
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* body = new QHBoxLayout;
    body->addWidget(pieceFrame_, 0, Qt::AlignTop | Qt::AlignLeft);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(new QMenuBar(this));
    layout->addLayout(body);
    buildMenus();
}

PieceLayoutEditForm::~PieceLayoutEditForm() = default;

void PieceLayoutEditForm::buildMenus() {
    auto* bar = static_cast<QMenuBar*>(layout()->menuBar());
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("&Clear"), this, [this] {
        if (selected_ == 0)
            return;
        objects_[selected_ - 1].text.clear();
        showObject(selected_);
        refreshFields();
    });
    edit->addAction(QStringLiteral("&Modify"), this, &PieceLayoutEditForm::modify);
    edit->addAction(QStringLiteral("&Bring To Front"), this, [this] {
        if (selected_ != 0) {
            boxes_[selected_ - 1]->raise();
            placeHandles();
        }
    });
    edit->addAction(QStringLiteral("Se&nd To Back"), this, [this] {
        if (selected_ != 0)
            boxes_[selected_ - 1]->lower();
        for (QLineEdit* editor : editors_)
            editor->hide();
    });
    edit->addAction(QStringLiteral("Default"));

    formatMenu_ = bar->addMenu(QStringLiteral("F&ormat"));
    const char* const justify[] = {"&Left Justify", "&Center Justify", "&Right Justify",
                                   "&Full Justify"};
    const int justification[] = {0, 2, 1, -1};
    for (int i = 0; i < 4; ++i) {
        justifyActions_[i] = formatMenu_->addAction(QString::fromLatin1(justify[i]));
        justifyActions_[i]->setCheckable(true);
        const int value = justification[i];
        QAction* action = justifyActions_[i];
        connect(action, &QAction::triggered, this,
                reportingSlot([this, value, action] { setJustification(value, action); }));
    }
    formatMenu_->addSeparator();
    const char* const align[] = {"&Top Alignment", "&Middle Alignment", "&Bottom Alignment"};
    for (int i = 0; i < 3; ++i) {
        alignActions_[i] = formatMenu_->addAction(QString::fromLatin1(align[i]));
        alignActions_[i]->setCheckable(true);
        connect(alignActions_[i], &QAction::triggered, this,
                reportingSlot([this, i] { setAlignment(i); }));
    }
    formatMenu_->addSeparator();
    formatMenu_->addAction(QStringLiteral("&Font"), this, reportingSlot([this] { chooseFont(); }));
    bordersAction_ = formatMenu_->addAction(QStringLiteral("Borders"));
    bordersAction_->setCheckable(true);
    connect(bordersAction_, &QAction::triggered, this, reportingSlot([this](bool on) {
                if (selected_ == 0)
                    return;
                objects_[selected_ - 1].border = on;
                showObject(selected_);
            }));
    connect(formatMenu_, &QMenu::aboutToShow, this, &PieceLayoutEditForm::updateFormatChecks);

    displayMenu_ = bar->addMenu(QStringLiteral("&Display"));
    for (int i = 1; i <= 8; ++i) {
        QAction* action = displayMenu_->addAction(i <= 7 ? QStringLiteral("Item &%1").arg(i)
                                                         : QStringLiteral("BarCode"));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                reportingSlot([this, i](bool on) { toggleDisplay(i, on); }));
    }
    connect(displayMenu_, &QMenu::aboutToShow, this, [this] {
        for (int i = 0; i < 8; ++i)
            displayMenu_->actions().at(i)->setChecked(objects_[i].visible);
    });

    QMenu* barCode = bar->addMenu(QStringLiteral("Bar &Code"));
    auto* symbologies = new QActionGroup(this);
    const char* const names[] = {"&POSTNET", "&Intelligent Mail barcode"};
    for (int i = 0; i < 2; ++i) {
        symbologyActions_[i] = barCode->addAction(QString::fromLatin1(names[i]));
        symbologyActions_[i]->setCheckable(true);
        symbologies->addAction(symbologyActions_[i]);
        connect(symbologyActions_[i], &QAction::triggered, this,
                reportingSlot([this, i] { setSymbology(i); }));
    }
    barCode->addSeparator();
    barCode->addAction(QStringLiteral("&Tracking Code..."), this,
                       reportingSlot([this] { askTrackingCode(); }));
}

void PieceLayoutEditForm::setSymbology(int symbology) {
    symbology_ = symbology;
    symbologyActions_[symbology == TavEnumCls::TavIntelligentMail ? 1 : 0]->setChecked(true);
    objects_[7].text =
        symbology == TavEnumCls::TavIntelligentMail ? kIntelligentMailPattern : kBarPattern;
    showObject(8);
    if (selected_ == 8)
        itemLabel_->setText(objectTitle(8));
}

void PieceLayoutEditForm::setTrackingCode(const QString& code) {
    const QString problem = code.isEmpty() ? QString() : IntelligentMail::trackingCodeProblem(code);
    if (!problem.isEmpty())
        raiseError(ErrorNumber::InvalidPropertyValue,
                   QStringLiteral("PieceLayoutEditForm:TrackingCode"),
                   QStringLiteral("TrackingCode ") + problem);
    trackingCode_ = code;
    if (selected_ == 8)
        itemLabel_->setText(objectTitle(8));
}

void PieceLayoutEditForm::askTrackingCode() {
    bool ok = false;
    const QString code = QInputDialog::getText(
        this, QStringLiteral("Tracking Code"),
        QStringLiteral("The 20-digit tracking code of the Intelligent Mail barcode:"),
        QLineEdit::Normal, trackingCode_, &ok);
    if (ok)
        setTrackingCode(code.trimmed());
}

QString PieceLayoutEditForm::objectTitle(int index) const {
    if (index != 8)
        return QStringLiteral("Item %1").arg(index);
    if (symbology_ != TavEnumCls::TavIntelligentMail)
        return QStringLiteral("Bar Code");
    QString title = QStringLiteral("Bar Code: Intelligent Mail");
    if (!trackingCode_.isEmpty())
        title += QLatin1Char(' ') + trackingCode_;
    const float width = Layout_m::TwipsToInches(static_cast<float>(objects_[7].box.width()));
    const qint32 needed = symbolLength(IntelligentMail::BarCount, IntelligentMail::Metrics);
    if (width * TwipsPerInch < static_cast<float>(needed))
        title += QStringLiteral(" (too narrow: the bars are %1 in long)")
                     .arg(static_cast<double>(needed) / TwipsPerInch, 0, 'f', 2);
    return title;
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
    setSymbology(barCode.Symbology());

    // Lay the window out for the piece.
    pieceFrame_->setFixedSize(toPixels(QRect(QPoint(), frame_)).size());
    for (int i = 1; i <= 8; ++i)
        showObject(i);
    adjustSize();
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

void PieceLayoutEditForm::showObject(int index) {
    const Object& o = objects_[index - 1];
    ObjectBox* widget = boxes_[index - 1];
    widget->setGeometry(toPixels(o.box));
    widget->setText(o.text);
    QFont font(o.fontName);
    font.setPointSizeF(std::max(1.0, o.fontSize * Layout_m::LayoutScale()));
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
    if (index == selected_)
        placeHandles();
}

void PieceLayoutEditForm::select(int index, bool showFormatMenu, QPoint globalPos) {
    selected_ = index;
    itemLabel_->setText(objectTitle(index));
    findChild<QPushButton*>(QStringLiteral("ok_btn"))->setFocus();
    placeHandles();
    refreshFields();
    if (showFormatMenu)
        formatMenu_->popup(globalPos);
}

void PieceLayoutEditForm::hideHandles() {
    for (Handle* handle : handles_)
        handle->hide();
}

void PieceLayoutEditForm::placeHandles() {
    if (selected_ == 0)
        return;
    const QRect box = toPixels(objects_[selected_ - 1].box);
    const int d = handles_[0]->width();
    const int x1 = box.x() - d / 2;
    const int y1 = box.y() - d / 2;
    const QPoint places[] = {{x1, y1},
                             {x1 + box.width() / 2, y1},
                             {x1 + box.width(), y1},
                             {x1, y1 + box.height() / 2},
                             {x1 + box.width(), y1 + box.height() / 2},
                             {x1, y1 + box.height()},
                             {x1 + box.width() / 2, y1 + box.height()},
                             {x1 + box.width(), y1 + box.height()}};
    for (int i = 0; i < 8; ++i) {
        handles_[i]->hide();
        handles_[i]->move(places[i]);
    }
    boxes_[selected_ - 1]->raise();
    for (Handle* handle : handles_) {
        handle->raise();
        handle->show();
    }
}

void PieceLayoutEditForm::refreshFields() {
    if (selected_ == 0)
        return;
    itemLabel_->setText(objectTitle(selected_)); // a resized bar code may now be too narrow
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
    for (QLineEdit* editor : editors_)
        editor->hide();
    selected_ = index;
    itemLabel_->setText(objectTitle(index));
    itemDragging_ = true;
    dragStart_ = twips;
    hideHandles();
    boxes_[index - 1]->raise();
    if (button != Qt::LeftButton) {
        itemDragging_ = false;
        select(index, true, globalPos);
    }
}

void PieceLayoutEditForm::objectMoved(int index, QPoint twips) {
    if (!itemDragging_ || index != selected_)
        return;
    QRect& box = objects_[index - 1].box;
    int left = twips.x() - dragStart_.x() + box.x();
    int top = twips.y() - dragStart_.y() + box.y();
    left = std::max(left, kEdge);
    top = std::max(top, kEdge);
    if (left + box.width() > frame_.width() - kEdge)
        left = frame_.width() - kEdge - box.width();
    if (top + box.height() > frame_.height() - kEdge)
        top = frame_.height() - kEdge - box.height();
    box.moveTo(left, top);
    showObject(index);
}

void PieceLayoutEditForm::objectReleased(int index) {
    if (!itemDragging_)
        return;
    itemDragging_ = false;
    select(index, false, {});
}

void PieceLayoutEditForm::handlePressed(int) {
    handleDragging_ = true;
    busy_ = false;
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
    handleDragging_ = false;
    refreshFields();
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
    showObject(selected_);
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

void PieceLayoutEditForm::modify() {
    if (selected_ == 0)
        return;
    for (QLineEdit* editor : editors_)
        editor->hide();
    hideHandles();
    const Object& o = objects_[selected_ - 1];
    QLineEdit* editor = editors_[std::clamp(o.justification, 0, 2)];
    editor->setGeometry(toPixels(o.box));
    editor->setFont(boxes_[selected_ - 1]->font());
    editor->setText(o.text);
    editor->show();
    editor->raise();
    editor->setFocus();
}

void PieceLayoutEditForm::updateFormatChecks() {
    if (selected_ == 0)
        return;
    const Object& o = objects_[selected_ - 1];
    const int justifyIndex = o.justification == 2 ? 1 : o.justification == 1 ? 2 : 0;
    for (int i = 0; i < 4; ++i)
        justifyActions_[i]->setChecked(i == justifyIndex);
    for (int i = 0; i < 3; ++i)
        alignActions_[i]->setChecked(i == o.alignment);
    bordersAction_->setChecked(o.border);
}

void PieceLayoutEditForm::setJustification(int justification, QAction* checked) {
    for (QAction* action : justifyActions_)
        action->setChecked(action == checked);
    if (selected_ == 0 || justification < 0)
        return; // full justification only moves the check mark
    objects_[selected_ - 1].justification = justification;
    showObject(selected_);
}

void PieceLayoutEditForm::setAlignment(int alignment) {
    for (int i = 0; i < 3; ++i)
        alignActions_[i]->setChecked(i == alignment);
    if (selected_ == 0)
        return;
    objects_[selected_ - 1].alignment = alignment;
    showObject(selected_);
}

void PieceLayoutEditForm::chooseFont() {
    if (selected_ == 0)
        return;
    Object& o = objects_[selected_ - 1];
    QFont current(o.fontName);
    current.setPointSizeF(o.fontSize);
    current.setBold(o.bold);
    current.setItalic(o.italic);
    current.setUnderline(o.underline);
    current.setStrikeOut(o.strikethrough);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, current, this, QStringLiteral("Font"));
    if (!ok)
        return;
    o.fontName = chosen.family();
    o.fontSize = chosen.pointSizeF(); // kept unscaled; shown at the editor's scale
    o.bold = chosen.bold();
    o.italic = chosen.italic();
    o.underline = chosen.underline();
    o.strikethrough = chosen.strikeOut();
    showObject(selected_);
}

void PieceLayoutEditForm::toggleDisplay(int index, bool on) {
    Object& o = objects_[index - 1];
    o.visible = on;
    if (on) {
        o.box.setWidth(std::max(o.box.width(), kShownWhenMadeVisible));
        o.box.setHeight(std::max(o.box.height(), kShownWhenMadeVisible));
    }
    showObject(index);
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
            const bool allowed =
                text.isEmpty() || key->key() == Qt::Key_Backspace ||
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
    if (event->type() == QEvent::FocusOut &&
        std::find(editors_.begin(), editors_.end(), watched) != editors_.end())
        static_cast<QWidget*>(watched)->hide();
    return QDialog::eventFilter(watched, event);
}

bool EditPieceLayout(qint32 top, qint32 left, float pieceWidth, float pieceHeight,
                     const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                     TavBarCodeCls& barCode, QWidget* parent) {
    PieceLayoutEditForm form(parent);
    Layout_m::FitLayoutScale(pieceWidth, pieceHeight);
    form.LoadLayout(pieceWidth, pieceHeight, items, barCode);
    if (top >= 0 && left >= 0)
        form.move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    form.exec();
    if (form.accepted())
        form.SaveLayout(items, barCode);
    return form.accepted();
}

} // namespace tav
