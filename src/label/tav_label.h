#pragma once

#include "mailpiece_export.h"
#include "piece_record.h"
#include "shared_object.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <QWidget>

#include <functional>
#include <memory>

class QModelIndex;
class QPagedPaintDevice;

namespace tav {

class MailingSource;
class PieceRenderer;
class PieceTexts;
class Printer;
class PropertyBag;
class TavLabelPrivate;
struct MailingFeed;
struct MailingFed;
class TavMetaCls;
class TavPiece;
class TavPort;
struct PortProperties;

/// Plain text for `item`: Arial of `points` points, regular, top left, white, no border.
MAILPIECE_EXPORT void setPlainText(TavItemCls& item, double points);

/// The label control: takes pieces one at a time (substitution text and bar code value), keeps
/// them in its piece store, and lays them out on sheets of labels.
class MAILPIECE_EXPORT TavLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString SubstituteText READ SubstituteText WRITE setSubstituteText NOTIFY
                   substituteTextChanged DESIGNABLE false)
    Q_PROPERTY(qint32 CurrentPiece READ CurrentPiece WRITE setCurrentPiece NOTIFY
                   currentPieceChanged DESIGNABLE false)
    Q_PROPERTY(qint32 pieceCount READ pieceCount NOTIFY pieceCountChanged DESIGNABLE false)
    Q_PROPERTY(bool Refresh READ Refresh WRITE setRefresh NOTIFY refreshChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavSheetCls> SheetProperties READ SheetProperties WRITE
                   setSheetProperties NOTIFY sheetPropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item1Properties READ Item1Properties WRITE
                   setItem1Properties NOTIFY item1PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item2Properties READ Item2Properties WRITE
                   setItem2Properties NOTIFY item2PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item3Properties READ Item3Properties WRITE
                   setItem3Properties NOTIFY item3PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item4Properties READ Item4Properties WRITE
                   setItem4Properties NOTIFY item4PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item5Properties READ Item5Properties WRITE
                   setItem5Properties NOTIFY item5PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item6Properties READ Item6Properties WRITE
                   setItem6Properties NOTIFY item6PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavItemCls> Item7Properties READ Item7Properties WRITE
                   setItem7Properties NOTIFY item7PropertiesChanged DESIGNABLE false)
    Q_PROPERTY(std::shared_ptr<tav::TavBarCodeCls> BarCodeProperties READ BarCodeProperties WRITE
                   setBarCodeProperties NOTIFY barCodePropertiesChanged DESIGNABLE false)
    Q_PROPERTY(float PrinterTop READ PrinterTop WRITE setPrinterTop NOTIFY printerTopChanged
                   DESIGNABLE false)
    Q_PROPERTY(float PrinterLeft READ PrinterLeft WRITE setPrinterLeft NOTIFY printerLeftChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString CompanyName READ CompanyName WRITE setCompanyName NOTIFY companyNameChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString MailingName READ MailingName WRITE setMailingName NOTIFY mailingNameChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString PieceName READ PieceName WRITE setPieceName NOTIFY pieceNameChanged
                   DESIGNABLE false)
    Q_PROPERTY(
        bool Enabled READ Enabled WRITE setEnabledFlag NOTIFY enabledChanged DESIGNABLE false)
    Q_PROPERTY(bool FreezeDisplay READ FreezeDisplay WRITE setFreezeDisplay NOTIFY
                   freezeDisplayChanged DESIGNABLE false)
    Q_PROPERTY(bool FitText READ FitText WRITE setFitText NOTIFY fitTextChanged DESIGNABLE false)
    Q_PROPERTY(double MinimumFontSize READ MinimumFontSize WRITE setMinimumFontSize NOTIFY
                   minimumFontSizeChanged DESIGNABLE false)
    Q_PROPERTY(tav::TavEnumCls::TavAppearance Appearance READ Appearance WRITE setAppearance NOTIFY
                   appearanceChanged DESIGNABLE false)
    Q_PROPERTY(QString ShowLeftBtns READ ShowLeftBtns WRITE setShowLeftBtns NOTIFY
                   showLeftBtnsChanged DESIGNABLE false)
    Q_PROPERTY(QString ShowCenter READ ShowCenter WRITE setShowCenter NOTIFY showCenterChanged
                   DESIGNABLE false)
    Q_PROPERTY(QString ShowRightBtns READ ShowRightBtns WRITE setShowRightBtns NOTIFY
                   showRightBtnsChanged DESIGNABLE false)
    // The one property a form file keeps: the whole design as JSON.
    Q_PROPERTY(QString Design READ Design WRITE setDesign NOTIFY designChanged)

