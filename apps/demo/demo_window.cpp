#include "demo_window.h"

#include "address_layout.h"
#include "cfg_lib.h"
#include "counted.h"
#include "envelope_layout.h"
#include "imb_settings_dialog.h"
#include "mailing_open.h"
#include "mailing_problems.h"
#include "mailing_rows.h"
#include "message_sink.h"
#include "piece_detail_dialog.h"
#include "piece_select.h"
#include "program_feed.h"
#include "spreadsheet_source.h"
#include "sql_source.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "tracking_codes.h"

#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

namespace {

// Labels narrower than this cannot hold the Intelligent Mail barcode (2.91 in of bars).
constexpr float kIntelligentMailLabelWidth = 3.2f;
const QString kIntelligentMailLabel = QStringLiteral("5161 - Address");

tav::TavMail* newMail(QWidget* parent, const QString& pieceName, const QString& returnAddress,
                      tav::TavSymbology symbology) {
    auto* mail = new tav::TavMail(parent);
    mail->setObjectName(QStringLiteral("TavMail1"));
    // A catalogue without the envelope is reported; the control keeps its built-in layout.
    tav::reportingErrors(
        [&] { mailpiece::applyEnvelopeLayout(*mail, pieceName, returnAddress, symbology); });
    return mail;
}

} // namespace

DemoWindow::DemoWindow()
    : pages_(new QTabWidget(this))
    , label_(new tav::TavLabel(this))
    , returnAddress_(QStringLiteral("Mailpiece Demo\n100 Main Street\nSpringfield, IL 62701")) {
    setWindowTitle(QStringLiteral("Mailpiece"));
    label_->setObjectName(QStringLiteral("TavLabel1"));
    pieceName_ = settings_.labelPiece();
    pieceRotation_ = settings_.labelRotation();
    envelopeName_ = settings_.envelopePiece();
    applyRememberedPieces();
    mail_ = newMail(this, envelopeName_, returnAddress_, symbology_);
    pages_->addTab(label_, QStringLiteral("&Labels"));
    pages_->addTab(mail_, QStringLiteral("&Envelopes"));
    setCentralWidget(pages_);
    buildMenus();
    buildToolBarAndRows();
    loadRememberedDesigns();
    if (const auto kept = settings_.offsets(tav::currentPrinter().DeviceName()))
        tav::reportingErrors([&] { applyOffsets(kept->first, kept->second); });
    pages_->setCurrentIndex(settings_.page());
    showView(settings_.view());
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        settings_.setPage(page);
        runGuarded([this] { showView(shown().Appearance()); });
    });
    watchPrinting();
    // As large as it is made, but never past the screen it opens on.
    const QRect screen = this->screen()->availableGeometry();
    resize(std::min(1280, screen.width() * 9 / 10), std::min(800, screen.height() * 9 / 10));
    move(screen.center() - rect().center());
    statusBar()->showMessage(QStringLiteral("Open a mailing (File > Open Mailing) to see its "
                                            "pieces on the sheets"));
}

void DemoWindow::watchPrinting() {
    // The controls' own Pr Sheet and Pr All buttons print too: say where it went.
    for (tav::TavLabel* control : {label_, &mail_->TavLabel1()})
        connect(control, &tav::TavLabel::printProgress, this, [this](int done, int total) {
            if (done == total)
                statusBar()->showMessage(
                    QStringLiteral("Printed %1 on %2")
                        .arg(mailpiece::counted(done, "sheet", "sheets"), printDestination()));
        });
}

void DemoWindow::applyRememberedPieces() {
    // A remembered piece the catalogue no longer holds is reported once and forgotten.
    const auto forgetMissing = [](QString& name, const QString& kind) {
        if (name.isEmpty() || !tav::CfgLib::CatalogRecord(name).isEmpty())
            return false;
        tav::showMessage(QStringLiteral("The %1 %2 is no longer in the catalogue; the demo's own "
                                        "is used.")
                             .arg(kind, name));
        name.clear();
        return true;
    };
    if (forgetMissing(pieceName_, QStringLiteral("label"))) {
        settings_.setLabelPiece({});
        settings_.setLabelRotation(std::nullopt);
        pieceRotation_.reset();
    }
    if (forgetMissing(envelopeName_, QStringLiteral("envelope")))
        settings_.setEnvelopePiece({});
    tav::reportingErrors([this] { applyLayout(*label_); });
}

