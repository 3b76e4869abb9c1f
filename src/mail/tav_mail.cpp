#include "tav_mail.h"

#include "bar_code_placement.h"
#include "str_lib.h"
#include "tav_error.h"
#include "tav_label.h"

#include <QResizeEvent>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavMail");

} // namespace

TavMail::TavMail(QWidget* parent)
    : QWidget(parent)
    , label_(new TavLabel(this)) {
    label_->setObjectName(QStringLiteral("TavLabel1"));
    connect(label_, &TavLabel::pieceNameChanged, this, &TavMail::pieceNameChanged);
    DeliveryAddress_Text(); // an empty record
    DeliveryAddress()->setTextControl(QStringLiteral("<<DeliveryAddress>>"));
}

TavMail::~TavMail() = default;

qint32 TavMail::Appearance() const {
    return label_->Appearance();
}

void TavMail::setAppearance(qint32 view) {
    label_->setAppearance(view);
    emit propertyChanged(QStringLiteral("Appearance"));
}

bool TavMail::Enabled() const {
    return label_->Enabled();
}

void TavMail::setEnabledFlag(bool on) {
    label_->setEnabledFlag(on);
    emit propertyChanged(QStringLiteral("Enabled"));
}

bool TavMail::FreezeDisplay() const {
    return label_->FreezeDisplay();
}

void TavMail::setFreezeDisplay(bool on) {
    label_->setFreezeDisplay(on);
    emit propertyChanged(QStringLiteral("FreezeDisplay"));
}

QString TavMail::PieceName() const {
    return label_->PieceName();
}

void TavMail::setPieceName(const QString& name) {
    label_->setPieceName(name);
    emit propertyChanged(QStringLiteral("PieceName"));
    placeBarCode();
}

float TavMail::PrinterLeft() const {
    return label_->PrinterLeft();
}

void TavMail::setPrinterLeft(float inches) {
    label_->setPrinterLeft(inches);
    emit propertyChanged(QStringLiteral("PrinterLeft"));
}

float TavMail::PrinterTop() const {
    return label_->PrinterTop();
}

void TavMail::setPrinterTop(float inches) {
    label_->setPrinterTop(inches);
    emit propertyChanged(QStringLiteral("PrinterTop"));
}

QString TavMail::ShowCenter() const {
    return label_->ShowCenter();
}

void TavMail::setShowCenter(const QString& flags) {
    label_->setShowCenter(flags);
    emit propertyChanged(QStringLiteral("ShowCenter"));
}

QString TavMail::ShowLeftBtns() const {
    return label_->ShowLeftBtns();
}

void TavMail::setShowLeftBtns(const QString& flags) {
    label_->setShowLeftBtns(flags);
    emit propertyChanged(QStringLiteral("ShowLeftBtns"));
}

QString TavMail::ShowRightBtns() const {
    return label_->ShowRightBtns();
}

void TavMail::setShowRightBtns(const QString& flags) {
    label_->setShowRightBtns(flags);
    emit propertyChanged(QStringLiteral("ShowRightBtns"));
}

bool TavMail::Refresh() const {
    return label_->Refresh();
}

void TavMail::setRefresh(bool on) {
    label_->setRefresh(on);
    emit propertyChanged(QStringLiteral("Refresh"));
}

std::shared_ptr<TavSheetCls> TavMail::SheetProperties() const {
    return label_->SheetProperties();
}

void TavMail::setSheetProperties(std::shared_ptr<TavSheetCls> sheet) {
    label_->setSheetProperties(std::move(sheet));
    emit propertyChanged(QStringLiteral("SheetProperties"));
}

std::shared_ptr<TavBarCodeCls> TavMail::BarCodeProperties() const {
    return label_->BarCodeProperties();
}

void TavMail::setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode) {
    label_->setBarCodeProperties(std::move(barCode));
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
}

QString TavMail::SubstituteText() const {
    return label_->SubstituteText();
}

