#include "piece_select.h"

#include "catalogue.h"
#include "cfg_lib.h"
#include "dir_lib.h"
#include "ini_lib.h"
#include "message_sink.h"
#include "new_piece_dialog.h"
#include "sheet_drawing.h"
#include "str_lib.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tav {

namespace {

const QString kX = QStringLiteral("x");

// The fields of a piece definition record, 1-based as the catalogue numbers them.
QStringList recordFields(const QString& name) {
    return CfgLib::RecordFields(CfgLib::CatalogRecord(name));
}

QString paperTypeName(const QString& type) {
    const QString upper = type.trimmed().toUpper();
    if (upper == QLatin1String("CONT"))
        return QStringLiteral("Continuous forms");
    if (upper == QLatin1String(CfgLib::RollPaper))
        return QStringLiteral("Labels on a roll (a label printer)");
    return QStringLiteral("Cut sheets");
}

bool sameName(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QLabel* named(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

} // namespace

PieceSelectForm::PieceSelectForm(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("PieceSelectForm"));
    setWindowTitle(QStringLiteral("Piece Selection"));

    auto* paperBox = new QHBoxLayout;
    paperBox->addWidget(named("printer_lbl", QStringLiteral("Paper:"), this));
    cutSheet_ = new QRadioButton(QStringLiteral("Cut &Sheet"), this);
    cutSheet_->setObjectName(QStringLiteral("paper_opt1"));
    continuous_ = new QRadioButton(QStringLiteral("Con&tinuous"), this);
    continuous_->setObjectName(QStringLiteral("paper_opt2"));
    paper_ = new QButtonGroup(this);
    paper_->addButton(cutSheet_, 1);
    paper_->addButton(continuous_, 2);
    paperBox->addWidget(cutSheet_);
    paperBox->addWidget(continuous_);
    paperBox->addStretch();

    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("filter_txt"));
    filter_->setPlaceholderText(QStringLiteral("Find a product or piece, e.g. 5160"));
    filter_->setClearButtonEnabled(true);
    auto* filterLabel = named("filter_lbl", QStringLiteral("&Find:"), this);
    filterLabel->setBuddy(filter_);
    products_ = new QComboBox(this);
    products_->setObjectName(QStringLiteral("product_cbo"));
    products_->setMinimumWidth(220);
    auto* productLabel = named("product_lbl", QStringLiteral("Pro&duct:"), this);
    productLabel->setBuddy(products_);
    pieces_ = new QListWidget(this);
    pieces_->setObjectName(QStringLiteral("piece_lst"));
    auto* pieceLabel = named("piece_lbl", QStringLiteral("&Piece:"), this);
    pieceLabel->setBuddy(pieces_);
    piece_ = named("piece_txt", QString(), this);
    piece_->setFrameShape(QFrame::Panel);
    piece_->setFrameShadow(QFrame::Sunken);

    information_ = new QGroupBox(QStringLiteral("Piece"), this);
    information_->setObjectName(QStringLiteral("piece_information_frame"));
    auto* info = new QFormLayout(information_);
    type_ = named("type_txt", QString(), information_);
    size_ = named("size_txt", QString(), information_);
    pageSize_ = named("page_size_txt", QString(), information_);
    layout_ = named("layout_txt", QString(), information_);
    info->addRow(named("type_lbl", QStringLiteral("Type:"), information_), type_);
    info->addRow(named("size_lbl", QStringLiteral("Size:"), information_), size_);
    info->addRow(named("page_size_lbl", QStringLiteral("Page Size:"), information_), pageSize_);
    info->addRow(named("layout_lbl", QStringLiteral("Layout:"), information_), layout_);
    info->addRow(named("info_lbl", QStringLiteral("Info:"), information_),
                 named("product_txt", QString(), information_));
    turned_ = new QCheckBox(QStringLiteral("T&urned a quarter turn: designed as read, printed "
                                           "as a label printer feeds it"),
                            information_);
    turned_->setObjectName(QStringLiteral("turned_chk"));
    info->addRow(turned_);

    auto* ok = new QPushButton(QStringLiteral("O&k"), this);
    ok->setObjectName(QStringLiteral("ok_btn"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel_btn"));
    auto* details = new QPushButton(QStringLiteral("&Details"), this);
    details->setObjectName(QStringLiteral("details_btn"));
    auto* newPiece = new QPushButton(QStringLiteral("&New Piece"), this);
    newPiece->setObjectName(QStringLiteral("new_piece_btn"));
    newPiece->setToolTip(
        QStringLiteral("Define a product of your own, kept in %1").arg(Catalogue::userPath()));

    auto* grid = new QGridLayout;
    grid->addWidget(filterLabel, 0, 0);
    grid->addWidget(filter_, 0, 1);
    grid->addWidget(productLabel, 1, 0);
    grid->addWidget(products_, 1, 1);
    grid->addWidget(pieceLabel, 2, 0, Qt::AlignTop);
    grid->addWidget(pieces_, 2, 1);
    grid->addWidget(information_, 0, 2, 3, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, details, newPiece})
        buttons->addWidget(button);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 3, 3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paperBox);
    layout->addLayout(grid);
    layout->addWidget(piece_);