void DemoWindow::fillSheet() {
    tav::TavLabel& label = shown();
    const qint32 piece = label.CurrentPiece();
    if (piece < 1) {
        statusBar()->showMessage(
            QStringLiteral("Open a mailing first: there is no piece to copy."));
        return;
    }
    const qint32 added = label.FillSheet(piece);
    statusBar()->showMessage(added == 0
                                 ? QStringLiteral("The last sheet is full: no copy was needed.")
                                 : QStringLiteral("Added %1 of piece %2 to fill the last sheet.")
                                       .arg(mailpiece::counted(added, "copy", "copies"))
                                       .arg(piece));
}

tav::TavLabel& DemoWindow::shown() const {
    return envelopesShown() ? mail_->TavLabel1() : *label_;
}

bool DemoWindow::envelopesShown() const {
    return pages_->currentWidget() == mail_;
}

void DemoWindow::showPage(int page) {
    pages_->setCurrentIndex(page);
}

void DemoWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Mailing..."), QKeySequence::Open, this,
                    &DemoWindow::chooseMailing);
    recentMenu_ = file->addMenu(QStringLiteral("Open &Recent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &DemoWindow::fillRecentMenu);
    fillRecentMenu();
    file->addSeparator();
    buildDesignMenu(file);
    file->addSeparator();
    buildPrintMenu(file);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    settings->addAction(QStringLiteral("C&alibrate Printer..."), this,
                        [this] { tav::reportingErrors([this] { calibratePrinter(); }); });
    settings->addAction(QStringLiteral("Printer &Offsets..."), this, &DemoWindow::editOffsets);
    settings->addAction(QStringLiteral("&Company Name..."), this, &DemoWindow::editCompanyName);
    settings->addAction(QStringLiteral("&Return Address..."), this, &DemoWindow::editReturnAddress);
    QMenu* bars = settings->addMenu(QStringLiteral("&Bar Code"));
    symbologies_ = new QActionGroup(this);
    const char* const symbologyNames[] = {"&POSTNET", "&Intelligent Mail barcode"};
    for (int i = 0; i < 2; ++i) {
        QAction* action = bars->addAction(QString::fromLatin1(symbologyNames[i]));
        action->setCheckable(true);
        action->setData(i);
        symbologies_->addAction(action);
    }
    symbologies_->actions().at(symbology_)->setChecked(true);
    connect(symbologies_, &QActionGroup::triggered, this, [this](QAction* action) {
        const auto chosen = static_cast<tav::TavSymbology>(action->data().toInt());
        if (chosen == tav::TavEnumCls::TavIntelligentMail && !askIntelligentMail()) {
            symbologies_->actions().at(symbology_)->setChecked(true); // as it was
            return;
        }
        runGuarded([&] { setSymbology(chosen); });
    });

    // With the label template library the catalogue holds some 1,500 products: they are chosen
    // in the selection dialog, which finds them by typing, not from menus.
    QMenu* pieces = menuBar()->addMenu(QStringLiteral("&Piece"));
    pieces->addAction(QStringLiteral("&Choose Piece..."), this, [this] {
        QString name = shown().PieceName();
        qint16 rotation = shown().SheetProperties()->PieceRotation();
        if (tav::ShowPieceSelect(name, this, envelopesShown() ? nullptr : &rotation))
            choosePiece(name, rotation);
    });
    pieces->addAction(QStringLiteral("&Edit Piece..."), this, &DemoWindow::editPiece);
    pieces->addAction(QStringLiteral("&Fill Sheet with This Piece"), this,
                      [this] { runGuarded([this] { fillSheet(); }); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    views_ = new QActionGroup(this);
    const char* const names[] = {"&Piece", "&Sheet", "&Both"};
    for (int i = 0; i < 3; ++i) {
        QAction* action = view->addAction(QString::fromLatin1(names[i]));
        action->setCheckable(true);
        action->setData(i);
        views_->addAction(action);
    }
    views_->actions().at(label_->Appearance())->setChecked(true);
    connect(views_, &QActionGroup::triggered, this,
            [this](QAction* action) { runGuarded([&] { showView(action->data().toInt()); }); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About TavLabel"), this, [this] { label_->ShowAboutBox(); });
}

void DemoWindow::showView(int appearance) {
    shown().setAppearance(appearance);
    if (appearance >= 0 && appearance < views_->actions().size()) {
        views_->actions().at(appearance)->setChecked(true);
        settings_.setView(appearance);
    }
}

void DemoWindow::fillRecentMenu() {
    // The entry being triggered may be among them: each goes once its signal is done.
    for (QAction* action : recentMenu_->actions()) {
        recentMenu_->removeAction(action);
        action->deleteLater();
    }
    const QStringList recent = settings_.recentMailings();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent.at(i);
        // "&1 name": the number is the key, the name is what the user knows the file by.
        recentMenu_
            ->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()), this,
                        [this, path] { openRecent(path); })
            ->setToolTip(path);
    }
    recentMenu_->setEnabled(!recent.isEmpty());
}

void DemoWindow::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QMessageBox::warning(this, QStringLiteral("Open Recent"),
                             QStringLiteral("%1 is no longer there; it is taken off the list.")
                                 .arg(QDir::toNativeSeparators(path)));
        settings_.removeRecentMailing(path);
        fillRecentMenu();
        return;
    }
    openMailing(path);
}

