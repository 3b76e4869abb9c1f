#include "tav_label.h"

#include "dir_lib.h"
#include "str_lib.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_item.h"
#include "tav_piece.h"

namespace tav {

namespace {

template <typename Record>
void requireRecord(const std::shared_ptr<Record>& record, const char* property) {
    if (!record)
        raiseError(ErrorNumber::ObjectNotSet,
                   QStringLiteral("TavLabel:%1 Property Set").arg(QLatin1String(property)),
                   QStringLiteral("%1 needs a record object").arg(QLatin1String(property)));
}

} // namespace

TavLabel::TavLabel(QWidget* parent)
    : QWidget(parent)
    , store_(QStringLiteral("qzp")) {
    copyTemplates();
    buildPieceContainer();
    buildNavigation();
}

void TavLabel::buildPieceContainer() {
    // The piece container is never seen: it draws into the views' recordings and onto paper.
    frame_ = new QWidget(this);
    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setGeometry(-20000, -20000, 10, 10);
    frame_->hide();
    piece_ = new TavPiece(frame_);
    piece_->setObjectName(QStringLiteral("BrixPiece1"));
    piece_->setDontPaint(true);
    for (std::size_t i = 0; i < itemControls_.size(); ++i) {
        itemControls_[i] = new TavItem(piece_);
        itemControls_[i]->setObjectName(QStringLiteral("TavItem%1").arg(i + 1));
    }
    barcodeControl_ = new TavBarcode(piece_);
    barcodeControl_->setObjectName(QStringLiteral("TavBarcode1"));
    barcodeControl_->setDontPaint(true);
}

TavLabel::~TavLabel() = default;

void TavLabel::setSubstituteText(const QString& text) {
    substituteText_ = StrLib::TrimSpaces(text);
    emit propertyChanged(QStringLiteral("SubstituteText"));
}

void TavLabel::setCurrentPiece(qint32 piece) {
    navigate(piece);
}

void TavLabel::setRefresh(bool on) {
    refresh_ = on;
    emit propertyChanged(QStringLiteral("Refresh"));
    if (on)
        redraw();
}

void TavLabel::setSheetProperties(std::shared_ptr<TavSheetCls> sheet) {
    requireRecord(sheet, "SheetProperties");
    sheet_ = std::move(sheet);
    refreshPrintRange();
    redraw();
    emit propertyChanged(QStringLiteral("SheetProperties"));
}

std::shared_ptr<TavItemCls> TavLabel::itemProperties(int index) const {
    if (index < 1 || index > static_cast<int>(items_.size()))
        raiseError(ErrorNumber::SubscriptOutOfRange, QStringLiteral("TavLabel:ItemProperties"),
                   QStringLiteral("item %1 does not exist (items are 1 to 7)").arg(index));
    return items_[index - 1];
}

void TavLabel::setItemProperties(int index, std::shared_ptr<TavItemCls> item) {
    const QString name = QStringLiteral("Item%1Properties").arg(index);
    itemProperties(index); // checks the index
    requireRecord(item, name.toLatin1().constData());
    items_[index - 1] = std::move(item);
    redraw();
    emit propertyChanged(name);
}

void TavLabel::setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode) {
    requireRecord(barCode, "BarCodeProperties");
    barCode_ = std::move(barCode);
    redraw();
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
}

void TavLabel::refreshPrintRange() {
    rangeFirst_ = sheet_->PrintFrom();
    rangeLast_ = sheet_->PrintTo();
}

namespace {

// A printer offset within what a printer can shift a page; not a number raises error 380.
float printerOffset(float inches, float limit, const char* property) {
    if (std::isnan(inches))
        raiseError(ErrorNumber::InvalidPropertyValue,
                   QStringLiteral("TavLabel:%1 Property Let").arg(QLatin1String(property)),
                   QStringLiteral("%1 must be a number of inches").arg(QLatin1String(property)));
    return std::clamp(inches, -limit, limit);
}

} // namespace

void TavLabel::setPrinterTop(float inches) {
    printerTop_ = printerOffset(inches, 8.75f, "PrinterTop");
    emit propertyChanged(QStringLiteral("PrinterTop"));
}

void TavLabel::setPrinterLeft(float inches) {
    printerLeft_ = printerOffset(inches, 6.75f, "PrinterLeft");
    emit propertyChanged(QStringLiteral("PrinterLeft"));
}

void TavLabel::setCompanyName(const QString& name) {
    companyName_ = name;
    emit propertyChanged(QStringLiteral("CompanyName"));
}

void TavLabel::AddPiece() {
    store_.append(substituteText_, barCode_->Value(), carrierRoute_);
    currentPiece_ = store_.pieceCount();
    redraw();
}

void TavLabel::CreatePieceStore() {
    if (store_.created())
        return;
    store_.create();
    currentPiece_ = 0;
    position_ = {};
}

void TavLabel::ClosePieceStore() {
    store_.close();
}

void TavLabel::OpenPieceStoreForReading() {
    store_.openForReading();
}

PieceRecord TavLabel::ReadPieceRecord() {
    return store_.readRecord();
}

PieceRecord TavLabel::FindPiece(qint32 number) {
    return store_.find(number);
}

} // namespace tav