    connect(paper_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            paperSelected(id);
    });
    connect(products_, &QComboBox::currentTextChanged, this, &PieceSelectForm::productChanged);
    connect(filter_, &QLineEdit::textChanged, this, [this] {
        guarded([this] {
            fillProductList(sectionOf(std::max(paper_->checkedId(), 1)));
            fillPieceList(products_->currentText());
            showCurrentPiece();
        });
    });
    connect(pieces_, &QListWidget::itemClicked, this, &PieceSelectForm::pieceClicked);
    connect(pieces_, &QListWidget::currentRowChanged, this, &PieceSelectForm::pieceClicked);
    connect(ok, &QPushButton::clicked, this, [this] {
        accepted_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        accepted_ = false;
        reject();
    });
    connect(details, &QPushButton::clicked, this, reportingSlot([this] { showDetailsWindow(); }));
    connect(newPiece, &QPushButton::clicked, this, reportingSlot([this] {
                NewPieceDialog define(this);
                if (define.exec() == QDialog::Accepted && !define.savedPiece().isEmpty()) {
                    filter_->clear();
                    setPieceName(define.savedPiece()); // chosen at once
                }
            }));
}

QString PieceSelectForm::pieceName() const {
    return piece_->text();
}

void PieceSelectForm::guarded(const std::function<void()>& work) {
    if (busy_)
        return;
    busy_ = true;
    reportingErrors(work); // a damaged catalogue entry is reported; the dialog stays usable
    busy_ = false;
}

QString PieceSelectForm::sectionOf(int option) const {
    return QString::fromLatin1(option == 2 ? CfgLib::DotMatrixSection : CfgLib::LaserSection);
}

void PieceSelectForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (paper_->checkedId() < 0)
        cutSheet_->setChecked(true); // runs the paper handler
}

// Whether `name` holds the filter's text (every word of it, in any case).
bool PieceSelectForm::matches(const QString& name) const {
    const QStringList words = filter_->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return std::all_of(words.begin(), words.end(), [&](const QString& word) {
        return name.contains(word, Qt::CaseInsensitive);
    });
}

void PieceSelectForm::fillProductList(const QString& section) {
    products_->hide();
    products_->clear();
    for (const Catalogue::Product& product : Catalogue::current().products(section))
        if (matches(product.name) ||
            std::any_of(product.pieces.begin(), product.pieces.end(),
                        [this](const QString& piece) { return matches(piece); }))
            products_->addItem(product.name);
    if (products_->count() > 0)
        products_->setCurrentIndex(0);
    products_->show();
}

void PieceSelectForm::fillPieceList(const QString& product) {
    pieces_->hide();
    pieces_->clear();
    const bool whole = matches(product);
    for (const QString& piece : Catalogue::current().pieces(product))
        if (whole || matches(piece))
            pieces_->addItem(piece);
    if (pieces_->count() > 0)
        pieces_->setCurrentRow(0);
    pieces_->show();
}

void PieceSelectForm::showPieceDetails(const QString& name) {
    const QStringList fields = recordFields(name);
    information_->hide();
    type_->setText(StrLib::TextAfterLast(name, QStringLiteral(" - ")));
    size_->setText(fields.at(2));
    layout_->setText(fields.at(6));
    findChild<QLabel*>(QStringLiteral("product_txt"))->setText(fields.at(1));
    pageSize_->setText(fields.at(7));
    turned_->setChecked(fields.at(9).trimmed() == QLatin1String(CfgLib::TurnedPieces));
    information_->show();
}

void PieceSelectForm::paperSelected(int option) {
    guarded([this, option] {
        fillProductList(sectionOf(option));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        fillPieceList(products_->currentText());
        // A dialog opened on no piece chooses none (OK then gives no name), but the details
        // show what is highlighted.
        if (piece_->text().trimmed().isEmpty() && pieces_->currentItem() != nullptr)
            showPieceDetails(pieces_->currentItem()->text());
    });
}

void PieceSelectForm::productChanged() {
    guarded([this] {
        const QString product = products_->currentText();
        if (product.trimmed().isEmpty()) {
            pieces_->clear();
            return;
        }
        fillPieceList(product);
        if (pieces_->currentItem() != nullptr) {
            piece_->setText(pieces_->currentItem()->text());
            showPieceDetails(piece_->text());
        }
    });
}

