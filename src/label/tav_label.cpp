#include "tav_label.h"

#include "dir_lib.h"
#include "piece_texts.h"
#include "str_lib.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_item.h"
#include "tav_label_p.h"
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
    , d(std::make_unique<TavLabelPrivate>()) {
    copyTemplates();
    buildPieceContainer();
    buildNavigation();
    connect(this, &TavLabel::propertyChanged, this,
            [this](const QString& name) { notifyProperty(*this, name); });
}

void TavLabel::buildPieceContainer() {
    // The piece container is never seen: it draws into the views' recordings and onto paper.
    d->frame_ = new QWidget(this);
    d->frame_->setObjectName(QStringLiteral("Frame1"));
    d->frame_->setGeometry(-20000, -20000, 10, 10);
    d->frame_->hide();
    d->piece_ = new TavPiece(d->frame_);
    d->piece_->setObjectName(QStringLiteral("BrixPiece1"));
    d->piece_->setDontPaint(true);
    for (std::size_t i = 0; i < d->itemControls_.size(); ++i) {
        d->itemControls_[i] = new TavItem(d->piece_);
        d->itemControls_[i]->setObjectName(QStringLiteral("TavItem%1").arg(i + 1));
    }
    d->barcodeControl_ = new TavBarcode(d->piece_);
    d->barcodeControl_->setObjectName(QStringLiteral("TavBarcode1"));
    d->barcodeControl_->setDontPaint(true);
}

TavLabel::~TavLabel() = default;

void TavLabel::setSubstituteText(const QString& text) {
    d->substituteText_ = StrLib::TrimSpaces(text);
    d->pieceTextNamesKnown_ = false;
    emit propertyChanged(QStringLiteral("SubstituteText"));
}

void TavLabel::setCurrentPiece(qint32 piece) {
    navigate(piece);
}

void TavLabel::setRefresh(bool on) {
    d->refresh_ = on;
    emit propertyChanged(QStringLiteral("Refresh"));
    if (on) {
        showHeldTextFitProblems();
        redraw();
    }
}

void TavLabel::setSheetProperties(std::shared_ptr<TavSheetCls> sheet) {
    requireRecord(sheet, "SheetProperties");
    d->sheet_ = std::move(sheet);
    refreshPrintRange();
    redraw();
    emit propertyChanged(QStringLiteral("SheetProperties"));
}

std::shared_ptr<TavItemCls> TavLabel::itemProperties(int index) const {
    if (index < 1 || index > static_cast<int>(d->items_.size()))
        raiseError(ErrorNumber::SubscriptOutOfRange, QStringLiteral("TavLabel:ItemProperties"),
                   QStringLiteral("item %1 does not exist (items are 1 to 7)").arg(index));
    return d->items_[index - 1];
}

void TavLabel::setItemProperties(int index, std::shared_ptr<TavItemCls> item) {
    const QString name = QStringLiteral("Item%1Properties").arg(index);
    itemProperties(index); // checks the index
    requireRecord(item, name.toLatin1().constData());
    d->items_[index - 1] = std::move(item);
    redraw();
    emit propertyChanged(name);
}

void TavLabel::setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode) {
    requireRecord(barCode, "BarCodeProperties");
    d->barCode_ = std::move(barCode);
    redraw();
    emit propertyChanged(QStringLiteral("BarCodeProperties"));
}

void TavLabel::refreshPrintRange() {
    d->rangeFirst_ = d->sheet_->PrintFrom();
    d->rangeLast_ = d->sheet_->PrintTo();
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
    d->printerTop_ = printerOffset(inches, 8.75f, "PrinterTop");
    emit propertyChanged(QStringLiteral("PrinterTop"));
}

void TavLabel::setPrinterLeft(float inches) {
    d->printerLeft_ = printerOffset(inches, 6.75f, "PrinterLeft");
    emit propertyChanged(QStringLiteral("PrinterLeft"));
}

