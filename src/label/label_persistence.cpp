// The label control's design in the host's property bag: every record field under a composed
// key (record prefix + two-letter code), then the plain display and printing settings.

#include "item_record_keys.h"
#include "message_sink.h"
#include "piece_definition.h"
#include "sheet_turn.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_label_p.h"
#include "tav_piece.h"

#include <QComboBox>

#include <functional>
#include <tuple>
#include <vector>

namespace tav {

namespace {

const QString kSource = QStringLiteral("TavLabel");
const QString kSheet = QStringLiteral("SheetProperties");
const QString kBarCode = QStringLiteral("BarCodeProperties");
const QString kDefaultCompany = QStringLiteral("Your Company Name Here");
constexpr double kMinimumFontSize = 6;

QString itemPrefix(int index) {
    return QStringLiteral("Item%1Properties").arg(index);
}

// One persisted field: its code, how to read it from a record and how to write it back. An
// object field (font, picture) that is absent or unreadable leaves the record as it is.
template <typename Record> struct Field {
    const char* code;
    std::function<QVariant(const Record&)> get;
    std::function<void(Record&, const QVariant&)> set;
    QVariant unwritten = {}; // a value that is not written, so designs without it stay as they were
};

// A saved value of the wrong kind ("abc" for a number): its field keeps what it had.
struct UnreadableValue {};

// A saved value as a number; an absent key reads as zero.
template <typename T> T numberOf(const QVariant& value) {
    if (!value.isValid())
        return T{};
    bool ok = false;
    if constexpr (std::is_integral_v<T>) {
        const qint64 number = value.toLongLong(&ok);
        if (!ok)
            throw UnreadableValue{};
        return static_cast<T>(number);
    } else {
        const float number = value.toFloat(&ok);
        if (!ok)
            throw UnreadableValue{};
        return number;
    }
}

// A saved value as a boolean; an absent key reads as false.
bool booleanOf(const QVariant& value) {
    if (!value.isValid())
        return false;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1") ||
            text == QLatin1String("-1"))
            return true;
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return false;
        throw UnreadableValue{};
    }
    if (!value.canConvert<bool>())
        throw UnreadableValue{};
    return value.toBool();
}

// A saved value as text; an absent key reads as "".
QString textOf(const QVariant& value) {
    if (value.isValid() && !value.canConvert<QString>())
        throw UnreadableValue{};
    return value.toString();
}

template <typename Record, typename T>
Field<Record> floatField(const char* code, T (Record::*get)() const, void (Record::*set)(T)) {
    return {code, [get](const Record& r) { return QVariant::fromValue((r.*get)()); },
            [set](Record& r, const QVariant& v) { (r.*set)(numberOf<float>(v)); }};
}

template <typename Record, typename T>
Field<Record> intField(const char* code, T (Record::*get)() const, void (Record::*set)(T)) {
    return {code,
            [get](const Record& r) { return QVariant::fromValue(static_cast<qint64>((r.*get)())); },
            [set](Record& r, const QVariant& v) { (r.*set)(static_cast<T>(numberOf<qint64>(v))); }};
}

template <typename Record>
Field<Record> boolField(const char* code, bool (Record::*get)() const, void (Record::*set)(bool)) {
    return {code, [get](const Record& r) { return (r.*get)(); },
            [set](Record& r, const QVariant& v) { (r.*set)(booleanOf(v)); }};
}

template <typename Record>
Field<Record> textField(const char* code, QString (Record::*get)() const,
                        void (Record::*set)(const QString&)) {
    return {code, [get](const Record& r) { return (r.*get)(); },
            [set](Record& r, const QVariant& v) { (r.*set)(textOf(v)); }};
}

template <typename Record> Field<Record> unlessDefault(Field<Record> field, QVariant value) {
    field.unwritten = std::move(value);
    return field;
}

template <typename Record> Field<Record> pictureField() {
    return {"PI", [](const Record& r) { return r.Picture()->toVariant(); },
            [](Record& r, const QVariant& v) {
                if (auto picture = TavPicture::fromVariant(v))
                    r.setPicture(picture);
            }};
}