void DemoWindow::runGuarded(const std::function<void()>& action) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        action();
    } catch (...) {
        QApplication::restoreOverrideCursor(); // the message gets a plain cursor
        tav::reportCurrentException();
        return;
    }
    QApplication::restoreOverrideCursor();
}

// Shows the controls of a mailing just read in place of the ones shown, with their view and
// printer offsets.
void DemoWindow::takeControls(std::unique_ptr<tav::TavLabel> fresh,
                              std::unique_ptr<tav::TavMail> freshMail) {
    const int page = pages_->currentIndex();
    for (tav::TavLabel* control : {fresh.get(), &freshMail->TavLabel1()}) {
        control->setAppearance(label_->Appearance());
        control->setPrinterTop(label_->PrinterTop());
        control->setPrinterLeft(label_->PrinterLeft());
        control->setCurrentPiece(1);
    }
    {
        const QSignalBlocker quiet(pages_); // no page is shown while they are swapped
        delete label_;
        delete mail_;
        label_ = fresh.release();
        mail_ = freshMail.release();
        pages_->insertTab(0, label_, QStringLiteral("&Labels"));
        pages_->insertTab(1, mail_, QStringLiteral("&Envelopes"));
        pages_->setCurrentIndex(page);
    }
    pages_->currentWidget()->setFocus(); // the keys go to the mailing shown, in this window
    watchPrinting();
}

// A database file reads one of its tables, a workbook one of its sheets: the one asked for, its
// only one, or the user's choice; none when the user cancels.
std::optional<QString> DemoWindow::choosePart(const QString& path, const QString& asked,
                                              bool database) {
    if (!asked.isEmpty() || !(database || tav::SpreadsheetSource::isWorkbook(path)))
        return asked;
    const QStringList parts =
        database ? tav::SqlSource::tables(path) : tav::SpreadsheetSource::sheetNames(path);
    if (parts.isEmpty())
        throw tav::TavError(
            tav::ErrorNumber::PathFileAccess, QStringLiteral("mailpiece"),
            QStringLiteral("%1 holds no %2").arg(path, database ? "tables" : "sheets"));
    if (parts.size() == 1)
        return parts.constFirst();
    bool chosen = false;
    const QString part =
        QInputDialog::getItem(this, QStringLiteral("Open Mailing"),
                              QStringLiteral("%1 of %2:").arg(database ? "Table" : "Sheet", path),
                              parts, 0, false, &chosen);
    return chosen ? std::optional<QString>(part) : std::nullopt;
}

