// The label control on screen: the navigation bar, the status labels, the piece list and the two
// views, laid out in twips as the control's design has them.

#include "display_flags.h"
#include "message_sink.h"
#include "piece_layout_edit_form.h"
#include "piece_list_model.h"
#include "piece_select.h"
#include "sheet_limits.h"
#include "tav_label.h"
#include "units.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>

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
    const QFont font = smallFont();
    const char* const leftNames[] = {"NavFirst", "NavPrevS", "NavPrevP", "NavListP",
                                     "NavNextP", "NavNextS", "NavLast"};
    const char* const leftCaptions[] = {"|<", "<<", "<", ".", ">", ">>", ">|"};
    for (int i = 0; i < 7; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(leftCaptions[i]), this);
        button->setObjectName(QString::fromLatin1(leftNames[i]));
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        leftButtons_[i] = button;
    }
    const char* const rightNames[] = {"NavPrAll", "NavPrSht", "NavSelect", "NavLayout"};
    const char* const rightCaptions[] = {"Pr All", "Pr Sheet", "Select", "Layout"};
    for (int i = 0; i < 4; ++i) {
        auto* button = new QPushButton(QString::fromLatin1(rightCaptions[i]), this);
        button->setObjectName(QString::fromLatin1(rightNames[i]));
        button->setFont(font);
        button->setFocusPolicy(Qt::NoFocus);
        rightButtons_[i] = button;
    }
    viewList_ = new QComboBox(this);
    viewList_->setObjectName(QStringLiteral("NavAppearance"));
    viewList_->setFont(font);
    viewList_->addItems({QStringLiteral("Piece"), QStringLiteral("Sheet"), QStringLiteral("Both")});
    viewList_->setCurrentIndex(appearance_);
    pieceStatus_ = new QLabel(QStringLiteral("Piece 0 of 0"), this);
    pieceStatus_->setObjectName(QStringLiteral("NavPLbl"));
    sheetStatus_ = new QLabel(QStringLiteral("Sheet 0 of 0"), this);
    sheetStatus_->setObjectName(QStringLiteral("NavSLbl"));
    for (QLabel* status : {pieceStatus_, sheetStatus_}) {
        status->setFont(font);
        status->setAlignment(Qt::AlignCenter);
    }
    pieceView_ = new TavPort(this);
    pieceView_->setObjectName(QStringLiteral("NavPieceWin"));
    sheetView_ = new TavPort(this);
    sheetView_->setObjectName(QStringLiteral("NavSheetWin"));
    for (TavPort* view : {pieceView_, sheetView_}) {
        connect(view, &TavPort::clicked, this, &TavLabel::Click);
        connect(view, &TavPort::doubleClicked, this, &TavLabel::DblClick);
    }
    pieceListModel_ = new PieceListModel([this] { return pieceCount(); }, this);
    pieceList_ = new QListView(this);
    pieceList_->setObjectName(QStringLiteral("List1"));
    pieceList_->setModel(pieceListModel_);
    pieceList_->setUniformItemSizes(true); // a list of any length lays out at once
    pieceList_->setFont(font);
    pieceList_->hide();

    // No error may leave a button's slot: it is reported and the control stays usable.
    const auto step = [this](auto target) {
        return [this, target] { reportingErrors([&] { navigate(target()); }); };
    };
    const auto perSheet = [this] { return SheetLayout::piecesPerSheet(*sheet_); };
    connect(leftButtons_[0], &QPushButton::clicked, this, step([] { return 1; }));
    connect(leftButtons_[1], &QPushButton::clicked, this,
            step([this, perSheet] { return std::max(1, currentPiece_ - perSheet()); }));
    connect(leftButtons_[2], &QPushButton::clicked, this,
            step([this] { return std::max(1, currentPiece_ - 1); }));
    connect(leftButtons_[3], &QPushButton::clicked, this, &TavLabel::openPieceList);
    connect(leftButtons_[4], &QPushButton::clicked, this,
            step([this] { return std::min(pieceCount(), currentPiece_ + 1); }));
    connect(leftButtons_[5], &QPushButton::clicked, this,
            step([this, perSheet] { return std::min(pieceCount(), currentPiece_ + perSheet()); }));
    connect(leftButtons_[6], &QPushButton::clicked, this, step([this] { return pieceCount(); }));
    const auto print = [this](void (TavLabel::*printMember)()) {
        return [this, printMember] {
            pieceList_->hide();
            reportingErrors([&] { (this->*printMember)(); });
            focusView();
            pieceView_->MetaKill();
            sheetView_->MetaKill();
        };
    };
    connect(rightButtons_[0], &QPushButton::clicked, this, print(&TavLabel::PrintAll));
    connect(rightButtons_[1], &QPushButton::clicked, this, print(&TavLabel::PrintSheet));
    connect(rightButtons_[2], &QPushButton::clicked, this, [this] {
        pieceList_->hide();
        reportingErrors([this] { PieceSelectDialogShow(); });
    });
    connect(rightButtons_[3], &QPushButton::clicked, this, [this] {
        pieceList_->hide();
        reportingErrors([this] { PieceLayoutDialogShow(); });
    });
    connect(viewList_, &QComboBox::activated, this, &TavLabel::viewChosen);
    connect(pieceList_, &QListView::clicked, this, &TavLabel::pieceListClicked);

    setMinimumSize(kMinimumWidth / twipsPerPixel(),
                   (kMinimumHeight + twipsPerPixel() - 1) / twipsPerPixel());
}