// The sheet's fields in the order they are written; PieceName comes first.
const std::vector<Field<TavSheetCls>>& sheetFields() {
    using S = TavSheetCls;
    static const std::vector<Field<S>> fields = {
        textField<S>("PN", &S::PieceName, &S::setPieceName),
        floatField<S>("HE", &S::Height, &S::setHeight),
        floatField<S>("ML", &S::Marginleft, &S::setMarginleft),
        floatField<S>("MT", &S::MarginTop, &S::setMarginTop),
        intField<S>("NA", &S::NumAcross, &S::setNumAcross),
        intField<S>("ND", &S::NumDown, &S::setNumDown),
        intField<S>("OR", &S::Orientation, &S::setOrientation),
        floatField<S>("PH", &S::PieceHeight, &S::setPieceHeight),
        floatField<S>("PA", &S::PiecePitchAcross, &S::setPiecePitchAcross),
        floatField<S>("PD", &S::PiecePitchDown, &S::setPiecePitchDown),
        floatField<S>("PW", &S::PieceWidth, &S::setPieceWidth),
        floatField<S>("PL", &S::PrinterLeft, &S::setPrinterLeft),
        floatField<S>("PT", &S::PrinterTop, &S::setPrinterTop),
        intField<S>("RF", &S::PrintFrom, &S::setPrintFrom),
        intField<S>("RT", &S::PrintTo, &S::setPrintTo),
        intField<S>("SP", &S::StartingPiece, &S::setStartingPiece),
        floatField<S>("WI", &S::Width, &S::setWidth),
        unlessDefault(intField<S>("RO", &S::PieceRotation, &S::setPieceRotation), qint64{0}),
    };
    return fields;
}

// An item's fields in the order they are written: AH AV BC BS EN FO HE LE LS PI TC TO VI WI WR.
const std::vector<Field<TavItemCls>>& itemFields() {
    using I = TavItemCls;
    static const std::vector<Field<I>> fields = {
        intField<I>("AH", &I::AlignHorizontal, &I::setAlignHorizontal),
        intField<I>("AV", &I::AlignVertical, &I::setAlignVertical),
        intField<I>("BC", &I::BackColor, &I::setBackColor),
        intField<I>("BS", &I::BorderStyle, &I::setBorderStyle),
        boolField<I>("EN", &I::Enabled, &I::setEnabled),
        {"FO", [](const I& r) { return r.font()->toVariant(); },
         [](I& r, const QVariant& v) {
             if (auto font = TavFont::fromVariant(v))
                 r.setfont(font);
         }},
        floatField<I>("HE", &I::Height, &I::setHeight),
        floatField<I>("LE", &I::Left1, &I::setLeft1),
        floatField<I>("LS", &I::LineSpacing, &I::setLineSpacing),
        pictureField<I>(),
        textField<I>("TC", &I::TextControl, &I::setTextControl),
        floatField<I>("TO", &I::Top, &I::setTop),
        boolField<I>("VI", &I::Visible, &I::setVisible),
        floatField<I>("WI", &I::Width, &I::setWidth),
        boolField<I>("WR", &I::Wrap, &I::setWrap),
    };
    return fields;
}

// The bar code's fields in the order they are written: AH AV AS BC BS EN HE LE PI TO VA VI WI,
// then SY (symbology) and TC (tracking code) unless they hold POSTNET's 0 and nothing.
const std::vector<Field<TavBarCodeCls>>& barCodeFields() {
    using B = TavBarCodeCls;
    static const std::vector<Field<B>> fields = {
        intField<B>("AH", &B::AlignHorizontal, &B::setAlignHorizontal),
        intField<B>("AV", &B::AlignVertical, &B::setAlignVertical),
        boolField<B>("AS", &B::AutoSize, &B::setAutoSize),
        intField<B>("BC", &B::BackColor, &B::setBackColor),
        intField<B>("BS", &B::BorderStyle, &B::setBorderStyle),
        boolField<B>("EN", &B::Enabled, &B::setEnabled),
        floatField<B>("HE", &B::Height, &B::setHeight),
        floatField<B>("LE", &B::Left1, &B::setLeft1),
        pictureField<B>(),
        floatField<B>("TO", &B::Top, &B::setTop),
        textField<B>("VA", &B::Value, &B::setValue),
        boolField<B>("VI", &B::Visible, &B::setVisible),
        floatField<B>("WI", &B::Width, &B::setWidth),
        unlessDefault(intField<B>("SY", &B::Symbology, &B::setSymbology), qint64{0}),
        unlessDefault(textField<B>("TC", &B::TrackingCode, &B::setTrackingCode), QString()),
    };
    return fields;
}

