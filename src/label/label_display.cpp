// The label control on screen: the navigation bar, the status labels, the piece list and the two
// views, laid out in twips as the control's design has them.

#include "display_flags.h"
#include "message_sink.h"
#include "piece_layout_edit_form.h"
#include "piece_list_model.h"
#include "piece_select.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "units.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>

#include <optional>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavLabel");

// Design sizes (twips).
constexpr qint32 kNavButtonWidth = 285;
constexpr qint32 kCommandWidth = 855;
constexpr qint32 kButtonHeight = 270;
constexpr qint32 kViewListWidth = 750;
constexpr qint32 kStatusWidth = 855;
constexpr qint32 kStatusHeight = 195;
constexpr qint32 kListWidth = 1095;
constexpr qint32 kMinimumWidth = 3000;
constexpr qint32 kMinimumHeight = 1000;

QFont smallFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(6.5);
    return font;
}

} // namespace

qint32 TavLabel::twipsPerPixel() const {
    return tav::twipsPerPixel(*this);
}

QRect TavLabel::pixels(qint32 left, qint32 top, qint32 width, qint32 height) const {
    return twipsToPixels(QRect(left, top, width, height), twipsPerPixel());
}

void TavLabel::buildNavigation() {
    setFocusPolicy(Qt::StrongFocus); // it takes the keys that step through the pieces
    const QFont font = smallFont();
    const char* const leftNames[] = {"NavFirst", "NavPrevS", "NavPrevP", "NavListP",
                                     "NavNextP", "NavNextS", "NavLast"};
    const char* const leftCaptions[] = {"|<", "<<", "<", ".", ">", ">>", ">|"};
    // The captions are terse symbols; the tooltips say what each does.
    const char* const leftTips[] = {"First piece",    "Previous sheet", "Previous piece",
                                    "List of pieces", "Next piece",     "Next sheet",
                                    "Last piece"};
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(leftCaptions[i]), this);
        button->setObjectName(QString::fromLatin1(leftNames[i]));
        button->setToolTip(QString::fromLatin1(leftTips[i]));
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        d->leftButtons_[i] = button;
    }
    const char* const rightNames[] = {"NavPrAll", "NavPrSht", "NavSelect", "NavLayout"};
    const char* const rightCaptions[] = {"Pr All", "Pr Sheet", "Select", "Layout"};
    const char* const rightTips[] = {"Print all sheets", "Print this sheet", "Choose the piece",
                                     "Edit the layout"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(rightCaptions[i]), this);
        button->setObjectName(QString::fromLatin1(rightNames[i]));
        button->setToolTip(QString::fromLatin1(rightTips[i]));
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        d->rightButtons_[i] = button;
    }
    d->viewList_ = new QComboBox(this);
    d->viewList_->setObjectName(QStringLiteral("NavAppearance"));
    d->viewList_->setFont(font);
    d->viewList_->addItems(
        {QStringLiteral("Piece"), QStringLiteral("Sheet"), QStringLiteral("Both")});
    d->viewList_->setCurrentIndex(d->appearance_);
    d->pieceStatus_ = new QLabel(QStringLiteral("Piece 0 of 0"), this);
    d->pieceStatus_->setObjectName(QStringLiteral("NavPLbl"));
    d->sheetStatus_ = new QLabel(QStringLiteral("Sheet 0 of 0"), this);
    d->sheetStatus_->setObjectName(QStringLiteral("NavSLbl"));
    for (QLabel* status : {d->pieceStatus_, d->sheetStatus_}) {
        status->setFont(font);
        status->setAlignment(Qt::AlignCenter);
    }
    d->pieceView_ = new TavPort(this);
    d->pieceView_->setObjectName(QStringLiteral("NavPieceWin"));
    d->sheetView_ = new TavPort(this);
    d->sheetView_->setObjectName(QStringLiteral("NavSheetWin"));
    for (TavPort* view : {d->pieceView_, d->sheetView_}) {
        connect(view, &TavPort::clicked, this, &TavLabel::Click);
        connect(view, &TavPort::doubleClicked, this, &TavLabel::DblClick);
    }
    d->pieceListModel_ = new PieceListModel([this] { return pieceCount(); }, this);
    d->pieceList_ = new QListView(this);
    d->pieceList_->setObjectName(QStringLiteral("List1"));
    d->pieceList_->setModel(d->pieceListModel_);
    d->pieceList_->setUniformItemSizes(true); // a list of any length lays out at once
    d->pieceList_->setFont(font);
    d->pieceList_->hide();

    // No error may leave a button's slot: it is reported and the control stays usable.
    const auto step = [this](auto target) {
        return [this, target] { reportingErrors([&] { navigate(target()); }); };
    };
    const auto perSheet = [this] { return SheetLayout::piecesPerSheet(*d->sheet_); };
    connect(d->leftButtons_[0], &QPushButton::clicked, this, step([] { return 1; }));
    connect(d->leftButtons_[1], &QPushButton::clicked, this,
            step([this, perSheet] { return std::max(1, d->currentPiece_ - perSheet()); }));
    connect(d->leftButtons_[2], &QPushButton::clicked, this,
            step([this] { return std::max(1, d->currentPiece_ - 1); }));
    connect(d->leftButtons_[3], &QPushButton::clicked, this, &TavLabel::openPieceList);
    connect(d->leftButtons_[4], &QPushButton::clicked, this,
            step([this] { return std::min(pieceCount(), d->currentPiece_ + 1); }));
    connect(d->leftButtons_[5], &QPushButton::clicked, this, step([this, perSheet] {
                return std::min(pieceCount(), d->currentPiece_ + perSheet());
            }));
    connect(d->leftButtons_[6], &QPushButton::clicked, this, step([this] { return pieceCount(); }));
    const auto print = [this](void (TavLabel::*printMember)()) {
        return [this, printMember] {
            d->pieceList_->hide();
            reportingErrors([&] { (this->*printMember)(); });
            focusView();
            d->pieceView_->MetaKill();
            d->sheetView_->MetaKill();
        };
    };
    connect(d->rightButtons_[0], &QPushButton::clicked, this, print(&TavLabel::PrintAll));
    connect(d->rightButtons_[1], &QPushButton::clicked, this, print(&TavLabel::PrintSheet));
    connect(d->rightButtons_[2], &QPushButton::clicked, this, [this] {
        d->pieceList_->hide();
        reportingErrors([this] { PieceSelectDialogShow(); });
    });
    connect(d->rightButtons_[3], &QPushButton::clicked, this, [this] {
        d->pieceList_->hide();
        reportingErrors([this] { PieceLayoutDialogShow(); });
    });
    connect(d->viewList_, &QComboBox::activated, this, &TavLabel::viewChosen);
    connect(d->pieceList_, &QListView::clicked, this, &TavLabel::pieceListClicked);

    setMinimumSize(kMinimumWidth / twipsPerPixel(),
                   (kMinimumHeight + twipsPerPixel() - 1) / twipsPerPixel());
}