void PieceSelectForm::pieceClicked() {
    guarded([this] { showCurrentPiece(); });
}

void PieceSelectForm::showCurrentPiece() {
    if (pieces_->currentItem() == nullptr)
        return;
    piece_->setText(pieces_->currentItem()->text());
    showPieceDetails(piece_->text());
}

void PieceSelectForm::setPieceName(const QString& name) {
    piece_->setText(name);
    pieceNameChanged();
}

void PieceSelectForm::pieceNameChanged() {
    guarded([this] {
        const QString name = piece_->text();
        if (name.trimmed().isEmpty())
            return;
        const qint16 type = CfgLib::CatalogPaperType(name);
        const QString product = CfgLib::CatalogProduct(name);
        (type == 2 ? continuous_ : cutSheet_)->setChecked(true);
        fillProductList(sectionOf(type));
        for (int i = 0; i < products_->count(); ++i) {
            if (sameName(products_->itemText(i), product)) {
                products_->setCurrentIndex(i);
                break;
            }
        }
        fillPieceList(product);
        for (int i = 0; i < pieces_->count(); ++i) {
            if (sameName(pieces_->item(i)->text(), name)) {
                pieces_->setCurrentRow(i);
                break;
            }
        }
        showPieceDetails(name);
    });
}

void PieceSelectForm::showDetailsWindow() {
    const QString name = piece_->text();
    const QStringList fields = recordFields(name);
    const auto first = [&](int field) {
        return IniLib::ToNumber(StrLib::TextBefore(fields.at(field), kX));
    };
    const auto second = [&](int field) {
        return IniLib::ToNumber(StrLib::TextAfter(fields.at(field), kX));
    };

    QDialog details(this);
    details.setObjectName(QStringLiteral("PieceDetails"));
    details.setWindowTitle(QStringLiteral("Piece Details"));
    auto* form = new QFormLayout;
    const auto row = [&](const QString& label, const QString& value) {
        auto* text = new QLabel(value, &details);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // A long value (the template library's summary) wraps instead of widening the window.
        text->setWordWrap(true);
        text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 40);
        form->addRow(label, text);
    };
    const auto pair = [&](int field, const char* unit) {
        return fields.at(field).isEmpty() ? QString()
                                          : QStringLiteral("%1 × %2%3")
                                                .arg(first(field))
                                                .arg(second(field))
                                                .arg(QLatin1String(unit));
    };
    row(QStringLiteral("Piece:"), name);
    row(QStringLiteral("Product:"), fields.at(1));
    row(QStringLiteral("Piece size:"), pair(2, " in"));
    row(QStringLiteral("Sheet size:"), pair(3, " in"));
    row(QStringLiteral("Margins (left, top):"), pair(4, " in"));
    row(QStringLiteral("Pitch (across, down):"), pair(5, " in"));
    row(QStringLiteral("Layout (across, down):"), pair(6, ""));
    row(QStringLiteral("Page size:"), fields.at(7));
    row(QStringLiteral("Template library:"),
        LabelTemplates::summary(Catalogue::current().templates()));
    row(QStringLiteral("Paper type:"), paperTypeName(fields.at(8)));
    auto* drawing = new SheetDrawing(&details);
    drawing->setSheet({first(3), second(3), first(4), second(4), first(5), second(5), first(2),
                       second(2), static_cast<int>(first(6)), static_cast<int>(second(6))});
    drawing->setObjectName(QStringLiteral("sheet_drawing"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &details);
    connect(close, &QDialogButtonBox::rejected, &details, &QDialog::reject);
    auto* body = new QHBoxLayout;
    body->addLayout(form);
    body->addWidget(drawing, 1);
    auto* layout = new QVBoxLayout(&details);
    layout->addLayout(body);
    layout->addWidget(close);
    details.exec();
}

qint16 PieceSelectForm::pieceRotation() const {
    return turned_->isChecked() ? 90 : 0;
}

void PieceSelectForm::setPieceRotation(qint16 degrees) {
    turned_->setChecked(degrees == 90);
}

bool ShowPieceSelect(QString& pieceName, QWidget* parent, qint16* rotation) {
    PieceSelectForm form(parent);
    form.setPieceName(pieceName);
    if (rotation != nullptr)
        form.setPieceRotation(*rotation);
    form.exec();
    if (form.dataWasAccepted()) {
        pieceName = form.pieceName();
        if (rotation != nullptr)
            *rotation = form.pieceRotation();
    }
    return form.dataWasAccepted();
}

} // namespace tav