template <typename Record>
void writeRecord(PropertyBag& bag, const QString& prefix, const Record& record,
                 const std::vector<Field<Record>>& fields) {
    for (const Field<Record>& field : fields)
        bag.write(prefix + QLatin1String(field.code), field.get(record), field.unwritten);
}

// Reads the fields in `order` (codes), each on its own: a key that fails is skipped.
template <typename Record>
void readRecord(const PropertyBag& bag, const QString& prefix, Record& record,
                const std::vector<Field<Record>>& fields,
                std::initializer_list<const char*> order) {
    for (const char* code : order) {
        const auto field = std::find_if(fields.begin(), fields.end(), [code](const auto& f) {
            return qstrcmp(f.code, code) == 0;
        });
        try {
            field->set(record, bag.read(prefix + QLatin1String(code)));
        } catch (const TavError&) {
            // A damaged key leaves its field as it was; the others still load.
        } catch (const UnreadableValue&) {
        }
    }
}

} // namespace

void writeItemRecord(PropertyBag& bag, const QString& prefix, const TavItemCls& item) {
    writeRecord(bag, prefix, item, itemFields());
}

void TavLabel::copyTemplates() {
    d->sheet_ = d->templates_.sheet->Copy();
    for (std::size_t i = 0; i < d->items_.size(); ++i)
        d->items_[i] = d->templates_.items[i]->Copy();
    d->barCode_ = d->templates_.barCode->Copy();
}

void TavLabel::setPieceName(const QString& name) {
    const QString oldName = d->pieceName_;
    const QString oldSheetName = d->sheet_->PieceName();
    const float oldHeight = d->sheet_->PieceHeight();
    d->pieceName_ = name;
    d->sheet_->setPieceName(name);
    d->sheet_->setPieceHeight(777.77f);
    eLabel::ItemRecords items;
    std::copy(d->items_.begin(), d->items_.end(), items.begin());
    try {
        eLabel::ApplyPieceDefinition(*d->sheet_, items, *d->barCode_);
    } catch (...) {
        // A piece that cannot be applied leaves the control as it was.
        d->pieceName_ = oldName;
        d->sheet_->setPieceName(oldSheetName);
        d->sheet_->setPieceHeight(oldHeight);
        throw;
    }
    if (d->addressLayout_)
        fitAddressLayout(); // the layout the user chose, on the new stock
    // A name the catalogue does not hold gets the envelope: the name says what was applied.
    if (d->sheet_->PieceName() != name && d->sheet_->NumAcross() >= 1) {
        d->pieceName_ = d->sheet_->PieceName();
        if (!name.trimmed().isEmpty())
            showMessage(QStringLiteral("The piece catalogue has no piece named \"%1\"; \"%2\" is "
                                       "used instead.")
                            .arg(name, d->pieceName_));
    }
    announceRecords();
    emit propertyChanged(QStringLiteral("PieceName"));
    emit pieceNameChanged(d->pieceName_);
    redraw();
}

void TavLabel::TurnPieces(qint16 degrees) {
    if (degrees != 0 && degrees != 90)
        raiseError(ErrorNumber::InvalidPropertyValue, QStringLiteral("TavLabel:TurnPieces"),
                   QStringLiteral("pieces lie as designed (0) or turned a quarter turn (90), "
                                  "not %1 degrees")
                       .arg(degrees));
    if (d->sheet_->PieceRotation() == degrees)
        return;
    turnSheet(*d->sheet_, degrees);
    eLabel::ItemRecords items;
    std::copy(d->items_.begin(), d->items_.end(), items.begin());
    eLabel::ApplyDefaultItemLayout(*d->sheet_, items, *d->barCode_);
    if (d->addressLayout_)
        fitAddressLayout();
    announceRecords();
    redraw();
}

