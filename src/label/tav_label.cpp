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
    , store_(std::make_unique<PieceStore>(QStringLiteral("qzp"))) {
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

void TavLabel::SetPieceText(const QString& name, const QString& value) {
    const QString source = QStringLiteral("TavLabel:SetPieceText");
    const auto separated = [](const QString& text) {
        return text.contains(QLatin1Char('|')) || text.contains(QLatin1Char('^'));
    };
    if (name.trimmed().isEmpty() || separated(name))
        raiseError(ErrorNumber::InvalidArgument, source,
                   QStringLiteral("\"%1\" cannot name a text: a name is not empty and holds no "
                                  "\"|\" or \"^\"")
                       .arg(name));
    if (separated(value))
        raiseError(ErrorNumber::InvalidArgument, source,
                   QStringLiteral("the text %1 holds \"|\" or \"^\", which separate the texts of "
                                  "a piece")
                       .arg(name));
    // The first pair of a name is the one a template shows: replace it where it stands.
    QStringList pairs = substituteText_.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    const QString pair = name + QLatin1Char('^') + value;
    const auto named = std::find_if(pairs.begin(), pairs.end(), [&](const QString& entry) {
        return StrLib::TextBefore(entry, QStringLiteral("^")) == name &&
               entry.contains(QLatin1Char('^'));
    });
    if (named != pairs.end())
        *named = pair;
    else
        pairs.append(pair);
    setSubstituteText(pairs.join(QLatin1Char('|')) + QLatin1Char('|'));
}

void TavLabel::AddPiece() {
    store_->append(substituteText_, barCode_->Value(), carrierRoute_);
    emit pieceCountChanged(pieceCount());
    showPiece(pieceCount());
    redraw();
}

void TavLabel::NewMailing() {
    auto fresh = std::make_unique<PieceStore>(QStringLiteral("qzp"));
    store_ = std::move(fresh); // the old store and its file go
    position_ = {};
    rangeFirst_ = 0;
    rangeLast_ = 0;
    emit pieceCountChanged(0);
    showPiece(0);
    redraw();
}

void TavLabel::showPiece(qint32 piece) {
    if (piece == currentPiece_)
        return;
    currentPiece_ = piece;
    emit currentPieceChanged(piece);
}

void TavLabel::CreatePieceStore() {
    if (store_->created())
        return;
    store_->create();
    showPiece(0);
    position_ = {};
}

void TavLabel::ClosePieceStore() {
    store_->close();
}

void TavLabel::OpenPieceStoreForReading() {
    store_->openForReading();
}

PieceRecord TavLabel::ReadPieceRecord() {
    return store_->readRecord();
}

PieceRecord TavLabel::FindPiece(qint32 number) {
    return store_->find(number);
}

} // namespace tav