void TavLabel::navigate(qint32 piece) {
    stepTo(piece);
    focusView();
}

void TavLabel::stepTo(qint32 piece) {
    // With no pieces the target is 0 or 1; the current piece stays within the pieces.
    d->pieceList_->hide();
    showPiece(pieceCount() == 0 ? 0 : std::clamp(piece, 1, pieceCount()));
    redraw();
}

void TavLabel::keyPressEvent(QKeyEvent* event) {
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    std::optional<qint32> target;
    if (event->key() == Qt::Key_PageDown)
        target = d->currentPiece_ + 1;
    else if (event->key() == Qt::Key_PageUp)
        target = d->currentPiece_ - 1;
    else if (control && event->key() == Qt::Key_Home)
        target = 1;
    else if (control && event->key() == Qt::Key_End)
        target = pieceCount();
    if (!target) {
        QWidget::keyPressEvent(event);
        return;
    }
    // The focus stays where it is, so that the next key steps again.
    reportingErrors([&] { stepTo(*target); });
}

void TavLabel::focusView() {
    d->pieceList_->hide();
    (d->viewList_->currentIndex() == TavEnumCls::TavShowSheet ? d->sheetView_ : d->pieceView_)
        ->setFocus();
}

void TavLabel::viewChosen(int) {
    reportingErrors([this] { layoutButtons(); });
    focusView();
}

void TavLabel::setEnabledFlag(bool on) {
    d->enabledFlag_ = on;
    emit propertyChanged(QStringLiteral("Enabled"));
}

void TavLabel::setFreezeDisplay(bool on) {
    d->freezeDisplay_ = on;
    emit propertyChanged(QStringLiteral("FreezeDisplay"));
}

void TavLabel::setAppearance(qint32 view) {
    d->appearance_ = view;
    emit propertyChanged(QStringLiteral("Appearance"));
    if (view >= 0 && view < d->viewList_->count()) {
        d->viewList_->setCurrentIndex(view);
        viewChosen(view);
    }
}