bool DemoWindow::openMailing(const QString& path, const QString& asked) {
    try {
        const bool database = tav::SqlSource::isDatabaseFile(path);
        const std::optional<QString> chosen = choosePart(path, asked, database);
        if (!chosen)
            return false;
        const QString part = *chosen;
        const auto open = [&]() -> std::unique_ptr<tav::MailingSource> {
            if (database)
                return tav::SqlSource::table(path, part); // a name, quoted, never run
            tav::MailingFileOptions options;
            options.sheet = part;
            return tav::openMailing(path, options);
        };

        // A control keeps its pieces for its lifetime: a new mailing gets new controls.
        // The labels keep the design shown, edits included.
        auto fresh = std::make_unique<tav::TavLabel>();
        fresh->setObjectName(QStringLiteral("TavLabel1"));
        fresh->setDesign(label_->Design());
        std::unique_ptr<tav::TavMail> freshMail(
            newMail(nullptr, envelopeName_, returnAddress_, symbology_));

        // Both passes read the whole mailing; a long one shows its progress and may be
        // cancelled, which keeps the mailing shown before.
        QProgressDialog progress(QStringLiteral("Reading %1...").arg(path),
                                 QStringLiteral("Cancel"), 0, 0, this);
        progress.setWindowTitle(QStringLiteral("Open Mailing"));
        progress.setWindowModality(Qt::WindowModal);
        // A big file shows its progress at once, a small one only if it takes a while.
        constexpr qint64 kBigMailingBytes = 1024 * 1024;
        progress.setMinimumDuration(QFileInfo(path).size() > kBigMailingBytes ? 0 : 500);
        const auto reading = [&progress](const QString& what) {
            return [&progress, what](qint64 rows) {
                if (rows % 100 == 0) {
                    progress.setLabelText(QStringLiteral("%1: row %2").arg(what).arg(rows));
                    progress.setValue(0);
                    QCoreApplication::processEvents();
                }
                return !progress.wasCanceled();
            };
        };
        CollectedMessages messages;
        mailpiece::BarCodeFeed labelBars;
        labelBars.tracking = trackingCodes();
        labelBars.progress = reading(QStringLiteral("Labels"));
        const auto labels = open();
        const mailpiece::FeedResult fed =
            mailpiece::feedMailing(*labels, *fresh, tav::PieceMaker::Mode::Address,
                                   QStringLiteral("Zip"), messages, std::move(labelBars));
        if (fed.stopped) {
            statusBar()->showMessage(QStringLiteral("Opening %1 was cancelled").arg(path));
            return false;
        }
        mailpiece::BarCodeFeed envelopeBars;
        envelopeBars.tracking = trackingCodes();
        envelopeBars.progress = reading(QStringLiteral("Envelopes"));
        const auto envelopes = open();
        if (mailpiece::feedEnvelopes(*envelopes, *freshMail, messages, std::move(envelopeBars))
                .stopped) {
            statusBar()->showMessage(QStringLiteral("Opening %1 was cancelled").arg(path));
            return false;
        }
        progress.reset();
        takeControls(std::move(fresh), std::move(freshMail));
        mailing_ = path;
        mailingPart_ = part;
        settings_.addRecentMailing(path);
        fillRecentMenu();
        sayOpened(path, fed, messages);
        showRows(*open(), messages);
        return true;
    } catch (...) {
        tav::reportCurrentException();
        return false;
    }
}

void DemoWindow::sayOpened(const QString& path, const mailpiece::FeedResult& fed,
                           const CollectedMessages& messages) {
    const QString blank =
        fed.blankRows > 0 ? QStringLiteral(", %1 skipped")
                                .arg(mailpiece::counted(fed.blankRows, "blank row", "blank rows"))
                          : QString();
    const auto warnings = std::count_if(messages.entries().begin(), messages.entries().end(),
                                        [](const auto& entry) { return !entry.leftOut; });
    statusBar()->showMessage(QStringLiteral("%1: %2 on %3, %4 left out, %5%6")
                                 .arg(path, mailpiece::counted(fed.pieces, "piece", "pieces"),
                                      mailpiece::counted(label_->sheetCount(), "sheet", "sheets"),
                                      mailpiece::counted(fed.leftOut, "row", "rows"),
                                      mailpiece::counted(warnings, "warning", "warnings"), blank));
    if (messages.entries().empty())
        return;
    // Not modal: the mailing is open, and the list stays at hand beside it.
    auto* problems = new MailingProblemsDialog(path, messages, this);
    problems->setAttribute(Qt::WA_DeleteOnClose);
    // Shown once the event loop runs, so that it stands in front of a window shown after the
    // mailing was opened (a file named on the command line).
    QTimer::singleShot(0, problems, [problems] {
        problems->show();
        problems->raise();
        problems->activateWindow();
    });
}

void DemoWindow::applyLayout(tav::TavLabel& label) const {
    label.BarCodeProperties()->setSymbology(symbology_);
    if (pieceName_.isEmpty()) {
        mailpiece::applyAddressLayout(label);
        return;
    }
    label.setPieceName(pieceName_);
    if (pieceRotation_)
        label.TurnPieces(*pieceRotation_);
    label.ApplyAddressLayout();
}