void TavLabel::navigate(qint32 piece) {
    // With no pieces the target is 0 or 1; the current piece stays within the pieces.
    pieceList_->hide();
    showPiece(pieceCount() == 0 ? 0 : std::clamp(piece, 1, pieceCount()));
    redraw();
    focusView();
}

void TavLabel::focusView() {
    pieceList_->hide();
    (viewList_->currentIndex() == TavEnumCls::TavShowSheet ? sheetView_ : pieceView_)->setFocus();
}

void TavLabel::viewChosen(int) {
    reportingErrors([this] { layoutButtons(); });
    focusView();
}

void TavLabel::setEnabledFlag(bool on) {
    enabledFlag_ = on;
    emit propertyChanged(QStringLiteral("Enabled"));
}

void TavLabel::setFreezeDisplay(bool on) {
    freezeDisplay_ = on;
    emit propertyChanged(QStringLiteral("FreezeDisplay"));
}

void TavLabel::setAppearance(qint32 view) {
    appearance_ = view;
    emit propertyChanged(QStringLiteral("Appearance"));
    if (view >= 0 && view < viewList_->count()) {
        viewList_->setCurrentIndex(view);
        viewChosen(view);
    }
}

void TavLabel::setShowLeftBtns(const QString& flags) {
    showLeftBtns_ = normaliseFlags(flags, 7);
    emit propertyChanged(QStringLiteral("ShowLeftBtns"));
    layoutButtons();
}

void TavLabel::setShowCenter(const QString& flags) {
    showCenter_ = normaliseFlags(flags, 2);
    emit propertyChanged(QStringLiteral("ShowCenter"));
    layoutButtons();
}

void TavLabel::setShowRightBtns(const QString& flags) {
    showRightBtns_ = normaliseFlags(flags, 5);
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
        QPushButton* button = leftButtons_[i];
        if (flagShown(showLeftBtns_, i + 1)) {
            button->setGeometry(pixels(x, buttonTop, kNavButtonWidth, kButtonHeight));
            button->show();
            x = x + kNavButtonWidth - 30; // neighbouring buttons overlap by 30 twips
        } else {
            button->hide();
        }
    }

    qint32 right = width - 40;
    if (flagShown(showRightBtns_, 5)) {
        const qint32 left = width - kViewListWidth - 40;
        viewList_->setGeometry(pixels(left, buttonTop - 30, kViewListWidth, kButtonHeight + 60));
        viewList_->show();
        right = left - 40;
    } else {
        viewList_->hide();
    }
    // NavPrAll, NavPrSht, NavSelect, NavLayout go right to left; their flags are 4, 3, 2, 1.
    for (int i = 0; i < 4; ++i) {
        QPushButton* button = rightButtons_[i];
        if (flagShown(showRightBtns_, 4 - i)) {
            right -= kCommandWidth;
            button->setGeometry(pixels(right, buttonTop, kCommandWidth, kButtonHeight));
            button->show();
        } else {
            button->hide();
        }
    }

    // The status labels sit after NavLast, centred between the groups when there is room.
    qint32 labelLeft = leftButtons_[6]->x() * tpp + kNavButtonWidth + 100;
    const qint32 centred = roundToInt(right - labelLeft - kStatusWidth, kSource) / 2 + labelLeft;
    if (centred > 10)
        labelLeft = centred;
    pieceStatus_->setGeometry(pixels(labelLeft, height - 390, kStatusWidth, kStatusHeight));
    sheetStatus_->setGeometry(
        pixels(labelLeft, height - 410 + kStatusHeight, kStatusWidth, kStatusHeight));
    pieceStatus_->setVisible(flagShown(showCenter_, 1));
    sheetStatus_->setVisible(flagShown(showCenter_, 2));
    frame_->move(100 / tpp, (height + 10000) / tpp);
    laidOut_ = true;
    redraw();
}

