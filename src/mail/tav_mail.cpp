#include "tav_mail.h"

#include "bar_code_placement.h"
#include "str_lib.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail_p.h"

#include <QResizeEvent>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavMail");

} // namespace

TavMail::TavMail(QWidget* parent)
    : QWidget(parent)
    , d(std::make_unique<TavMailPrivate>()) {
    d->label = new TavLabel(this);
    d->label->setObjectName(QStringLiteral("TavLabel1"));
    connect(d->label, &TavLabel::pieceNameChanged, this, &TavMail::pieceNameChanged);
    connect(this, &TavMail::propertyChanged, this,
            [this](const QString& name) { notifyProperty(*this, name); });
    DeliveryAddress_Text(); // an empty record
    DeliveryAddress()->setTextControl(QStringLiteral("<<DeliveryAddress>>"));
}

TavMail::~TavMail() = default;

TavEnumCls::TavAppearance TavMail::Appearance() const {
    return d->label->Appearance();
}

void TavMail::setAppearance(qint32 view) {
    d->label->setAppearance(view);
    emit propertyChanged(QStringLiteral("Appearance"));
}

bool TavMail::Enabled() const {
    return d->label->Enabled();
}

void TavMail::setEnabledFlag(bool on) {
    d->label->setEnabledFlag(on);
    emit propertyChanged(QStringLiteral("Enabled"));
}

bool TavMail::FreezeDisplay() const {
    return d->label->FreezeDisplay();
}

void TavMail::setFreezeDisplay(bool on) {
    d->label->setFreezeDisplay(on);
    emit propertyChanged(QStringLiteral("FreezeDisplay"));
}

QString TavMail::PieceName() const {
    return d->label->PieceName();
}

void TavMail::setPieceName(const QString& name) {
    d->label->setPieceName(name);
    emit propertyChanged(QStringLiteral("PieceName"));
    placeBarCode();
}

float TavMail::PrinterLeft() const {
    return d->label->PrinterLeft();
}

void TavMail::setPrinterLeft(float inches) {
    d->label->setPrinterLeft(inches);
    emit propertyChanged(QStringLiteral("PrinterLeft"));
}

float TavMail::PrinterTop() const {
    return d->label->PrinterTop();
}

void TavMail::setPrinterTop(float inches) {
    d->label->setPrinterTop(inches);
    emit propertyChanged(QStringLiteral("PrinterTop"));
}

QString TavMail::ShowCenter() const {
    return d->label->ShowCenter();
}

void TavMail::setShowCenter(const QString& flags) {
    d->label->setShowCenter(flags);
    emit propertyChanged(QStringLiteral("ShowCenter"));
}

QString TavMail::ShowLeftBtns() const {
    return d->label->ShowLeftBtns();
}

void TavMail::setShowLeftBtns(const QString& flags) {
    d->label->setShowLeftBtns(flags);
    emit propertyChanged(QStringLiteral("ShowLeftBtns"));
}

QString TavMail::ShowRightBtns() const {
    return d->label->ShowRightBtns();
}

void TavMail::setShowRightBtns(const QString& flags) {
    d->label->setShowRightBtns(flags);
    emit propertyChanged(QStringLiteral("ShowRightBtns"));
}

bool TavMail::Refresh() const {
    return d->label->Refresh();
}

void TavMail::setRefresh(bool on) {
    d->label->setRefresh(on);
    emit propertyChanged(QStringLiteral("Refresh"));
}

std::shared_ptr<TavSheetCls> TavMail::SheetProperties() const {
    return d->label->SheetProperties();
}

void TavMail::setSheetProperties(std::shared_ptr<TavSheetCls> sheet) {
    d->label->setSheetProperties(std::move(sheet));
    emit propertyChanged(QStringLiteral("SheetProperties"));
}

std::shared_ptr<TavBarCodeCls> TavMail::BarCodeProperties() const {
    return d->label->BarCodeProperties();
}

void TavMail::setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode) {
    d->label->setBarCodeProperties(std::move(barCode));
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
}

QString TavMail::SubstituteText() const {
    return d->label->SubstituteText();
}

void TavMail::setSubstituteText(const QString& text) {
    d->label->setSubstituteText(text);
    emit propertyChanged(QStringLiteral("SubstituteText"));
}

std::shared_ptr<TavItemCls> TavMail::role(int number) const {
    return d->label->itemProperties(number);
}

void TavMail::setRole(int number, std::shared_ptr<TavItemCls> item, const char* name) {
    d->label->setItemProperties(number, std::move(item));
    emit propertyChanged(QLatin1String(name));
}

