#pragma once

#include "demo_settings.h"
#include "printer.h"
#include "tav_enum_cls.h"
#include "tracking_codes.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tav {
class TavLabel;
class TavMail;
class MailingSource;
} // namespace tav
namespace mailpiece {
struct FeedResult;
} // namespace mailpiece
class CollectedMessages;
class MailingRowsPanel;
class QActionGroup;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QTabWidget;

/// A host window with two pages, address labels (a label control) and envelopes (an envelope
/// control): open a CSV mailing into both, preview and print it through the print dialog or to
/// a PDF file, calibrate the printer, set the return address and the piece, and choose the
/// view. It remembers the mailings, pieces, view and printer offsets between runs.
/// Where the current printer puts its output, in words ("PDF files in ~/mailpiece-output").
QString printDestination();

class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    DemoWindow();

    /// Adds every usable row of the mailing at `path` (delimited text, an address book, the sheet
    /// `part` of a workbook or the table `part` of a SQLite file; empty: its only one or the
    /// user's choice) as a label and as an envelope,
    /// with a progress dialog that may cancel; rows left out and warnings are listed in a
    /// dialog, a failure in a box. False when nothing was opened.
    bool openMailing(const QString& path, const QString& part = {});
    /// The label control.
    tav::TavLabel& label() const { return *label_; }
    /// The envelope control.
    tav::TavMail& mail() const { return *mail_; }
    /// Shows the labels page (0) or the envelopes page (1).
    void showPage(int page);
    /// Shows view `appearance` (0 piece, 1 sheet, 2 both) and ticks it in the View menu.
    void showView(int appearance);
    /// Lays the page shown out on the catalogue piece `name` (a label sheet or an envelope),
    /// labels turned by `rotation` (0 or 90) on their paper; none: as the catalogue says.
    void choosePiece(const QString& name, std::optional<qint16> rotation = std::nullopt);
    /// Prints `symbology` on labels and envelopes and ticks it in the Settings menu; the
    /// Intelligent Mail barcode takes 4 inch labels when the chosen ones are narrower, and
    /// sample tracking codes (mailer 123456, service 700) numbered from 1.
    void setSymbology(tav::TavSymbology symbology);

    /// Remembers the Intelligent Mail barcode's fixed fields, as its settings dialog does.
    void setImbFields(const ImbFields& fields) { settings_.setImbFields(fields); }

    /// Every sheet of the page shown as the printer would get it, one page a sheet.
    std::vector<tav::PrintedPage> recordSheets();
    /// Prints every sheet of the page shown into one PDF document at `path` (".pdf" added when
    /// missing) and says so in the status bar; a failure is reported and false.
    bool printToPdf(const QString& path);
    /// Writes the shown control's design to `path` and remembers it; false (and the user told)
    /// when it cannot be written.
    bool saveDesign(const QString& path);
    /// Loads the design in `path` into the shown control and remembers it; false (and the user
    /// told) when the file cannot be read or holds no design.
    bool openDesign(const QString& path);
    /// Sets the printer offsets (inches) of both pages.
    void applyOffsets(float top, float left);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    /// The tool bar of the usual actions, and the mailing's rows in a dock beside the pieces.
    void buildToolBarAndRows();
    std::optional<QString> choosePart(const QString& path, const QString& asked, bool database);
    void takeControls(std::unique_ptr<tav::TavLabel> fresh,
                      std::unique_ptr<tav::TavMail> freshMail);
    /// Says in the status bar what opening `path` found, and lists its problems in a dialog.
    void sayOpened(const QString& path, const mailpiece::FeedResult& fed,
                   const CollectedMessages& messages);
    /// Lists `rows` (the mailing just opened, read again) beside the pieces.
    void showRows(tav::MailingSource& rows, const CollectedMessages& messages);
    void buildPrintMenu(QMenu* file);
    void fillRecentMenu();
    void openRecent(const QString& path);
    void applyRememberedPieces();
    void chooseMailing();
    void printWithDialog();
    void previewPrint();
    void choosePdfFile();
    void printDirect(const QString& what, const std::function<void()>& print, int sheets);
    void watchPrinting();
    // Asks for the tracking codes' fields; false when the user cancels.
    bool askIntelligentMail();
    // The tracking codes of the pieces of a mailing; none with POSTNET.
    std::optional<mailpiece::TrackingCodes> trackingCodes() const;
    void buildDesignMenu(QMenu* file);
    QString shownDesign() const;
    void loadDesign(int page, const QString& design);
    void loadRememberedDesigns();
    void calibratePrinter();
    void editOffsets();
    void editCompanyName();
    void editReturnAddress();
    void editPiece();
    // Fills the rest of the last sheet with copies of the piece shown (a sheet of one address).
    void fillSheet();
    void runGuarded(const std::function<void()>& action);
    void applyLayout(tav::TavLabel& label) const;
    /// The label control of the page shown (the envelope control's inner one on envelopes).
    tav::TavLabel& shown() const;
    bool envelopesShown() const;

    QTabWidget* pages_;
    MailingRowsPanel* rows_ = nullptr;
    tav::TavLabel* label_;
    tav::TavMail* mail_;
    QActionGroup* views_;
    QActionGroup* symbologies_ = nullptr;
    tav::TavSymbology symbology_ = tav::TavEnumCls::TavPostnet;
    QString mailing_;
    QString mailingPart_; // the table or sheet read, when the mailing is a database or workbook
    QString pieceName_;   // the label piece chosen; empty: the built-in address sheet
    std::optional<qint16> pieceRotation_; // its turn, when the user chose one
    QString envelopeName_;
    QString returnAddress_;
    DemoSettings settings_;
    QMenu* recentMenu_ = nullptr;
};