public:
    /// A control with the built-in layout and a reserved piece store file ("qzp…" in the
    /// temporary directory). When the file cannot be made, the first AddPiece raises error 75.
    explicit TavLabel(QWidget* parent = nullptr);
    /// Deletes the piece store file.
    ~TavLabel() override;

    /// The text of the next piece (Item1^…|Item2^…|); setting it drops surrounding spaces.
    QString SubstituteText() const;
    void setSubstituteText(const QString& text);
    /// Sets the value of `name` in SubstituteText (replacing an earlier value of that name,
    /// else appending the pair): the safe way to fill a piece's texts one by one. The value may
    /// hold any text ("|" and "^" are escaped in the list and print as given); a name holding
    /// "|" or "^", or an empty name, raises error 5 and changes nothing.
    Q_INVOKABLE void SetPieceText(const QString& name, const QString& value);
    /// The piece shown (1-based; 0 without pieces); setting clamps to 1 .. the piece count.
    qint32 CurrentPiece() const;
    void setCurrentPiece(qint32 piece);
    /// While false, nothing is redrawn; setting it to true redraws at once.
    bool Refresh() const;
    void setRefresh(bool on);

    /// The live sheet record (not a copy); setting stores the given record itself.
    std::shared_ptr<TavSheetCls> SheetProperties() const;
    void setSheetProperties(std::shared_ptr<TavSheetCls> sheet);
    /// The live record of item `index` (1 to 7); raises error 9 for any other index.
    std::shared_ptr<TavItemCls> itemProperties(int index) const;
    void setItemProperties(int index, std::shared_ptr<TavItemCls> item);
    std::shared_ptr<TavItemCls> Item1Properties() const;
    void setItem1Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(1, item); }
    std::shared_ptr<TavItemCls> Item2Properties() const;
    void setItem2Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(2, item); }
    std::shared_ptr<TavItemCls> Item3Properties() const;
    void setItem3Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(3, item); }
    std::shared_ptr<TavItemCls> Item4Properties() const;
    void setItem4Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(4, item); }
    std::shared_ptr<TavItemCls> Item5Properties() const;
    void setItem5Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(5, item); }
    std::shared_ptr<TavItemCls> Item6Properties() const;
    void setItem6Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(6, item); }
    std::shared_ptr<TavItemCls> Item7Properties() const;
    void setItem7Properties(std::shared_ptr<TavItemCls> item) { setItemProperties(7, item); }
    /// The live bar code record; its Value is the bar code of the next piece added.
    std::shared_ptr<TavBarCodeCls> BarCodeProperties() const;
    void setBarCodeProperties(std::shared_ptr<TavBarCodeCls> barCode);

    /// Appends a piece from SubstituteText and BarCodeProperties.Value and makes it current. With
    /// the Intelligent Mail barcode the piece keeps "<TrackingCode>-<routing digits>" as its bar
    /// code value, and a missing or wrong tracking code, a routing code that is not 0, 5, 9 or
    /// 11 digits, or bars that do not fit (BarCodeFitProblem) raise error 380 and add nothing.
    Q_INVOKABLE void AddPiece();
    /// Appends a piece with `texts` and bar code value `barCode` as AddPiece does, leaving
    /// SubstituteText and the bar code record as they are. With the Intelligent Mail barcode
    /// `barCode` is the routing ZIP and `trackingCode` the piece's (empty: the record's).
    void AddPiece(const PieceTexts& texts, const QString& barCode,
                  const QString& trackingCode = QString());
    /// Why the texts of the next piece (SubstituteText in the shown items' templates) would not
    /// all be printed: "item 2: \"Building C\" does not fit (4 lines at 6 pt, room for 3)", the
    /// items joined by "; ", or "" when every line fits. With FitText on, AddPiece tells of it
    /// through the message sink (while Refresh is off, once, when it is turned on again).
    Q_INVOKABLE QString TextFitProblem() const;
    /// Where AddPiece tells of a piece whose texts do not fit (with FitText on), instead of the
    /// message sink; null restores the sink.
    void setTextFitReport(std::function<void(const QString& problem)> report);
    /// Why the bars of BarCodeProperties (its symbology and Value) would not all be printed,
    /// longer than the bar code's box or reaching past the piece's right edge; "" when they fit
    /// or nothing is shown.
    Q_INVOKABLE QString BarCodeFitProblem() const;
    /// The same for a piece whose bar code value is `value`.
    QString BarCodeFitProblem(const QString& value) const;
    /// Adds a piece for every usable row of `source` as `feed` says (texts by column, the bar
    /// code from the ZIP column), redrawing held meanwhile; rows left out go to feed.leftOut.
    /// SubstituteText and the bar code record stay as they are. Include
    /// <mailpiece/mailing_feed.h> to call it.
    MailingFed AddPieces(MailingSource& source, const MailingFeed& feed);
    /// Fills the rest of the last sheet with copies of piece `piece` (0: the last piece), as a
    /// sheet of return addresses is printed; the number of pieces added. Raises error 9 for a
    /// piece the mailing lacks.
    Q_INVOKABLE qint32 FillSheet(qint32 piece = 0);
    /// Starts a new mailing on this control: the pieces are dropped with their store file, a
    /// new empty store is reserved, and the design stays as it is.
    Q_INVOKABLE void NewMailing();

    /// Vertical offset of every piece on paper (inches), kept within ±8.75.
    float PrinterTop() const;
    void setPrinterTop(float inches);
    /// Horizontal offset of every piece on paper (inches), kept within ±6.75.
    float PrinterLeft() const;
    void setPrinterLeft(float inches);
    /// The name the printer test page shows.
    QString CompanyName() const;
    void setCompanyName(const QString& name);
    /// The mailing's name in the print queue: each sheet is the job "<MailingName> sheet N of
    /// M"; empty (the default): "Mailpiece".
    QString MailingName() const;
    void setMailingName(const QString& name);
    /// Whether printed items, bar code and pieces keep white backgrounds (default true).
    bool PrintWhiteBacks() const;
    void setPrintWhiteBacks(bool on);

    /// The catalogue piece the layout comes from; setting it applies that piece's definition to
    /// the sheet, item and bar code records (and an address layout applied before is fitted to
    /// it). The name must be the catalogue's own: one it does not hold ("5160", a typo) is
    /// reported through the message sink and the envelope "Size 10 - Envelope" is applied
    /// instead (its name is then the PieceName). Pass what a person typed through
    /// tav::findPiece (<mailpiece/piece_lookup.h>) first. A damaged entry raises error 380 and
    /// changes nothing.
    QString PieceName() const;
    void setPieceName(const QString& name);

    /// Lays the pieces on their paper as designed (0) or turned a quarter turn (90: a roll label
    /// read along its length, printed as the printer feeds it). The sheet's geometry turns with
    /// it and the items are laid out anew (an address layout fitted again), as for a new piece;
    /// PieceName applies the catalogue's choice. Raises error 380 for another angle.
    Q_INVOKABLE void TurnPieces(qint16 degrees);

    /// Lays the items out for addresses on the current piece: Item1 is a block of `lines` lines
    /// (1 to 7: Item1 … ItemN, one a line) of plain Arial, `fontSize` points (6 to 72), from the
    /// top left, and the POSTNET bar code under it, reaching the piece's right edge; FitText is
    /// turned on. The font is made smaller (to 6 points) where the lines would not fit the
    /// piece; returns whether the bar code fits too (it is hidden when not). The layout is
    /// fitted again to every piece chosen later (PieceName, the Select button), keeping the
    /// items' templates. Raises error 5 for a count or size out of range.
    Q_INVOKABLE bool ApplyAddressLayout(qint32 lines = 4, double fontSize = 9);

    /// A new control's design: the built-in layout, "5264 - Shipping" from the catalogue, the
    /// default display and printing settings.
    Q_INVOKABLE void InitProperties();
    /// Saves the whole design to `bag`: every record field under its composed key, then the
    /// plain settings that differ from their defaults.
    void WriteProperties(PropertyBag& bag) const;
    /// Loads a design saved by WriteProperties; a key that cannot be read is skipped.
    void ReadProperties(const PropertyBag& bag);
    /// The design as WriteProperties saves it, in JSON: what a .ui file keeps for the control.
    QString Design() const;
    /// Loads a design saved by Design(); an empty text changes nothing, and a damaged one is
    /// reported through the message sink and changes nothing.
    void setDesign(const QString& design);

    /// Whether each piece's texts are fitted to their items: line breaks kept, lines wrapped,
    /// and the font made half a point smaller at a time (to MinimumFontSize) for a piece whose
    /// lines would pass its item's bottom. Off (the default), lines past the bottom are left
    /// out; ApplyAddressLayout turns it on.
    bool FitText() const;
    void setFitText(bool on);
    /// The smallest size (points) a text is made to fit; 6 by default (postal rules want 8 or
    /// more in an address block). Raises error 380 outside 1 to 72.
    double MinimumFontSize() const;
    void setMinimumFontSize(double points);

    /// Stored and persisted only.
    bool Enabled() const;
    void setEnabledFlag(bool on);
    /// Stored and persisted only.
    bool FreezeDisplay() const;
    void setFreezeDisplay(bool on);
    /// The view last chosen by the host (TavAppearance: 0 piece, 1 sheet, 2 both); setting it
    /// selects that view, as a user's choice in the view list does.
    TavEnumCls::TavAppearance Appearance() const;
    void setAppearance(qint32 view);
    /// Which of the seven left buttons show ("0" hides one), normalised to seven characters.
    QString ShowLeftBtns() const;
    void setShowLeftBtns(const QString& flags);
    /// Which of the two status labels show.
    QString ShowCenter() const;
    void setShowCenter(const QString& flags);
    /// Which of Layout, Select, Pr Sheet, Pr All and the view list show.
    QString ShowRightBtns() const;
    void setShowRightBtns(const QString& flags);
    /// Shows the about box modally.
    Q_INVOKABLE void ShowAboutBox();
    /// Opens the piece selection dialog; returns whether the piece definition changed.
    Q_INVOKABLE bool PieceSelectDialogShow();
    /// Opens the layout editor; returns whether the layout changed.
    Q_INVOKABLE bool PieceLayoutDialogShow();

    /// Prints every piece, one print job per sheet.
    Q_INVOKABLE void PrintAll();
    /// Prints every piece on `printer` instead of the current printer, one job per sheet.
    void PrintAll(Printer& printer);
    /// Prints every piece on a device the host has (the QPrinter of Qt's print dialog or print
    /// preview, a QPdfWriter): each sheet a page of one document on the sheet's paper.
    void PrintAll(QPagedPaintDevice& device);
    /// Prints every sheet that holds a piece from `first` to `last` (0: to the end), complete.
    Q_INVOKABLE void PrintRange(qint32 first, qint32 last);
    /// Prints the sheets of the current range (from the sheet record's PrintFrom and PrintTo,
    /// or PrintRange's), then clears the range; the current piece stays as it was.
    Q_INVOKABLE void PrintMain();
    /// Prints the sheet that holds the current piece as one print job.
    Q_INVOKABLE void PrintSheet();
    /// The same on `printer`, or as a page on `device`.
    void PrintSheet(Printer& printer);
    void PrintSheet(QPagedPaintDevice& device);
    /// Prints the printer test page with the printer offsets and CompanyName.
    Q_INVOKABLE void PrintTest();
    /// The same on `printer`, or as a page on `device`.
    void PrintTest(Printer& printer);
    void PrintTest(QPagedPaintDevice& device);

    /// The sheet that holds the current piece (1-based), the number of sheets, and the piece at
    /// position 1 of the current sheet, as of the last ComputeSheetPosition.
    qint32 currentSheet() const;
    qint32 sheetCount() const;
    qint32 firstPieceOfSheet() const;
    /// Whether a sheet is being sent to the printer.
    bool printing() const;
    /// The print range (0, 0 when none is set).
    qint32 rangeFirst() const;
    qint32 rangeLast() const;
    /// The piece container: LoadPieceIntoItems fills it, MarkPiece colours it, and its
    /// ForeColor, BorderStyle and Picture are the look of every piece drawn and printed.
    TavPiece& piece() const;

    // The sheet layout walk shared by the views and printing.
    /// Recomputes the current sheet, the sheet count and the first piece of the sheet.
    void ComputeSheetPosition();
    /// The last piece of the print range.
    qint32 LastPieceToPrint() const;
    /// Draws (into `target`) or, while printing, prints (no target) every position of the
    /// current sheet in drawing mode `mode` - 1 (see TavPiece::DepthMode).
    void PlaceSheet(qint32 mode, TavSheetCls& sheet, TavMetaCls* target);
    /// Draws or prints piece `pieceNumber` at `rectangle` (twips) in drawing mode `mode`.
    void PlacePiece(qint32 mode, const PortProperties& rectangle, qint32 pieceNumber,
                    TavMetaCls* target);
    /// Colours the piece container for the position: white for the current piece, light grey
    /// for others, darker outside the print range, dark grey and empty where no piece stands.
    void MarkPiece(const PortProperties& rectangle, qint32 pieceNumber, bool found);
    /// Draws the current sheet into `port`.
    void DrawSheetView(TavPort& port, TavSheetCls& sheet);
    /// Draws the current piece into `port`.
    void DrawPieceView(TavPort& port, TavSheetCls& sheet);
    /// Loads one stored piece's text and bar code value, with the records' geometry and
    /// attributes, into the piece container's items and bar code. Views and printing draw from
    /// the records themselves and leave the container alone.
    void LoadPieceIntoItems(const QString& substituteText, const QString& barCodeValue,
                            const QString& carrierRoute);

    /// Number of pieces added.
    qint32 pieceCount() const;
    /// Full path of the piece store file.
    QString pieceStoreFileName() const;

    // The piece store operations that layout, drawing and printing build on.
    /// Empties the store and writes its header; does nothing once the store exists.
    Q_INVOKABLE void CreatePieceStore();
    /// Ends reading or writing.
    Q_INVOKABLE void ClosePieceStore();
    /// Positions the store at its first piece and checks its header.
    Q_INVOKABLE void OpenPieceStoreForReading();
    /// Reads the next piece; raises error 62 for an incomplete record.
    Q_INVOKABLE tav::PieceRecord ReadPieceRecord();
    /// Piece `number`'s texts, or empty texts and found false.
    Q_INVOKABLE tav::PieceRecord FindPiece(qint32 number);