void TavMail::setSubstituteText(const QString& text) {
    label_->setSubstituteText(text);
    emit propertyChanged(QStringLiteral("SubstituteText"));
}

std::shared_ptr<TavItemCls> TavMail::role(Role which) const {
    return label_->itemProperties(static_cast<int>(which) + 1);
}

void TavMail::setRole(Role which, std::shared_ptr<TavItemCls> item, const char* name) {
    label_->setItemProperties(static_cast<int>(which) + 1, std::move(item));
    emit propertyChanged(QLatin1String(name));
}

void TavMail::setDeliveryAddress(std::shared_ptr<TavItemCls> item) {
    setRole(Role::DeliveryAddress, std::move(item), "DeliveryAddress");
}

void TavMail::setReturnAddress(std::shared_ptr<TavItemCls> item) {
    setRole(Role::ReturnAddress, std::move(item), "ReturnAddress");
}

void TavMail::setMessage1(std::shared_ptr<TavItemCls> item) {
    setRole(Role::Message1, std::move(item), "Message1");
}

void TavMail::setMessage2(std::shared_ptr<TavItemCls> item) {
    setRole(Role::Message2, std::move(item), "Message2");
}

void TavMail::setStamp(std::shared_ptr<TavItemCls> item) {
    setRole(Role::Stamp, std::move(item), "Stamp");
}

void TavMail::setMessage3(std::shared_ptr<TavItemCls> item) {
    setRole(Role::Message3, std::move(item), "Message3");
}

void TavMail::setMessage4(std::shared_ptr<TavItemCls> item) {
    setRole(Role::Message4, std::move(item), "Message4");
}

void TavMail::setBarCode_Position(qint32 position) {
    barCodePosition_ = position;
    placeBarCode();
    emit propertyChanged(QStringLiteral("BarCode_Position"));
}

std::shared_ptr<TavAddressCls> TavMail::DeliveryAddress_Text() const {
    if (!address_)
        address_ = std::make_shared<TavAddressCls>();
    return address_;
}

void TavMail::setDeliveryAddress_Text(std::shared_ptr<TavAddressCls> address) {
    if (designMode_)
        raiseError(ErrorNumber::NotSettableAtDesignTime,
                   kSource + QStringLiteral(":DeliveryAddress_Text Property Set"));
    address_ = std::move(address);
    emit propertyChanged(QStringLiteral("DeliveryAddress_Text"));
}

void TavMail::AddPiece() {
    const std::shared_ptr<TavAddressCls> address = DeliveryAddress_Text();
    const QString pairs = addressTexts(*address).toList();
    QString text = label_->SubstituteText();
    if (!text.isEmpty())
        text += QLatin1Char('|');
    label_->setSubstituteText(text + pairs);
    label_->BarCodeProperties()->setValue(address->Zip());
    // The Intelligent Mail barcode has a place of its own (the clear zone), which follows the
    // symbology even when that was chosen after the position.
    if (label_->BarCodeProperties()->Symbology() == TavEnumCls::TavIntelligentMail)
        placeBarCode();
    label_->AddPiece();
}

bool TavMail::PieceSelectDialogShow() {
    return label_->PieceSelectDialogShow();
}

bool TavMail::PieceLayoutDialogShow() {
    return label_->PieceLayoutDialogShow();
}

void TavMail::PrintAll() {
    label_->PrintAll();
}

void TavMail::PrintSheet() {
    label_->PrintSheet();
}

void TavMail::PrintTest() {
    label_->PrintTest();
}

void TavMail::ShowAboutBox() {
    label_->ShowAboutBox();
}

void TavMail::placeBarCode() {
    TavBarCodeCls& barCode = *label_->BarCodeProperties();
    const BarCodeSpot spot =
        PlaceBarCode(barCodePosition_, barCode, *DeliveryAddress(), *label_->SheetProperties());
    barCode.setLeft1(spot.left);
    barCode.setTop(spot.top);
}

void TavMail::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    label_->setGeometry(0, 0, event->size().width(), event->size().height());
}

} // namespace tav