void TavLabel::redraw() {
    pieceList_->hide();
    if (!refresh_ || !laidOut_)
        return;
    if (!sheetGeometryProblem(*sheet_).isEmpty()) {
        // A sheet that cannot be laid out shows nothing until it is mended; printing says why.
        pieceView_->MetaKill();
        sheetView_->MetaKill();
        updateStatusLabels();
        return;
    }
    const qint32 tpp = twipsPerPixel();
    const qint32 width = std::max(this->width() * tpp, kMinimumWidth);
    const qint32 height = std::max(this->height() * tpp, kMinimumHeight);
    const qint32 buttonTop = height - 330;
    switch (viewList_->currentIndex()) {
    case TavEnumCls::TavShowPiece:
        sheetView_->hide();
        pieceView_->setGeometry(pixels(60, 60, width - 120, buttonTop - 120));
        pieceView_->show();
        DrawPieceView(*pieceView_, *sheet_);
        pieceView_->ZoomFull();
        break;
    case TavEnumCls::TavShowSheet:
        pieceView_->hide();
        sheetView_->setGeometry(pixels(60, 60, width - 120, buttonTop - 120));
        sheetView_->show();
        DrawSheetView(*sheetView_, *sheet_);
        sheetView_->ZoomFull();
        break;
    case TavEnumCls::TavShowBoth: {
        const qint32 side = height < 2000 ? roundToInt(height * 0.4 - 200, kSource) : 600;
        const qint32 sheetLeft = width - side - 60;
        const qint32 sheetTop = buttonTop - side - 60;
        sheetView_->setGeometry(pixels(sheetLeft, sheetTop, side, side));
        pieceView_->setGeometry(pixels(60, 60, sheetLeft - 120, sheetTop + side - 60));
        pieceView_->show();
        sheetView_->show();
        DrawPieceView(*pieceView_, *sheet_);
        DrawSheetView(*sheetView_, *sheet_);
        pieceView_->ZoomFull();
        sheetView_->ZoomFull();
        break;
    }
    default:
        break;
    }
    updateStatusLabels();
}

void TavLabel::updateStatusLabels() {
    ComputeSheetPosition();
    pieceStatus_->setText(QStringLiteral("Piece %1 of %2").arg(currentPiece_).arg(pieceCount()));
    sheetStatus_->setText(
        QStringLiteral("Sheet %1 of %2").arg(position_.currentSheet).arg(position_.sheetCount));
}

void TavLabel::openPieceList() {
    if (pieceCount() == 0)
        return;
    pieceListModel_->reset();
    const qint32 tpp = twipsPerPixel();
    const qint32 maximum = pieceView_->height() * tpp + 400;
    const qint64 wanted = static_cast<qint64>(pieceCount()) * 200 + 100;
    const qint32 listHeight =
        static_cast<qint32>(std::clamp<qint64>(wanted, 300, std::max(300, maximum)));
    QPushButton* button = leftButtons_[3];
    const qint32 buttonTop = button->y() * tpp;
    listReady_ = false;
    pieceList_->setCurrentIndex(pieceListModel_->index(std::max(currentPiece_, 1) - 1));
    listReady_ = true;
    pieceList_->setGeometry(
        pixels(button->x() * tpp, buttonTop + kButtonHeight - listHeight, kListWidth, listHeight));
    pieceList_->scrollTo(pieceList_->currentIndex());
    pieceList_->show();
    pieceList_->raise();
    pieceList_->setFocus();
}

void TavLabel::pieceListClicked(const QModelIndex& index) {
    if (!listReady_ || !index.isValid())
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
    const QString kept = pieceName_;
    QString chosen = kept;
    const bool changed = ShowPieceSelect(chosen, this);
    if (changed && chosen != kept)
        setPieceName(chosen); // applies the definition and redraws
    return changed;
}

bool TavLabel::PieceLayoutDialogShow() {
    std::array<std::shared_ptr<TavItemCls>, 7> items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = items_[i]->Copy();
    const auto barCode = barCode_->Copy();
    // The window opens over the control (twips on screen).
    const QPoint corner = mapToGlobal(QPoint(0, 0)) * twipsPerPixel();
    const bool changed = EditPieceLayout(corner.y(), corner.x(), sheet_->PieceWidth(),
                                         sheet_->PieceHeight(), items, *barCode, this);
    if (changed) {
        items_ = items; // the edited copies become the control's records
        barCode_ = barCode;
        redraw();
    }
    return changed;
}

} // namespace tav