void TavLabel::setShowLeftBtns(const QString& flags) {
    d->showLeftBtns_ = normaliseFlags(flags, 7);
    emit propertyChanged(QStringLiteral("ShowLeftBtns"));
    layoutButtons();
}

void TavLabel::setShowCenter(const QString& flags) {
    d->showCenter_ = normaliseFlags(flags, 2);
    emit propertyChanged(QStringLiteral("ShowCenter"));
    layoutButtons();
}

void TavLabel::setShowRightBtns(const QString& flags) {
    d->showRightBtns_ = normaliseFlags(flags, 5);
    emit propertyChanged(QStringLiteral("ShowRightBtns"));
    layoutButtons();
}

void TavLabel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reportingErrors([this] { layoutButtons(); });
}

void TavLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    reportingErrors([this] { layoutButtons(); });
}

void TavLabel::layoutButtons() {
    const qint32 tpp = twipsPerPixel();
    const qint32 width = std::max(this->width() * tpp, kMinimumWidth);
    const qint32 height = std::max(this->height() * tpp, kMinimumHeight);
    const qint32 buttonTop = height - 330;

    qint32 x = 60;
    for (int i = 0; i < 7; ++i) {
        QPushButton* button = d->leftButtons_[i];
        if (flagShown(d->showLeftBtns_, i + 1)) {
            button->setGeometry(pixels(x, buttonTop, kNavButtonWidth, kButtonHeight));
            button->show();
            x = x + kNavButtonWidth - 30; // neighbouring buttons overlap by 30 twips
        } else {
            button->hide();
        }
    }

    qint32 right = width - 40;
    if (flagShown(d->showRightBtns_, 5)) {
        const qint32 left = width - kViewListWidth - 40;
        d->viewList_->setGeometry(pixels(left, buttonTop - 30, kViewListWidth, kButtonHeight + 60));
        d->viewList_->show();
        right = left - 40;
    } else {
        d->viewList_->hide();
    }
    // NavPrAll, NavPrSht, NavSelect, NavLayout go right to left; their flags are 4, 3, 2, 1.
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = d->rightButtons_[i];
        if (flagShown(d->showRightBtns_, 4 - i)) {
            right -= kCommandWidth;
            button->setGeometry(pixels(right, buttonTop, kCommandWidth, kButtonHeight));
            button->show();
        } else {
            button->hide();
        }
    }

    // The status labels sit after NavLast, centred between the groups when there is room.
    qint32 labelLeft = d->leftButtons_[6]->x() * tpp + kNavButtonWidth + 100;
    const qint32 centred = roundToInt(right - labelLeft - kStatusWidth, kSource) / 2 + labelLeft;
    if (centred > 10)
        labelLeft = centred;
    d->pieceStatus_->setGeometry(pixels(labelLeft, height - 390, kStatusWidth, kStatusHeight));
    d->sheetStatus_->setGeometry(
        pixels(labelLeft, height - 410 + kStatusHeight, kStatusWidth, kStatusHeight));
    d->pieceStatus_->setVisible(flagShown(d->showCenter_, 1));
    d->sheetStatus_->setVisible(flagShown(d->showCenter_, 2));
    d->frame_->move(100 / tpp, (height + 10000) / tpp);
    d->laidOut_ = true;
    redraw();
}

