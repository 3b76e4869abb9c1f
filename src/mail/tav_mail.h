#pragma once

#include "mailpiece_export.h"
#include "property_bag.h"
#include "shared_object.h"
#include "tav_address_cls.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <QWidget>

#include <memory>

namespace tav {

class MailingSource;
struct MailingFeed;
class TavMailPrivate;
struct MailingFed;

class TavLabel;

/// The envelope control: a label control (TavLabel1) filling the whole control, with role names
/// for its seven items, an address record whose fields become each envelope's substitution
/// pairs and bar code, and a bar code placed relative to the address or the envelope.
class MAILPIECE_EXPORT TavMail : public QWidget {
    Q_OBJECT
    Q_PROPERTY(tav::TavEnumCls::TavAppearance Appearance READ Appearance WRITE setAppearance NOTIFY
                   appearanceChanged DESIGNABLE false)
    Q_PROPERTY(
        bool Enabled READ Enabled WRITE setEnabledFlag NOTIFY enabledChanged DESIGNABLE false)
    Q_PROPERTY(bool FreezeDisplay READ FreezeDisplay WRITE setFreezeDisplay NOTIFY
                   freezeDisplayChanged DESIGNABLE false)
    Q_PROPERTY(QString PieceName READ PieceName WRITE setPieceName NOTIFY pieceNameChanged
                   DESIGNABLE false)
    Q_PROPERTY(float PrinterLeft READ PrinterLeft WRITE setPrinterLeft NOTIFY printerLeftChanged
                   DESIGNABLE false)
    Q_PROPERTY(float PrinterTop READ PrinterTop WRITE setPrinterTop NOTIFY printerTopChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString ShowCenter READ ShowCenter WRITE setShowCenter NOTIFY showCenterChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString ShowLeftBtns READ ShowLeftBtns WRITE setShowLeftBtns NOTIFY
                   showLeftBtnsChanged DESIGNABLE false)
    Q_PROPERTY(QString ShowRightBtns READ ShowRightBtns WRITE setShowRightBtns NOTIFY
                   showRightBtnsChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> DeliveryAddress READ DeliveryAddress WRITE
                   setDeliveryAddress NOTIFY deliveryAddressChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> ReturnAddress READ ReturnAddress WRITE
                   setReturnAddress NOTIFY returnAddressChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Message1 READ Message1 WRITE setMessage1 NOTIFY
                   message1Changed DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Message2 READ Message2 WRITE setMessage2 NOTIFY
                   message2Changed DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Stamp READ Stamp WRITE setStamp NOTIFY stampChanged
                   DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Message3 READ Message3 WRITE setMessage3 NOTIFY
                   message3Changed DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Message4 READ Message4 WRITE setMessage4 NOTIFY
                   message4Changed DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavBarCodeCls> BarCodeProperties READ BarCodeProperties WRITE
                   setBarCodeProperties NOTIFY barCodePropertiesChanged DESIGNABLE false)
    Q_PROPERTY(bool Refresh READ Refresh WRITE setRefresh NOTIFY refreshChanged DESIGNABLE false)
    Q_PROPERTY(tav::TavEnumCls::TavBarCodePosition BarCode_Position READ BarCode_Position WRITE
                   setBarCode_Position NOTIFY barCode_PositionChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavSheetCls> SheetProperties READ SheetProperties WRITE
                   setSheetProperties NOTIFY sheetPropertiesChanged DESIGNABLE false)
    Q_PROPERTY(
        std::shared_ptr<tav::TavAddressCls> DeliveryAddress_Text READ DeliveryAddress_Text WRITE
            setDeliveryAddress_Text NOTIFY deliveryAddress_TextChanged DESIGNABLE false)
    Q_PROPERTY(QString SubstituteText READ SubstituteText WRITE setSubstituteText NOTIFY
                   substituteTextChanged DESIGNABLE false)
    // The one property a form file keeps: the design as JSON.
    Q_PROPERTY(QString Design READ Design WRITE setDesign NOTIFY designChanged)

public:
    /// An envelope control at run time, with an empty address and a delivery-address item that
    /// prints "<<DeliveryAddress>>".
    explicit TavMail(QWidget* parent = nullptr);
    ~TavMail() override;

    /// The label control inside, which does the drawing, storing and printing.
    TavLabel& TavLabel1() const;

    /// Whether the host is designing the form (Qt Designer's plugin sets it); false at run time.
    bool designMode() const;
    void setDesignMode(bool on);