std::shared_ptr<TavItemCls> TavMail::DeliveryAddress() const {
    return role(1);
}

std::shared_ptr<TavItemCls> TavMail::ReturnAddress() const {
    return role(2);
}

std::shared_ptr<TavItemCls> TavMail::Message1() const {
    return role(3);
}

std::shared_ptr<TavItemCls> TavMail::Message2() const {
    return role(4);
}

std::shared_ptr<TavItemCls> TavMail::Stamp() const {
    return role(5);
}

std::shared_ptr<TavItemCls> TavMail::Message3() const {
    return role(6);
}

std::shared_ptr<TavItemCls> TavMail::Message4() const {
    return role(7);
}

TavLabel& TavMail::TavLabel1() const {
    return *d->label;
}

bool TavMail::designMode() const {
    return d->designMode;
}

void TavMail::setDesignMode(bool on) {
    d->designMode = on;
}

TavEnumCls::TavBarCodePosition TavMail::BarCode_Position() const {
    return static_cast<TavEnumCls::TavBarCodePosition>(d->barCodePosition);
}

void TavMail::setDeliveryAddress(std::shared_ptr<TavItemCls> item) {
    setRole(1, std::move(item), "DeliveryAddress");
}

void TavMail::setReturnAddress(std::shared_ptr<TavItemCls> item) {
    setRole(2, std::move(item), "ReturnAddress");
}

void TavMail::setMessage1(std::shared_ptr<TavItemCls> item) {
    setRole(3, std::move(item), "Message1");
}

void TavMail::setMessage2(std::shared_ptr<TavItemCls> item) {
    setRole(4, std::move(item), "Message2");
}

void TavMail::setStamp(std::shared_ptr<TavItemCls> item) {
    setRole(5, std::move(item), "Stamp");
}

void TavMail::setMessage3(std::shared_ptr<TavItemCls> item) {
    setRole(6, std::move(item), "Message3");
}

void TavMail::setMessage4(std::shared_ptr<TavItemCls> item) {
    setRole(7, std::move(item), "Message4");
}

void TavMail::setBarCode_Position(qint32 position) {
    d->barCodePosition = position;
    placeBarCode();
    emit propertyChanged(QStringLiteral("BarCode_Position"));
}

std::shared_ptr<TavAddressCls> TavMail::DeliveryAddress_Text() const {
    if (!d->address)
        d->address = std::make_shared<TavAddressCls>();
    return d->address;
}

void TavMail::setDeliveryAddress_Text(std::shared_ptr<TavAddressCls> address) {
    if (d->designMode)
        raiseError(ErrorNumber::NotSettableAtDesignTime,
                   kSource + QStringLiteral(":DeliveryAddress_Text Property Set"));
    d->address = std::move(address);
    emit propertyChanged(QStringLiteral("DeliveryAddress_Text"));
}

void TavMail::AddPiece() {
    const std::shared_ptr<TavAddressCls> address = DeliveryAddress_Text();
    const QString pairs = addressTexts(*address).toList();
    QString text = d->label->SubstituteText();
    if (!text.isEmpty())
        text += QLatin1Char('|');
    d->label->setSubstituteText(text + pairs);
    d->label->BarCodeProperties()->setValue(address->Zip());
    // The Intelligent Mail barcode has a place of its own (the clear zone), which follows the
    // symbology even when that was chosen after the position.
    if (d->label->BarCodeProperties()->Symbology() == TavEnumCls::TavIntelligentMail)
        placeBarCode();
    d->label->AddPiece();
}

bool TavMail::PieceSelectDialogShow() {
    return d->label->PieceSelectDialogShow();
}

bool TavMail::PieceLayoutDialogShow() {
    return d->label->PieceLayoutDialogShow();
}

void TavMail::PrintAll() {
    d->label->PrintAll();
}

void TavMail::PrintSheet() {
    d->label->PrintSheet();
}

void TavMail::PrintTest() {
    d->label->PrintTest();
}

void TavMail::ShowAboutBox() {
    d->label->ShowAboutBox();
}

void TavMail::placeBarCode() {
    TavBarCodeCls& barCode = *d->label->BarCodeProperties();
    const BarCodeSpot spot =
        PlaceBarCode(d->barCodePosition, barCode, *DeliveryAddress(), *d->label->SheetProperties());
    barCode.setLeft1(spot.left);
    barCode.setTop(spot.top);
}

void TavMail::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    d->label->setGeometry(0, 0, event->size().width(), event->size().height());
}

} // namespace tav