void TavLabel::redraw() {
    d->pieceList_->hide();
    if (!d->refresh_ || !d->laidOut_)
        return;
    if (!designGeometryProblem().isEmpty()) {
        // A design that cannot be laid out shows nothing until it is mended; printing says why.
        d->pieceView_->MetaKill();
        d->sheetView_->MetaKill();
        // No sheets can be counted on such a sheet; the pieces still can.
        d->pieceStatus_->setText(
            QStringLiteral("Piece %1 of %2").arg(d->currentPiece_).arg(pieceCount()));
        d->sheetStatus_->setText(QStringLiteral("Sheet - of -"));
        return;
    }
    const qint32 tpp = twipsPerPixel();
    const qint32 width = std::max(this->width() * tpp, kMinimumWidth);
    const qint32 height = std::max(this->height() * tpp, kMinimumHeight);
    const qint32 buttonTop = height - 330;
    switch (d->viewList_->currentIndex()) {
    case TavEnumCls::TavShowPiece:
        d->sheetView_->hide();
        d->pieceView_->setGeometry(pixels(60, 60, width - 120, buttonTop - 120));
        d->pieceView_->show();
        DrawPieceView(*d->pieceView_, *d->sheet_);
        d->pieceView_->ZoomFull();
        break;
    case TavEnumCls::TavShowSheet:
        d->pieceView_->hide();
        d->sheetView_->setGeometry(pixels(60, 60, width - 120, buttonTop - 120));
        d->sheetView_->show();
        DrawSheetView(*d->sheetView_, *d->sheet_);
        d->sheetView_->ZoomFull();
        break;
    case TavEnumCls::TavShowBoth: {
        const qint32 side = height < 2000 ? roundToInt(height * 0.4 - 200, kSource) : 600;
        const qint32 sheetLeft = width - side - 60;
        const qint32 sheetTop = buttonTop - side - 60;
        d->sheetView_->setGeometry(pixels(sheetLeft, sheetTop, side, side));
        d->pieceView_->setGeometry(pixels(60, 60, sheetLeft - 120, sheetTop + side - 60));
        d->pieceView_->show();
        d->sheetView_->show();
        DrawPieceView(*d->pieceView_, *d->sheet_);
        DrawSheetView(*d->sheetView_, *d->sheet_);
        d->pieceView_->ZoomFull();
        d->sheetView_->ZoomFull();
        break;
    }
    default:
        break;
    }
    updateStatusLabels();
}

void TavLabel::updateStatusLabels() {
    ComputeSheetPosition();
    d->pieceStatus_->setText(
        QStringLiteral("Piece %1 of %2").arg(d->currentPiece_).arg(pieceCount()));
    d->sheetStatus_->setText(QStringLiteral("Sheet %1 of %2")
                                 .arg(d->position_.currentSheet)
                                 .arg(d->position_.sheetCount));
}

void TavLabel::openPieceList() {
    if (pieceCount() == 0)
        return;
    d->pieceListModel_->reset();
    const qint32 tpp = twipsPerPixel();
    const qint32 maximum = d->pieceView_->height() * tpp + 400;
    const qint64 wanted = static_cast<qint64>(pieceCount()) * 200 + 100;
    const qint32 listHeight =
        static_cast<qint32>(std::clamp<qint64>(wanted, 300, std::max(300, maximum)));
    QPushButton* button = d->leftButtons_[3];
    const qint32 buttonTop = button->y() * tpp;
    d->listReady_ = false;
    d->pieceList_->setCurrentIndex(d->pieceListModel_->index(std::max(d->currentPiece_, 1) - 1));
    d->listReady_ = true;
    d->pieceList_->setGeometry(
        pixels(button->x() * tpp, buttonTop + kButtonHeight - listHeight, kListWidth, listHeight));
    d->pieceList_->scrollTo(d->pieceList_->currentIndex());
    d->pieceList_->show();
    d->pieceList_->raise();
    d->pieceList_->setFocus();
}

void TavLabel::pieceListClicked(const QModelIndex& index) {
    if (!d->listReady_ || !index.isValid())
        return;
    reportingErrors([&] { navigate(index.row() + 1); });
}

void TavLabel::ShowAboutBox() {
    QMessageBox about(QMessageBox::Information, QStringLiteral("About TavLabel"),
                      QStringLiteral("TavLabel — address labels on sheets, with POSTNET bar "
                                     "codes.\nPart of the Mailpiece library."),
                      QMessageBox::Ok, this);
    about.setObjectName(QStringLiteral("AboutBox"));
    about.exec();
}

bool TavLabel::PieceSelectDialogShow() {
    const QString kept = d->pieceName_;
    QString chosen = kept;
    qint16 rotation = d->sheet_->PieceRotation();
    const bool changed = ShowPieceSelect(chosen, this, &rotation);
    if (changed && chosen != kept)
        setPieceName(chosen); // applies the definition and redraws
    if (changed)
        TurnPieces(rotation);
    return changed;
}

bool TavLabel::PieceLayoutDialogShow() {
    std::array<std::shared_ptr<TavItemCls>, 7> items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = d->items_[i]->Copy();
    const auto barCode = d->barCode_->Copy();
    // The window opens centred on the host's window.
    const bool changed = EditPieceLayout(-1, -1, d->sheet_->PieceWidth(), d->sheet_->PieceHeight(),
                                         items, *barCode, this);
    if (changed) {
        d->items_ = items; // the edited copies become the control's records
        d->barCode_ = barCode;
        redraw();
    }
    return changed;
}

} // namespace tav