    // Forwarded to TavLabel1 (see TavLabel).
    TavEnumCls::TavAppearance Appearance() const;
    void setAppearance(qint32 view);
    bool Enabled() const;
    void setEnabledFlag(bool on);
    bool FreezeDisplay() const;
    void setFreezeDisplay(bool on);
    /// The envelope's catalogue piece; setting it applies the definition and places the bar code.
    QString PieceName() const;
    void setPieceName(const QString& name);
    float PrinterLeft() const;
    void setPrinterLeft(float inches);
    float PrinterTop() const;
    void setPrinterTop(float inches);
    QString ShowCenter() const;
    void setShowCenter(const QString& flags);
    QString ShowLeftBtns() const;
    void setShowLeftBtns(const QString& flags);
    QString ShowRightBtns() const;
    void setShowRightBtns(const QString& flags);
    bool Refresh() const;
    void setRefresh(bool on);
    std::shared_ptr<TavSheetCls> SheetProperties() const;
    void setSheetProperties(std::shared_ptr<TavSheetCls> sheet);
    /// The live bar code record of TavLabel1.
    std::shared_ptr<TavBarCodeCls> BarCodeProperties() const;
    void setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode);
    QString SubstituteText() const;
    void setSubstituteText(const QString& text);

    // The item roles: the live item records 1 to 7 of TavLabel1.
    std::shared_ptr<TavItemCls> DeliveryAddress() const;
    void setDeliveryAddress(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> ReturnAddress() const;
    void setReturnAddress(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Message1() const;
    void setMessage1(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Message2() const;
    void setMessage2(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Stamp() const;
    void setStamp(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Message3() const;
    void setMessage3(std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Message4() const;
    void setMessage4(std::shared_ptr<TavItemCls> item);

    /// TavBarCodePosition: below or above the address, bottom centre, or the record's own place.
    TavEnumCls::TavBarCodePosition BarCode_Position() const;
    /// Stores the position and places the bar code at once.
    void setBarCode_Position(qint32 position);
    /// The address of the next envelope; after it was set to null, a new empty record.
    std::shared_ptr<TavAddressCls> DeliveryAddress_Text() const;
    /// Keeps `address` itself; raises error 387 in design mode.
    void setDeliveryAddress_Text(std::shared_ptr<TavAddressCls> address);

    /// Adds an envelope: appends the address's pairs (Header1 … Footer2, then DeliveryAddress)
    /// to SubstituteText, makes Zip the bar code value and adds the piece to TavLabel1. Raises
    /// error 5, adding nothing, when a field holds "|" or "^". With the Intelligent Mail barcode
    /// the bar code is first placed anew by BarCode_Position (at the bottom: the clear zone).
    Q_INVOKABLE void AddPiece();
    /// Adds an envelope for every usable row of `source`: DeliveryAddress_Text takes the columns
    /// First, Middle, Last, Address, AddressLine2, City, State and Zip (missing ones empty), and
    /// each envelope only its own pairs; SubstituteText and the bar code record's Value stay as
    /// they are. feed.beforeAdd and feed.leftOut are called as the label control's AddPieces
    /// calls them; feed.mode and feed.zipColumn are not used.
    MailingFed AddPieces(MailingSource& source, const MailingFeed& feed);
    /// Opens the piece selection dialog; returns whether the piece definition changed.
    Q_INVOKABLE bool PieceSelectDialogShow();
    /// Opens the layout editor; returns whether the layout changed.
    Q_INVOKABLE bool PieceLayoutDialogShow();
    Q_INVOKABLE void PrintAll();
    Q_INVOKABLE void PrintSheet();
    Q_INVOKABLE void PrintTest();
    Q_INVOKABLE void ShowAboutBox();

    /// A new control's design: TavLabel1's, with the bar code below the address.
    Q_INVOKABLE void InitProperties();
    /// Saves the display and printing settings, the item records and BarCode_Position.
    void WriteProperties(PropertyBag& bag) const;
    /// Loads the settings and BarCode_Position; the item layout comes from the piece definition.
    void ReadProperties(const PropertyBag& bag);
    /// The design as WriteProperties saves it, in JSON: what a .ui file keeps for the control.
    QString Design() const;
    /// Loads a design saved by Design() and places the bar code by its BarCode_Position; an empty
    /// or damaged text changes nothing (a damaged one is reported through the message sink).
    void setDesign(const QString& design);

signals:
    /// A property changed; `name` is the envelope's own name for it.
    void propertyChanged(const QString& name);
    /// A piece name was applied.
    void pieceNameChanged(const QString& name);
    /// The NOTIFY signals of the other properties, each sent with propertyChanged(its name).
    void appearanceChanged();
    void enabledChanged();
    void freezeDisplayChanged();
    void printerLeftChanged();
    void printerTopChanged();
    void showCenterChanged();
    void showLeftBtnsChanged();
    void showRightBtnsChanged();
    void deliveryAddressChanged();
    void returnAddressChanged();
    void message1Changed();
    void message2Changed();
    void stampChanged();
    void message3Changed();
    void message4Changed();
    void barCodePropertiesChanged();
    void refreshChanged();
    void barCode_PositionChanged();
    void sheetPropertiesChanged();
    void deliveryAddress_TextChanged();
    void substituteTextChanged();
    void designChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The item records by their number on the inner label (1 delivery address .. 7 message 4).
    std::shared_ptr<TavItemCls> role(int number) const;
    void setRole(int number, std::shared_ptr<TavItemCls> item, const char* name);
    void placeBarCode();

    std::unique_ptr<TavMailPrivate> const d;
};

} // namespace tav