void TavLabel::announceRecords() {
    for (int i = 1; i <= 7; ++i)
        emit propertyChanged(itemPrefix(i));
    emit propertyChanged(kBarCode);
    emit propertyChanged(kSheet);
}

void TavLabel::InitProperties() {
    setFont(QFont(QStringLiteral("Arial"), 10));
    copyTemplates();
    d->enabledFlag_ = true;
    d->refresh_ = true;
    d->appearance_ = TavEnumCls::TavShowBoth;
    d->piece_->setDontPaint(true);
    d->printing_ = false;
    d->viewList_->setCurrentIndex(d->appearance_);
    d->printerTop_ = 0;
    d->printerLeft_ = 0;
    d->companyName_ = kDefaultCompany;
    d->printWhiteBacks_ = true;
    d->fitText_ = false;
    d->minimumFontSize_ = kMinimumFontSize;
    d->addressLayout_.reset();
    setPieceName(QString::fromLatin1(eLabel::LabelPieceName));
    d->freezeDisplay_ = false;
    d->showLeftBtns_ = QStringLiteral("1111111");
    d->showCenter_ = QStringLiteral("11");
    d->showRightBtns_ = QStringLiteral("11111");
    layoutButtons();
}

void TavLabel::WriteProperties(PropertyBag& bag) const {
    writeRecord(bag, kSheet, *d->sheet_, sheetFields());
    for (int i = 1; i <= 7; ++i)
        writeItemRecord(bag, itemPrefix(i), *d->items_[i - 1]);
    writeRecord(bag, kBarCode, *d->barCode_, barCodeFields());

    bag.write(QStringLiteral("Enabled"), d->enabledFlag_, true);
    bag.write(QStringLiteral("Refresh"), d->refresh_, true);
    bag.write(QStringLiteral("Appearance"), d->appearance_, 2);
    bag.write(QStringLiteral("PrinterTop"), d->printerTop_, 0.0f);
    bag.write(QStringLiteral("PrinterLeft"), d->printerLeft_, 0.0f);
    bag.write(QStringLiteral("CompanyName"), d->companyName_, kDefaultCompany);
    bag.write(QStringLiteral("PrintWhiteBacks"), d->printWhiteBacks_, true);
    bag.write(QStringLiteral("FreezeDisplay"), d->freezeDisplay_, false);
    bag.write(QStringLiteral("ShowLeftBtns"), d->showLeftBtns_, QStringLiteral("1111111"));
    bag.write(QStringLiteral("ShowCenter"), d->showCenter_, QStringLiteral("11"));
    bag.write(QStringLiteral("ShowRightBtns"), d->showRightBtns_, QStringLiteral("11111"));
    bag.write(QStringLiteral("FitText"), d->fitText_, false);
    bag.write(QStringLiteral("MinimumFontSize"), d->minimumFontSize_, kMinimumFontSize);
    const AddressLayout address = d->addressLayout_.value_or(AddressLayout{0, 9});
    bag.write(QStringLiteral("AddressLines"), address.lines, 0);
    bag.write(QStringLiteral("AddressFontSize"), address.points, 9.0);
}

void TavLabel::ReadProperties(const PropertyBag& bag) {
    // A design that cannot be used must leave the control as it was: the records are replaced
    // by new ones, so the old ones stay untouched, and the plain settings are put back.
    const auto settings = [this] {
        return std::tie(d->pieceName_, d->enabledFlag_, d->refresh_, d->appearance_, d->printerTop_,
                        d->printerLeft_, d->companyName_, d->printWhiteBacks_, d->freezeDisplay_,
                        d->showLeftBtns_, d->showCenter_, d->showRightBtns_, d->rangeFirst_,
                        d->rangeLast_, d->fitText_, d->minimumFontSize_, d->addressLayout_);
    };
    const auto savedSettings =
        std::apply([](const auto&... value) { return std::make_tuple(value...); }, settings());
    const auto savedSheet = d->sheet_;
    const auto savedItems = d->items_;
    const auto savedBarCode = d->barCode_;
    try {
        readDesign(bag);
    } catch (...) {
        d->sheet_ = savedSheet;
        d->items_ = savedItems;
        d->barCode_ = savedBarCode;
        settings() = savedSettings;
        d->viewList_->setCurrentIndex(d->appearance_);
        throw;
    }
    layoutButtons();
    redraw();
}

