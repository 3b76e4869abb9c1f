#include "demo_window.h"

#include "address_layout.h"
#include "catalog_location.h"
#include "mailing_feed.h"
#include "tav_error.h"
#include "tav_label.h"

#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

DemoWindow::DemoWindow()
    : label_(new tav::TavLabel(this)) {
    setWindowTitle(QStringLiteral("Mailpiece Demo"));
    label_->setObjectName(QStringLiteral("TavLabel1"));
    applyLayout(*label_);
    setCentralWidget(label_);
    buildMenus();
    resize(900, 600);
}

void DemoWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open Mailing..."), QKeySequence::Open, this,
                    &DemoWindow::chooseMailing);
    file->addSeparator();
    file->addAction(QStringLiteral("Print &All"), QKeySequence::Print, this,
                    [this] { runGuarded([this] { label_->PrintAll(); }); });
    file->addAction(QStringLiteral("Print &Sheet"), this,
                    [this] { runGuarded([this] { label_->PrintSheet(); }); });
    file->addAction(QStringLiteral("Print &Test Page"), this,
                    [this] { runGuarded([this] { label_->PrintTest(); }); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);

    QMenu* settings = menuBar()->addMenu(QStringLiteral("&Settings"));
    settings->addAction(QStringLiteral("Printer &Offsets..."), this, &DemoWindow::editOffsets);
    settings->addAction(QStringLiteral("&Company Name..."), this, &DemoWindow::editCompanyName);

    QMenu* pieces = menuBar()->addMenu(QStringLiteral("&Piece"));
    QMenu* productMenu = nullptr;
    QString product;
    for (const mailpiece::CatalogEntry& entry : mailpiece::catalogEntries()) {
        if (entry.product != product || productMenu == nullptr) {
            product = entry.product;
            productMenu = pieces->addMenu(product);
        }
        const QString name = entry.piece;
        productMenu->addAction(name, this, [this, name] { choosePiece(name); });
    }

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
            [this](QAction* action) { label_->setAppearance(action->data().toInt()); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About TavLabel"), this, [this] { label_->ShowAboutBox(); });
}

void DemoWindow::showView(int appearance) {
    label_->setAppearance(appearance);
    if (appearance >= 0 && appearance < views_->actions().size())
        views_->actions().at(appearance)->setChecked(true);
}

void DemoWindow::runGuarded(const std::function<void()>& action) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        action();
        QApplication::restoreOverrideCursor();
    } catch (const tav::TavError& error) {
        QApplication::restoreOverrideCursor();
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
    }
}

bool DemoWindow::openMailing(const QString& path) {
    // A label control keeps its pieces for its lifetime: a new mailing gets a new control.
    auto* fresh = new tav::TavLabel(this);
    fresh->setObjectName(QStringLiteral("TavLabel1"));
    applyLayout(*fresh);
    try {
        const mailpiece::FeedResult fed = mailpiece::feedMailing(
            path, *fresh, mailpiece::PieceMaker::Mode::Address, QStringLiteral("Zip"));
        fresh->setAppearance(label_->Appearance());
        fresh->setPrinterTop(label_->PrinterTop());
        fresh->setPrinterLeft(label_->PrinterLeft());
        delete takeCentralWidget();
        label_ = fresh;
        setCentralWidget(label_);
        label_->setCurrentPiece(1);
        mailing_ = path;
        statusBar()->showMessage(QStringLiteral("%1: %2 pieces, %3 rows left out")
                                     .arg(path)
                                     .arg(fed.pieces)
                                     .arg(fed.leftOut));
        return true;
    } catch (const tav::TavError& error) {
        delete fresh;
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(error.what()));
        return false;
    }
}

void DemoWindow::applyLayout(tav::TavLabel& label) const {
    if (pieceName_.isEmpty()) {
        mailpiece::applyAddressLayout(label);
        return;
    }
    label.setPieceName(pieceName_);
    mailpiece::applyAddressItems(label);
}

void DemoWindow::choosePiece(const QString& name) {
    pieceName_ = name;
    runGuarded([this] {
        applyLayout(*label_);
        label_->setRefresh(true); // redraws with the new sheet
    });
    statusBar()->showMessage(QStringLiteral("Piece: %1").arg(name));
}

void DemoWindow::chooseMailing() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open Mailing"), {},
                                                      QStringLiteral("CSV files (*.csv)"));
    if (!path.isEmpty())
        openMailing(path);
}

void DemoWindow::editOffsets() {
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Printer Offsets"));
    auto* layout = new QFormLayout(&dialog);
    auto* top = new QDoubleSpinBox(&dialog);
    auto* left = new QDoubleSpinBox(&dialog);
    top->setRange(-8.75, 8.75);
    left->setRange(-6.75, 6.75);
    for (QDoubleSpinBox* box : {top, left}) {
        box->setDecimals(3);
        box->setSingleStep(0.0625);
        box->setSuffix(QStringLiteral(" in"));
    }
    top->setValue(label_->PrinterTop());
    left->setValue(label_->PrinterLeft());
    layout->addRow(QStringLiteral("Printer &top:"), top);
    layout->addRow(QStringLiteral("Printer &left:"), left);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() == QDialog::Accepted) {
        label_->setPrinterTop(static_cast<float>(top->value()));
        label_->setPrinterLeft(static_cast<float>(left->value()));
    }
}

void DemoWindow::editCompanyName() {
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("Company Name"),
                                               QStringLiteral("Name on the printer test page:"),
                                               QLineEdit::Normal, label_->CompanyName(), &ok);
    if (ok)
        label_->setCompanyName(name);
}
