#include "new_piece_dialog.h"

#include "catalogue.h"
#include "cfg_lib.h"
#include "length_box.h"
#include "message_sink.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>

#include <iterator>

namespace tav {

namespace {

struct Paper {
    const char* name;
    double width; // inches, portrait
    double height;
    bool metric; // measured in millimetres
};
constexpr Paper kPapers[] = {{"Letter 8-1/2 x 11", 8.5, 11, false},
                             {"Legal 8-1/2 x 14", 8.5, 14, false},
                             {"A4 210 x 297 mm", 210 / 25.4, 297 / 25.4, true},
                             {"A5 148 x 210 mm", 148 / 25.4, 210 / 25.4, true},
                             {"Envelope #10", 4.125, 9.5, false}};
constexpr double kSlack = 0.005; // inches a grid may pass the paper by, for rounding

// The unit people of this system measure in.
LengthBox::Unit localUnit() {
    return QLocale::system().measurementSystem() == QLocale::MetricSystem
               ? LengthBox::Unit::Millimetres
               : LengthBox::Unit::Inches;
}

QSpinBox* count(const char* name, int value, QWidget* parent) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, 100);
    box->setValue(value);
    return box;
}

QString number(double value) {
    return QString::number(value, 'g', 7);
}

} // namespace

NewPieceDialog::NewPieceDialog(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("NewPieceDialog"));
    setWindowTitle(QStringLiteral("New Piece"));
    product_ = new QLineEdit(QStringLiteral("My Labels"), this);
    product_->setObjectName(QStringLiteral("product_txt"));
    piece_ = new QLineEdit(this);
    piece_->setObjectName(QStringLiteral("piece_txt"));
    piece_->setPlaceholderText(QStringLiteral("e.g. Jar labels 3 x 2"));
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper_cbo"));
    for (const Paper& paper : kPapers)
        paper_->addItem(QString::fromLatin1(paper.name));
    paper_->addItem(QStringLiteral("Other"));
    orientation_ = new QComboBox(this);
    orientation_->setObjectName(QStringLiteral("orientation_cbo"));
    orientation_->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    units_ = new QComboBox(this);
    units_->setObjectName(QStringLiteral("units_cbo"));
    units_->addItems({QStringLiteral("inches"), QStringLiteral("millimetres")});
    const LengthBox::Unit unit = localUnit();
    units_->setCurrentIndex(unit == LengthBox::Unit::Millimetres ? 1 : 0);
    const auto length = [&](const char* name, double inches, double maximum) {
        return new LengthBox(name, inches, maximum, unit, this);
    };
    paperWidth_ = length("paper_width", 8.5, 60);
    paperHeight_ = length("paper_height", 11, 120);
    width_ = length("width", 2.625, 60);
    height_ = length("height", 1, 120);
    across_ = count("across", 3, this);
    down_ = count("down", 10, this);
    left_ = length("margin_left", 0.1875, 60);
    top_ = length("margin_top", 0.5, 120);
    pitchAcross_ = length("pitch_across", 2.75, 60);
    pitchDown_ = length("pitch_down", 1, 120);
    drawing_ = new SheetDrawing(this);
    drawing_->setObjectName(QStringLiteral("sheet_drawing"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("message_lbl"));
    message_->setWordWrap(true);
    QPalette warning = message_->palette();
    warning.setColor(QPalette::WindowText, Qt::darkRed);
    message_->setPalette(warning);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Product:"), product_);
    form->addRow(QStringLiteral("P&iece:"), piece_);
    form->addRow(QStringLiteral("P&aper:"), paper_);
    form->addRow(QStringLiteral("&Orientation:"), orientation_);
    form->addRow(QStringLiteral("&Units:"), units_);
    const auto pair = [&](QWidget* a, QWidget* b) {
        auto* row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(b);
        return row;
    };
    form->addRow(QStringLiteral("Paper size (W x H):"), pair(paperWidth_, paperHeight_));
    form->addRow(QStringLiteral("Label size (W x H):"), pair(width_, height_));
    form->addRow(QStringLiteral("Labels (across x down):"), pair(across_, down_));
    form->addRow(QStringLiteral("Margins (left, top):"), pair(left_, top_));
    form->addRow(QStringLiteral("Pitch (across, down):"), pair(pitchAcross_, pitchDown_));
    roll_ = new QCheckBox(QStringLiteral("On a &roll: a page a label, one job a run (a label "
                                         "printer)"),
                          this);
    roll_->setObjectName(QStringLiteral("roll_chk"));
    turned_ = new QCheckBox(QStringLiteral("&Turned a quarter turn: designed as read, printed as "
                                           "the printer feeds it"),
                            this);
    turned_->setObjectName(QStringLiteral("turned_chk"));
    form->addRow(roll_);
    form->addRow(turned_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    saveButton_ = buttons->button(QDialogButtonBox::Save);
    saveButton_->setObjectName(QStringLiteral("save_btn"));
    auto* columns = new QHBoxLayout;
    columns->addLayout(form);
    columns->addWidget(drawing_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(message_);
    layout->addWidget(buttons);

    connect(paper_, &QComboBox::currentIndexChanged, this, [this] { paperChosen(); });
    connect(orientation_, &QComboBox::currentIndexChanged, this, [this] { paperChosen(); });
    for (QLineEdit* edit : {product_, piece_})
        connect(edit, &QLineEdit::textChanged, this, [this] { refresh(); });
    for (LengthBox* box : lengths())
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { refresh(); });
    connect(units_, &QComboBox::currentIndexChanged, this, [this](int index) {
        for (LengthBox* box : lengths())
            box->setUnit(index == 1 ? LengthBox::Unit::Millimetres : LengthBox::Unit::Inches);
    });
    for (QSpinBox* box : {across_, down_})
        connect(box, &QSpinBox::valueChanged, this, [this] { refresh(); });
    connect(buttons, &QDialogButtonBox::accepted, this, reportingSlot([this] { save(); }));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    paperChosen();
}

void NewPieceDialog::paperChosen() {
    const int index = paper_->currentIndex();
    const bool other = index < 0 || index >= static_cast<int>(std::size(kPapers));
    paperWidth_->setEnabled(other);
    paperHeight_->setEnabled(other);
    if (!other) {
        const Paper& paper = kPapers[index];
        const bool landscape = orientation_->currentIndex() == 1;
        units_->setCurrentIndex(paper.metric ? 1 : 0); // a sheet is measured as its paper is
        paperWidth_->setInches(landscape ? paper.height : paper.width);
        paperHeight_->setInches(landscape ? paper.width : paper.height);
    }
    refresh();
}

SheetGeometry NewPieceDialog::geometry() const {
    return {paperWidth_->inches(),  paperHeight_->inches(), left_->inches(),  top_->inches(),
            pitchAcross_->inches(), pitchDown_->inches(),   width_->inches(), height_->inches(),
            across_->value(),       down_->value()};
}

std::array<LengthBox*, 8> NewPieceDialog::lengths() const {
    return {paperWidth_, paperHeight_, width_, height_, left_, top_, pitchAcross_, pitchDown_};
}

QString NewPieceDialog::problem() const {
    if (!Catalogue::usableName(product_->text()) || !Catalogue::usableName(piece_->text()))
        return QStringLiteral("Give the product and the piece a name without \",\", \"[\", "
                              "\"]\" or \"=\".");
    const SheetGeometry g = geometry();
    if (g.pieceWidth <= 0 || g.pieceHeight <= 0 || g.sheetWidth <= 0 || g.sheetHeight <= 0)
        return QStringLiteral("The paper and the labels need a width and a height.");
    if ((g.across > 1 && g.pitchAcross < g.pieceWidth - kSlack) ||
        (g.down > 1 && g.pitchDown < g.pieceHeight - kSlack))
        return QStringLiteral("The labels overlap: a pitch is smaller than the label.");
    const double right = g.left + (g.across - 1) * g.pitchAcross + g.pieceWidth;
    const double bottom = g.top + (g.down - 1) * g.pitchDown + g.pieceHeight;
    if (right > g.sheetWidth + kSlack)
        return QStringLiteral("The grid is %1 in wide and the paper %2 in: %3 labels across do "
                              "not fit.")
            .arg(number(right), number(g.sheetWidth))
            .arg(g.across);
    if (bottom > g.sheetHeight + kSlack)
        return QStringLiteral("The grid is %1 in high and the paper %2 in: %3 labels down do "
                              "not fit.")
            .arg(number(bottom), number(g.sheetHeight))
            .arg(g.down);
    return {};
}

void NewPieceDialog::refresh() {
    drawing_->setSheet(geometry());
    const QString why = problem();
    message_->setText(why);
    saveButton_->setEnabled(why.isEmpty());
}

void NewPieceDialog::save() {
    if (!problem().isEmpty())
        return;
    const SheetGeometry g = geometry();
    const QString product = product_->text().trimmed();
    const QString piece = piece_->text().trimmed();
    const QString record = CfgLib::MakeRecord(product, g, paper_->currentText(), roll_->isChecked(),
                                              turned_->isChecked());
    Catalogue::saveUserPiece(QString::fromLatin1(CfgLib::LaserSection), product, piece, record);
    saved_ = piece;
    accept();
}

} // namespace tav
