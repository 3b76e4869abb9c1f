#pragma once

// The label control's state and parts, kept out of its public header: a host sees only the
// control's members.

#include "built_in_layout.h"
#include "piece_store.h"
#include "property_bag.h"
#include "sheet_layout.h"
#include "tav_enum_cls.h"
#include "tav_port.h"

#include <QSet>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QWidget;

namespace tav {

class PieceListModel;
class TavBarcode;
class TavItem;
class TavItemCls;
class TavPiece;

/// Restores a value when the scope ends, also when drawing or printing fails half-way.
template <typename T> class Restore {
public:
    Restore(T& place, T value)
        : place_(place)
        , value_(value) {}
    ~Restore() { place_ = value_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& place_;
    T value_;
};

/// The address layout a host applied: how many lines, at what size.
struct AddressLayout {
    qint32 lines = 4;
    double points = 9;
};

/// What a TavLabel holds: its records, piece store, print state and child widgets.
class TavLabelPrivate {
public:
    BuiltInLayout templates_;
    std::unique_ptr<PieceStore> store_ = std::make_unique<PieceStore>(QStringLiteral("qzp"));
    QString substituteText_;
    QSet<QString> pieceTextNames_;     // the names in substituteText_, for SetPieceText
    bool pieceTextNamesKnown_ = false; // whether pieceTextNames_ matches substituteText_
    QString carrierRoute_;             // written as the third field of every record; never set
    qint32 currentPiece_ = 0;
    bool refresh_ = true;

    std::shared_ptr<TavSheetCls> sheet_;
    std::array<std::shared_ptr<TavItemCls>, 7> items_;
    std::shared_ptr<TavBarCodeCls> barCode_;

    QWidget* frame_ = nullptr;  // kept out of sight: holds the piece container
    TavPiece* piece_ = nullptr; // BrixPiece1
    std::array<TavItem*, 7> itemControls_{};
    TavBarcode* barcodeControl_ = nullptr; // TavBarcode1
    SheetLayout::SheetPosition position_;
    qint32 rangeFirst_ = 0;
    qint32 rangeLast_ = 0;
    bool printing_ = false;
    Printer* printTarget_ = nullptr;               // where printing goes; none: current
    const PieceRenderer* sheetRenderer_ = nullptr; // the renderer of the sheet being walked
    float printerTop_ = 0;                         // inches
    float printerLeft_ = 0;                        // inches
    QString companyName_ = QStringLiteral("Your Company Name Here");
    QString mailingName_;
    bool printWhiteBacks_ = true;
    qint32 appearance_ = TavEnumCls::TavShowBoth;
    QString pieceName_;
    bool enabledFlag_ = true;
    bool freezeDisplay_ = false;
    QString showLeftBtns_ = QStringLiteral("1111111");
    QString showCenter_ = QStringLiteral("11");
    QString showRightBtns_ = QStringLiteral("11111");
    std::optional<AddressLayout> addressLayout_; // fitted again to each piece chosen
    bool fitText_ = false;
    double minimumFontSize_ = 6;
    // Where AddPiece tells of texts that do not fit: a feed's own report, else the message sink
    // (held while Refresh is off: the first few and how many).
    std::function<void(const QString&)> textFitReport_;
    QStringList heldTextFitProblems_;
    qint32 heldTextFitCount_ = 0;
    bool listReady_ = true;
    bool laidOut_ = false;

    // The navigation bar and the two views.
    std::array<QPushButton*, 7> leftButtons_{};  // NavFirst .. NavLast
    std::array<QPushButton*, 4> rightButtons_{}; // NavPrAll, NavPrSht, NavSelect, NavLayout
    QComboBox* viewList_ = nullptr;              // NavAppearance
    QLabel* pieceStatus_ = nullptr;              // NavPLbl
    QLabel* sheetStatus_ = nullptr;              // NavSLbl
    QListView* pieceList_ = nullptr;             // List1
    PieceListModel* pieceListModel_ = nullptr;
    TavPort* pieceView_ = nullptr; // NavPieceWin
    TavPort* sheetView_ = nullptr; // NavSheetWin
};

} // namespace tav
