#include "piece_detail.h"

#include "four_state.h"
#include "intelligent_mail.h"
#include "message_sink.h"
#include "piece_definition.h"
#include "piece_layout_edit_form.h"
#include "piece_select.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_font.h"
#include "tav_item.h"
#include "tav_piece.h"
#include "units.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>

namespace tav {

namespace {

const QString kSource = QStringLiteral("PieceDetail");
const QString kSampleZip = QStringLiteral("45678");
const QString kSampleTrackingCode = QStringLiteral("00700123456000000001");

// The page's design (twips).
constexpr qint32 kPageWidth = 6300;
constexpr qint32 kPageHeight = 4860;
constexpr qint32 kPreviewTop = 100;
constexpr qint32 kFrameTop = 2400;
constexpr qint32 kFrameHeight = 1800;
constexpr qint32 kRowHeight = 300;

// The label control's names for its items; the envelope control's role names for the same.
const char* const kItemNames[] = {"Item1Properties", "Item2Properties", "Item3Properties",
                                  "Item4Properties", "Item5Properties", "Item6Properties",
                                  "Item7Properties"};
const char* const kRoleNames[] = {"DeliveryAddress", "ReturnAddress", "Message1", "Message2",
                                  "Stamp",           "Message3",      "Message4"};

void requireProperty(const QObject* control, const char* name) {
    if (control == nullptr)
        raiseError(ErrorNumber::ObjectNotSet, kSource);
    if (control->metaObject()->indexOfProperty(name) < 0)
        raiseError(ErrorNumber::NotSupportedByObject, kSource, QLatin1String(name));
}

// A copy of the record `control` holds under `name`.
template <typename Record>
std::shared_ptr<Record> copyOf(const QObject* control, const char* name) {
    requireProperty(control, name);
    const auto record = control->property(name).value<std::shared_ptr<Record>>();
    if (!record)
        raiseError(ErrorNumber::ObjectNotSet, kSource, QLatin1String(name));
    return record->Copy();
}

void writeProperty(QObject* control, const char* name, const QVariant& value) {
    requireProperty(control, name);
    control->setProperty(name, value);
}

// "1.775": thousandths, rounded halves to even within 16 bits, in the shortest form.
QString detailNumber(float value) {
    const qint32 thousandths = roundToInt(static_cast<double>(value) * 1000.0, kSource);
    if (thousandths < -32768 || thousandths > 32767)
        raiseError(ErrorNumber::Overflow, kSource);
    return QString::number(thousandths / 1000.0, 'g', QLocale::FloatingPointShortest);
}

qint32 scaledTwips(float inches, double scale) {
    return roundToInt(static_cast<double>(inches) * scale * TwipsPerInch, kSource);
}

// What the preview's bars show for `symbology`: each post's own kind of value.
QString sampleValue(TavSymbology symbology) {
    switch (symbology) {
    case TavEnumCls::TavIntelligentMail:
        return IntelligentMail::pieceValue(kSampleTrackingCode, kSampleZip);
    case TavEnumCls::TavRoyalMail:
        return QStringLiteral("LU178XE2B");
    case TavEnumCls::TavKix:
        return QStringLiteral("2500GG30250");
    case TavEnumCls::TavAustraliaPost:
        return QStringLiteral("39549554");
    default:
        return kSampleZip;
    }
}

} // namespace

PieceDetail::PieceDetail(QWidget* parent)
    : QWidget(parent)
    , sheet_(std::make_shared<TavSheetCls>())
    , barCode_(std::make_shared<TavBarCodeCls>()) {
    for (auto& item : items_)
        item = std::make_shared<TavItemCls>();

    const qint32 tpp = twipsPerPixel(*this);
    const auto place = [tpp](QWidget* widget, qint32 left, qint32 top, qint32 width,
                             qint32 height) {
        widget->setGeometry(twipsToPixels(QRect(left, top, width, height), tpp));
    };
    setMinimumSize(twipsToPixels(QRect(0, 0, kPageWidth, kPageHeight), tpp).size());

    pic1_ = new QLabel(this);
    pic1_->setObjectName(QStringLiteral("Pic1"));

    // The preview piece renders into Pic1; it lies below the page, out of sight.
    previewPiece_ = new TavPiece(this);
    previewPiece_->setObjectName(QStringLiteral("PreviewPiece"));
    previewPiece_->setDontPaint(true);
    previewPiece_->setDepth(TavPiece::PieceView);
    previewPiece_->setBackColor(OleColors::White);
    previewPiece_->setBorderStyle(1);
    for (std::size_t i = 0; i < previewItems_.size(); ++i) {
        previewItems_[i] = new TavItem(previewPiece_);
        previewItems_[i]->setDontPaint(true);
    }
    previewBarcode_ = new TavBarcode(previewPiece_);

    itemFrame_ = new QGroupBox(QStringLiteral("Item 1"), this);
    itemFrame_->setObjectName(QStringLiteral("lblItem"));
    place(itemFrame_, 120, kFrameTop, 2900, kFrameHeight);
    const char* const itemLabelNames[] = {"lblItop", "lblIleft", "lblIheight", "lblIwidth"};
    for (std::size_t i = 0; i < itemLabels_.size(); ++i) {
        itemLabels_[i] = new QLabel(itemFrame_);
        itemLabels_[i]->setObjectName(QLatin1String(itemLabelNames[i]));
        place(itemLabels_[i], 120, 240 + static_cast<qint32>(i) * kRowHeight, 2660, kRowHeight);
    }

    pieceFrame_ = new QGroupBox(QStringLiteral("Piece"), this);
    pieceFrame_->setObjectName(QStringLiteral("frmPiece"));
    place(pieceFrame_, 3180, kFrameTop, 3000, kFrameHeight);
    pieceName_ = new QLabel(pieceFrame_);
    pieceName_->setObjectName(QStringLiteral("lblPName"));
    place(pieceName_, 120, 240, 2340, kRowHeight);
    selectButton_ = new QPushButton(QStringLiteral("..."), pieceFrame_);
    selectButton_->setObjectName(QStringLiteral("btnDotDotDot"));
    place(selectButton_, 2520, 220, 400, 340);
    pieceHeight_ = new QLabel(pieceFrame_);
    pieceHeight_->setObjectName(QStringLiteral("lblPHeight"));
    place(pieceHeight_, 120, 240 + kRowHeight, 2760, kRowHeight);
    pieceWidth_ = new QLabel(pieceFrame_);
    pieceWidth_->setObjectName(QStringLiteral("lblPWidth"));
    place(pieceWidth_, 120, 240 + 2 * kRowHeight, 2760, kRowHeight);
    barsLabel_ = new QLabel(pieceFrame_);
    barsLabel_->setObjectName(QStringLiteral("lblPBars"));
    place(barsLabel_, 120, 240 + 3 * kRowHeight, 2760, kRowHeight);
    trackingLabel_ = new QLabel(pieceFrame_);
    trackingLabel_->setObjectName(QStringLiteral("lblPTracking"));
    place(trackingLabel_, 120, 240 + 4 * kRowHeight, 2760, kRowHeight);

    layoutButton_ = new QPushButton(QStringLiteral("Layout"), this);
    layoutButton_->setObjectName(QStringLiteral("LayoutBtn"));
    place(layoutButton_, 120, kFrameTop + kFrameHeight + 120, 1200, 400);

    connect(layoutButton_, &QPushButton::clicked, this, reportingSlot([this] { editLayout(); }));
    connect(selectButton_, &QPushButton::clicked, this, reportingSlot([this] { selectPiece(); }));
}

PieceDetail::~PieceDetail() = default;

void PieceDetail::setChanged(bool on) {
    changed_ = on;
    emit changedChanged(on);
}

void PieceDetail::SelectionChanged(QObject* control) {
    sheet_ = copyOf<TavSheetCls>(control, "SheetProperties");
    try {
        for (std::size_t i = 0; i < items_.size(); ++i)
            items_[i] = copyOf<TavItemCls>(control, kItemNames[i]);
        barCode_ = copyOf<TavBarCodeCls>(control, "BarCodeProperties");
    } catch (const TavError&) {
        // An envelope control: the same records under their role names.
        for (std::size_t i = 0; i < items_.size(); ++i)
            items_[i] = copyOf<TavItemCls>(control, kRoleNames[i]);
        barCode_ = copyOf<TavBarCodeCls>(control, "BarCodeProperties");
    }
    RefreshPreview();
}

void PieceDetail::ApplyChanges(QObject* control) {
    requireProperty(control, "Refresh");
    const QVariant refresh = control->property("Refresh");
    control->setProperty("Refresh", false);
    writeProperty(control, "PieceName", sheet_->PieceName());
    writeProperty(control, "SheetProperties", QVariant::fromValue(sheet_));
    const char* const* names =
        control->metaObject()->indexOfProperty(kItemNames[0]) >= 0 ? kItemNames : kRoleNames;
    for (std::size_t i = 0; i < items_.size(); ++i)
        writeProperty(control, names[i], QVariant::fromValue(items_[i]));
    writeProperty(control, "BarCodeProperties", QVariant::fromValue(barCode_));
    control->setProperty("Refresh", refresh);
}

void PieceDetail::editLayout() {
    std::array<std::shared_ptr<TavItemCls>, 7> items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = items_[i]->Copy();
    const std::shared_ptr<TavBarCodeCls> barCode = barCode_->Copy();
    // A cancelled layout changes nothing, not even what was changed before it (a new piece).
    if (EditPieceLayout(-1, -1, sheet_->PieceWidth(), sheet_->PieceHeight(), items, *barCode,
                        this)) {
        items_ = items;
        barCode_ = barCode;
        setChanged(true);
    }
    refreshReported();
}

void PieceDetail::selectPiece() {
    QString name = sheet_->PieceName();
    if (ShowPieceSelect(name, this)) {
        const QString previous = sheet_->PieceName();
        sheet_->setPieceName(name);
        try {
            eLabel::ApplyPieceDefinition(*sheet_, items_, *barCode_);
        } catch (...) {
            sheet_->setPieceName(previous); // a damaged entry changes nothing
            throw;
        }
        setChanged(true);
    }
    refreshReported();
}

void PieceDetail::RefreshPreview() {
    ShowDetails(1);
    // A piece that cannot be shown (no size, or no positions) gets a catalogue piece, or failing
    // that a letter-size page.
    const auto unusable = [this] {
        return sheet_->NumAcross() <= 0 || sheet_->PieceWidth() <= 0 || sheet_->PieceHeight() <= 0;
    };
    if (unusable()) {
        sheet_->setPieceName(QString::fromLatin1(eLabel::LabelPieceName));
        eLabel::ApplyPieceDefinition(*sheet_, items_, *barCode_);
    }
    if (unusable()) {
        sheet_->setPieceWidth(8.5f);
        sheet_->setPieceHeight(11.0f);
        sheet_->setNumAcross(1);
        sheet_->setNumDown(1);
        for (const auto& item : items_) {
            item->setTop(1);
            item->setLeft1(1);
            item->setWidth(1);
            item->setHeight(1);
        }
        barCode_->setTop(1);
        barCode_->setLeft1(1);
        barCode_->setWidth(1);
        barCode_->setHeight(1);
    }

    // The preview fits a box 4 inches wide and 1.5 inches high.
    scale_ = 4.0 / sheet_->PieceWidth();
    if (1.5 / sheet_->PieceHeight() < scale_)
        scale_ = 1.5 / sheet_->PieceHeight();
    const qint32 width = scaledTwips(sheet_->PieceWidth(), scale_);
    const qint32 height = scaledTwips(sheet_->PieceHeight(), scale_);
    const qint32 tpp = twipsPerPixel(*this);
    const qint32 left = roundToInt((this->width() * tpp - width) / 2.0, kSource);
    previewSize_ = QSize(width, height);
    // One pixel more than the piece, so that its right and bottom edges show too.
    pic1_->setGeometry(
        twipsToPixels(QRect(left, kPreviewTop, width, height), tpp).adjusted(0, 0, 1, 1));
    loadPreviewPiece(width, height, left);

    QImage image(pic1_->size(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
    image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    image.fill(Qt::white);
    previewPiece_->RenderSelf(&image, 0, 0, 100);
    pic1_->setPixmap(QPixmap::fromImage(image));
}

void PieceDetail::loadPreviewPiece(qint32 previewWidth, qint32 previewHeight, qint32 left) {
    previewPiece_->setTwipsGeometry(left, height() * twipsPerPixel(*this) + 10000, previewWidth,
                                    previewHeight);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const TavItemCls& record = *items_[i];
        TavItem& item = *previewItems_[i];
        item.loadRecord(record);
        item.setTextSubstitute(record.TextSubstitute());
        item.setVisible(record.Visible());
        std::shared_ptr<TavFont> font = TavFont::fromVariant(record.font()->toVariant());
        font->setSize(font->Size() * scale_);
        item.setfont(font);
        item.setTwipsGeometry(
            scaledTwips(record.Left1(), scale_), scaledTwips(record.Top(), scale_),
            scaledTwips(record.Width(), scale_), scaledTwips(record.Height(), scale_));
    }
    // The bars shown are the preview's own sample value, whatever the record's value.
    TavBarcode& barcode = *previewBarcode_;
    barcode.setDontPaint(true);
    barcode.setSymbology(static_cast<qint16>(barCode_->Symbology()));
    barcode.setBarCode(sampleValue(barCode_->Symbology()));
    barcode.setAlignHorizontal(static_cast<qint16>(barCode_->AlignHorizontal()));
    barcode.setAlignVertical(static_cast<qint16>(barCode_->AlignVertical()));
    barcode.setAutoSize(barCode_->AutoSize());
    barcode.setVisible(barCode_->Visible());
    barcode.setBackColor(barCode_->BackColor());
    barcode.setCaption(barCode_->Value());
    barcode.setPicture(barCode_->Picture());
    barcode.setTwipsGeometry(
        scaledTwips(barCode_->Left1(), scale_), scaledTwips(barCode_->Top(), scale_),
        scaledTwips(barCode_->Width(), scale_), scaledTwips(barCode_->Height(), scale_));
}

void PieceDetail::ShowDetails(int index) {
    if (index < 1 || index > 8)
        index = 1;
    float top = 0;
    float left = 0;
    float height = 0;
    float width = 0;
    if (index <= 7) {
        const TavItemCls& item = *items_[index - 1];
        itemFrame_->setTitle(QStringLiteral("Item %1").arg(index));
        top = item.Top();
        left = item.Left1();
        height = item.Height();
        width = item.Width();
    } else {
        itemFrame_->setTitle(QStringLiteral("Bar Code"));
        top = barCode_->Top();
        left = barCode_->Left1();
        height = barCode_->Height();
        width = barCode_->Width();
    }
    itemLabels_[0]->setText(QStringLiteral("Top = ") + detailNumber(top));
    itemLabels_[1]->setText(QStringLiteral("Left1 = ") + detailNumber(left));
    itemLabels_[2]->setText(QStringLiteral("Height = ") + detailNumber(height));
    itemLabels_[3]->setText(QStringLiteral("Width = ") + detailNumber(width));
    const bool intelligentMail = barCode_->Symbology() == TavEnumCls::TavIntelligentMail;
    const FourState::Spec* fourState = FourState::spec(static_cast<qint16>(barCode_->Symbology()));
    barsLabel_->setText(intelligentMail ? QStringLiteral("Bar code: Intelligent Mail")
                        : fourState != nullptr
                            ? QStringLiteral("Bar code: ") + QLatin1String(fourState->name)
                            : QStringLiteral("Bar code: POSTNET"));
    trackingLabel_->setText(!intelligentMail ? QString()
                            : barCode_->TrackingCode().isEmpty()
                                ? QStringLiteral("No tracking code")
                                : QStringLiteral("Tracking ") + barCode_->TrackingCode());
    pieceName_->setText(sheet_->PieceName());
    pieceHeight_->setText(QStringLiteral("Height = ") + detailNumber(sheet_->PieceHeight()));
    pieceWidth_->setText(QStringLiteral("Width = ") + detailNumber(sheet_->PieceWidth()));
}

// Refreshes from an event or a button: a failure is shown instead of leaving the event loop.
void PieceDetail::refreshReported() {
    try {
        RefreshPreview();
    } catch (const TavError& error) {
        showMessage(QString::fromUtf8(error.what()));
    }
}

void PieceDetail::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshReported();
}

void PieceDetail::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isVisible())
        refreshReported();
}

} // namespace tav