std::optional<mailpiece::TrackingCodes> DemoWindow::trackingCodes() const {
    if (symbology_ != tav::TavEnumCls::TavIntelligentMail)
        return std::nullopt;
    const ImbFields fields = settings_.imbFields();
    return mailpiece::TrackingCodes::numbered(fields.barcodeId, fields.serviceType, fields.mailerId,
                                              1);
}

bool DemoWindow::askIntelligentMail() {
    const bool narrow = label_->SheetProperties()->PieceWidth() < kIntelligentMailLabelWidth;
    ImbSettingsDialog dialog(settings_.imbFields(),
                             narrow ? QStringLiteral("The bars need labels 4 inches wide: the "
                                                     "labels change to %1.")
                                          .arg(kIntelligentMailLabel)
                                    : QString(),
                             this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings_.setImbFields(dialog.fields());
    return true;
}

void DemoWindow::setSymbology(tav::TavSymbology symbology) {
    symbology_ = symbology;
    symbologies_->actions().at(symbology)->setChecked(true);
    if (symbology == tav::TavEnumCls::TavIntelligentMail &&
        label_->SheetProperties()->PieceWidth() < kIntelligentMailLabelWidth) {
        pieceName_ = kIntelligentMailLabel;
        pieceRotation_.reset();
        statusBar()->showMessage(QStringLiteral("The Intelligent Mail barcode needs 4 inch "
                                                "labels: %1")
                                     .arg(pieceName_));
    }
    applyLayout(*label_);
    mailpiece::applyEnvelopeLayout(*mail_, envelopeName_, returnAddress_, symbology_);
    if (!mailing_.isEmpty()) {
        openMailing(mailing_, mailingPart_); // each piece gets its tracking code as it is added
        return;
    }
    shown().setRefresh(true);
}

void DemoWindow::choosePiece(const QString& name, std::optional<qint16> rotation) {
    runGuarded([this, name, rotation] {
        if (envelopesShown()) {
            mailpiece::applyEnvelopeLayout(*mail_, name, returnAddress_, symbology_);
            envelopeName_ = name;
            settings_.setEnvelopePiece(name);
        } else {
            const QString kept = pieceName_;
            const std::optional<qint16> keptRotation = pieceRotation_;
            pieceName_ = name;
            pieceRotation_ = rotation;
            try {
                applyLayout(*label_);
            } catch (...) {
                pieceName_ = kept; // a piece that does not apply is not taken
                pieceRotation_ = keptRotation;
                throw;
            }
            settings_.setLabelPiece(name);
            settings_.setLabelRotation(rotation);
        }
        shown().setRefresh(true); // redraws with the new sheet
        statusBar()->showMessage(QStringLiteral("Piece: %1").arg(name));
    });
}

void DemoWindow::editPiece() {
    QWidget* control = envelopesShown() ? static_cast<QWidget*>(mail_) : label_;
    tav::PieceDetailDialog dialog(control, this);
    runGuarded([&dialog] { dialog.exec(); });
    shown().setRefresh(true);
}

void DemoWindow::editReturnAddress() {
    bool ok = false;
    const QString text = QInputDialog::getMultiLineText(
        this, QStringLiteral("Return Address"), QStringLiteral("Sender printed on envelopes:"),
        returnAddress_, &ok);
    if (!ok)
        return;
    runGuarded([&] {
        mailpiece::setReturnAddress(*mail_, text);
        returnAddress_ = text;
        mail_->setRefresh(true);
    });
}

void DemoWindow::chooseMailing() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Mailing"), settings_.mailingFolder(),
        QStringLiteral("Mailings (*.csv *.txt *.tsv *.xlsx *.xlsm *.ods *.xls *.vcf *.sqlite "
                       "*.sqlite3 *.db);;Delimited text (*.csv *.txt *.tsv);;Workbooks (*.xlsx "
                       "*.xlsm *.ods *.xls);;Address books (*.vcf);;SQLite databases (*.sqlite "
                       "*.sqlite3 *.db);;All files (*)"));
    if (!path.isEmpty())
        openMailing(path);
}

void DemoWindow::editCompanyName() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Company Name"),
                                               QStringLiteral("Name on the printer test page:"),
                                               QLineEdit::Normal, label_->CompanyName(), &ok);
    if (ok)
        runGuarded([&] { label_->setCompanyName(name); });
}