void TavLabel::readDesign(const PropertyBag& bag) {
    copyTemplates();
    d->addressLayout_.reset(); // the saved records hold the design; the layout is read last

    try {
        const QString name = bag.read(kSheet + QStringLiteral("PN")).toString();
        d->sheet_->setPieceName(name);
        setPieceName(name); // the saved geometry read next overrides the catalogue's
    } catch (const TavError&) {
        // An unreadable definition leaves the records as the loader left them.
    }
    readRecord(bag, kSheet, *d->sheet_, sheetFields(),
               {"HE", "ML", "MT", "NA", "ND", "OR", "PH", "PA", "PD", "PW", "PL", "PT", "RF", "RT",
                "SP", "WI", "RO"});
    for (int i = 1; i <= 7; ++i)
        readRecord(bag, itemPrefix(i), *d->items_[i - 1], itemFields(),
                   {"AH", "AV", "BC", "BS", "EN", "HE", "LE", "LS", "TC", "TO", "VI", "WI", "WR",
                    "FO", "PI"});
    readRecord(
        bag, kBarCode, *d->barCode_, barCodeFields(),
        {"AH", "AV", "AS", "BC", "BS", "EN", "HE", "LE", "TO", "VA", "VI", "WI", "PI", "SY", "TC"});

    d->enabledFlag_ = bag.read(QStringLiteral("Enabled"), true).toBool();
    d->refresh_ = bag.read(QStringLiteral("Refresh"), true).toBool();
    d->appearance_ = bag.read(QStringLiteral("Appearance"), 2).toInt();
    setPrinterTop(bag.read(QStringLiteral("PrinterTop"), 0.0f).toFloat());
    setPrinterLeft(bag.read(QStringLiteral("PrinterLeft"), 0.0f).toFloat());
    d->companyName_ = bag.read(QStringLiteral("CompanyName"), kDefaultCompany).toString();
    d->printWhiteBacks_ = bag.read(QStringLiteral("PrintWhiteBacks"), true).toBool();
    d->freezeDisplay_ = bag.read(QStringLiteral("FreezeDisplay"), false).toBool();
    d->fitText_ = bag.read(QStringLiteral("FitText"), false).toBool();
    const double minimum = bag.read(QStringLiteral("MinimumFontSize"), kMinimumFontSize).toDouble();
    d->minimumFontSize_ = minimum >= 1 && minimum <= 72 ? minimum : kMinimumFontSize;
    const qint32 addressLines = bag.read(QStringLiteral("AddressLines"), 0).toInt();
    const double addressPoints = bag.read(QStringLiteral("AddressFontSize"), 9.0).toDouble();
    if (addressLines >= 1 && addressLines <= 7 && addressPoints >= 6 && addressPoints <= 72)
        d->addressLayout_ = AddressLayout{addressLines, addressPoints};

    d->piece_->setDontPaint(true);
    d->printing_ = false;
    if (d->appearance_ >= 0 && d->appearance_ < d->viewList_->count())
        d->viewList_->setCurrentIndex(d->appearance_);
    // Stored as read; they take effect at the next layout of the buttons.
    d->showLeftBtns_ =
        bag.read(QStringLiteral("ShowLeftBtns"), QStringLiteral("1111111")).toString();
    d->showCenter_ = bag.read(QStringLiteral("ShowCenter"), QStringLiteral("11")).toString();
    d->showRightBtns_ =
        bag.read(QStringLiteral("ShowRightBtns"), QStringLiteral("11111")).toString();
    refreshPrintRange();
    // Geometry is not judged here: a design whose sheet or boxes cannot be used still loads
    // every key, the views draw nothing and printing says which field is wrong.
}

QString TavLabel::Design() const {
    return designText([this](PropertyBag& bag) { WriteProperties(bag); });
}

void TavLabel::setDesign(const QString& design) {
    readDesignText(
        design,
        [this](const PropertyBag& bag) {
            ReadProperties(bag);
            emit propertyChanged(QStringLiteral("Design"));
        },
        kSource);
}

} // namespace tav