signals:
    /// A property changed; `name` is the property's own name (for the host's container).
    void propertyChanged(const QString& name);
    /// The current piece changed: by navigation, a new piece or a new mailing.
    void currentPieceChanged(qint32 piece);
    /// The number of pieces changed: a piece was added or a new mailing started.
    void pieceCountChanged(qint32 count);
    /// A piece name was applied.
    void pieceNameChanged(const QString& name);
    /// The NOTIFY signals of the other properties, each sent with propertyChanged(its name).
    void substituteTextChanged();
    void refreshChanged();
    void sheetPropertiesChanged();
    void item1PropertiesChanged();
    void item2PropertiesChanged();
    void item3PropertiesChanged();
    void item4PropertiesChanged();
    void item5PropertiesChanged();
    void item6PropertiesChanged();
    void item7PropertiesChanged();
    void barCodePropertiesChanged();
    void printerTopChanged();
    void printerLeftChanged();
    void companyNameChanged();
    void mailingNameChanged();
    void enabledChanged();
    void freezeDisplayChanged();
    void fitTextChanged();
    void minimumFontSizeChanged();
    void appearanceChanged();
    void showLeftBtnsChanged();
    void showCenterChanged();
    void showRightBtnsChanged();
    void designChanged();
    /// Printing went on: `sheetsDone` of `sheetsTotal` sheets are with the printer.
    void printProgress(qint32 sheetsDone, qint32 sheetsTotal);
    /// The user clicked, or double-clicked, the piece view or the sheet view.
    void Click();
    void DblClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// Page Down and Page Up step to the next and previous piece, Ctrl+Home and Ctrl+End to the
    /// first and last; in a view, where Page keys zoom, Ctrl+Page Down and Ctrl+Page Up step.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readDesign(const PropertyBag& bag);
    QString textFitProblem(const PieceTexts& texts) const;
    QString barCodeValueToStore(const QString& value, const QString& trackingCode) const;
    void appendPiece(const QString& list, const QString& barCode, const QString& textProblem);
    void reportTextFit(const QString& problem);
    QString designGeometryProblem() const;
    PieceRenderer pieceRenderer(bool forPaper) const;
    OleColor positionColor(qint32 pieceNumber, bool found) const;
    Printer& printTarget() const;
    void printingOn(Printer& printer, const std::function<void()>& print);
    /// Whether a sheet is a print job of its own or the next page of a roll's run.
    enum class SheetJob { Own, PageOfRun };
    void printPositionSheet(SheetJob job);
    /// Tells the host that the sheet, item and bar code records changed.
    void announceRecords();
    QString mailingName() const;
    bool fitAddressLayout();
    void showHeldTextFitProblems();
    void showPiece(qint32 piece);
    void redraw();
    void buildPieceContainer();
    void buildNavigation();
    void refreshPrintRange();
    void copyTemplates();
    void layoutButtons();
    void updateStatusLabels();
    void focusView();
    void navigate(qint32 piece);
    void stepTo(qint32 piece);
    void openPieceList();
    void pieceListClicked(const QModelIndex& index);
    void viewChosen(int index);
    qint32 twipsPerPixel() const;
    QRect pixels(qint32 left, qint32 top, qint32 width, qint32 height) const;

    std::unique_ptr<TavLabelPrivate> const d;
};

} // namespace tav