void TavLabel::setCompanyName(const QString& name) {
    d->companyName_ = name;
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
    // A new name is appended (cheap, so that a row of many columns stays linear); the first
    // pair of a known name, the one a template shows, is replaced where it stands.
    QString& list = d->substituteText_;
    if (!d->pieceTextNamesKnown_) {
        d->pieceTextNames_.clear();
        for (const QString& entry : list.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            if (entry.contains(QLatin1Char('^')))
                d->pieceTextNames_.insert(StrLib::TextBefore(entry, QStringLiteral("^")));
        d->pieceTextNamesKnown_ = true;
    }
    // Any value is data: the list's own separators in it are escaped, not refused.
    const QString pair = name + QLatin1Char('^') + StrLib::EscapeValue(value);
    if (!d->pieceTextNames_.contains(name)) {
        if (!list.isEmpty() && !list.endsWith(QLatin1Char('|')))
            list += QLatin1Char('|');
        list += pair + QLatin1Char('|');
        d->pieceTextNames_.insert(name);
    } else {
        QStringList pairs = list.split(QLatin1Char('|'), Qt::SkipEmptyParts);
        *std::find_if(pairs.begin(), pairs.end(), [&](const QString& entry) {
            return entry.contains(QLatin1Char('^')) &&
                   StrLib::TextBefore(entry, QStringLiteral("^")) == name;
        }) = pair;
        list = pairs.join(QLatin1Char('|')) + QLatin1Char('|');
    }
    emit propertyChanged(QStringLiteral("SubstituteText"));
}

void TavLabel::AddPiece() {
    const QString textProblem = d->fitText_ ? TextFitProblem() : QString();
    appendPiece(d->substituteText_,
                barCodeValueToStore(d->barCode_->Value(), d->barCode_->TrackingCode()),
                textProblem);
}

void TavLabel::AddPiece(const PieceTexts& texts, const QString& barCode,
                        const QString& trackingCode) {
    const QString textProblem = d->fitText_ ? textFitProblem(texts) : QString();
    appendPiece(texts.toList(),
                barCodeValueToStore(barCode, trackingCode.isEmpty() ? d->barCode_->TrackingCode()
                                                                    : trackingCode),
                textProblem);
}

void TavLabel::appendPiece(const QString& list, const QString& barCode,
                           const QString& textProblem) {
    d->store_->append(list, barCode, d->carrierRoute_);
    emit pieceCountChanged(pieceCount());
    if (!textProblem.isEmpty())
        reportTextFit(QStringLiteral("piece %1: ").arg(pieceCount()) + textProblem);
    showPiece(pieceCount());
    redraw();
}

void TavLabel::NewMailing() {
    auto fresh = std::make_unique<PieceStore>(QStringLiteral("qzp"));
    d->store_ = std::move(fresh);    // the old store and its file go
    d->heldTextFitProblems_.clear(); // and what was to be said of its pieces
    d->heldTextFitCount_ = 0;
    d->position_ = {};
    d->rangeFirst_ = 0;
    d->rangeLast_ = 0;
    emit pieceCountChanged(0);
    showPiece(0);
    redraw();
}

void TavLabel::showPiece(qint32 piece) {
    if (piece == d->currentPiece_)
        return;
    d->currentPiece_ = piece;
    emit currentPieceChanged(piece);
}

void TavLabel::CreatePieceStore() {
    if (d->store_->created())
        return;
    d->store_->create();
    showPiece(0);
    d->position_ = {};
}

void TavLabel::ClosePieceStore() {
    d->store_->close();
}

void TavLabel::OpenPieceStoreForReading() {
    d->store_->openForReading();
}

PieceRecord TavLabel::ReadPieceRecord() {
    return d->store_->readRecord();
}

PieceRecord TavLabel::FindPiece(qint32 number) {
    return d->store_->find(number);
}

QString TavLabel::SubstituteText() const {
    return d->substituteText_;
}

qint32 TavLabel::CurrentPiece() const {
    return d->currentPiece_;
}

bool TavLabel::Refresh() const {
    return d->refresh_;
}

std::shared_ptr<TavSheetCls> TavLabel::SheetProperties() const {
    return d->sheet_;
}

std::shared_ptr<TavItemCls> TavLabel::Item1Properties() const {
    return d->items_[0];
}

std::shared_ptr<TavItemCls> TavLabel::Item2Properties() const {
    return d->items_[1];
}

std::shared_ptr<TavItemCls> TavLabel::Item3Properties() const {
    return d->items_[2];
}

std::shared_ptr<TavItemCls> TavLabel::Item4Properties() const {
    return d->items_[3];
}

std::shared_ptr<TavItemCls> TavLabel::Item5Properties() const {
    return d->items_[4];
}

std::shared_ptr<TavItemCls> TavLabel::Item6Properties() const {
    return d->items_[5];
}

std::shared_ptr<TavItemCls> TavLabel::Item7Properties() const {
    return d->items_[6];
}

std::shared_ptr<TavBarCodeCls> TavLabel::BarCodeProperties() const {
    return d->barCode_;
}

float TavLabel::PrinterTop() const {
    return d->printerTop_;
}

float TavLabel::PrinterLeft() const {
    return d->printerLeft_;
}

QString TavLabel::CompanyName() const {
    return d->companyName_;
}

QString TavLabel::MailingName() const {
    return d->mailingName_;
}

void TavLabel::setMailingName(const QString& name) {
    d->mailingName_ = name;
    emit propertyChanged(QStringLiteral("MailingName"));
}

bool TavLabel::PrintWhiteBacks() const {
    return d->printWhiteBacks_;
}

void TavLabel::setPrintWhiteBacks(bool on) {
    d->printWhiteBacks_ = on;
}

QString TavLabel::PieceName() const {
    return d->pieceName_;
}

bool TavLabel::Enabled() const {
    return d->enabledFlag_;
}

bool TavLabel::FreezeDisplay() const {
    return d->freezeDisplay_;
}

TavEnumCls::TavAppearance TavLabel::Appearance() const {
    return static_cast<TavEnumCls::TavAppearance>(d->appearance_);
}

QString TavLabel::ShowLeftBtns() const {
    return d->showLeftBtns_;
}

QString TavLabel::ShowCenter() const {
    return d->showCenter_;
}

QString TavLabel::ShowRightBtns() const {
    return d->showRightBtns_;
}

qint32 TavLabel::currentSheet() const {
    return d->position_.currentSheet;
}

qint32 TavLabel::sheetCount() const {
    return d->position_.sheetCount;
}

qint32 TavLabel::firstPieceOfSheet() const {
    return d->position_.firstPieceOfSheet;
}

bool TavLabel::printing() const {
    return d->printing_;
}

qint32 TavLabel::rangeFirst() const {
    return d->rangeFirst_;
}

qint32 TavLabel::rangeLast() const {
    return d->rangeLast_;
}

qint32 TavLabel::pieceCount() const {
    return d->store_->pieceCount();
}

QString TavLabel::pieceStoreFileName() const {
    return d->store_->fileName();
}

TavPiece& TavLabel::piece() const {
    return *d->piece_;
}

} // namespace tav
