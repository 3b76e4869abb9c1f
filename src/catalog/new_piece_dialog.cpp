#include "new_piece_dialog.h"

#include "catalogue.h"
#include "cfg_lib.h"
#include "message_sink.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <iterator>

namespace tav {

namespace {

struct Paper {
    const char* name;
    double width; // inches, portrait
    double height;
};
constexpr Paper kPapers[] = {{"Letter 8-1/2 x 11", 8.5, 11},
                             {"Legal 8-1/2 x 14", 8.5, 14},
                             {"A4 210 x 297 mm", 8.26772, 11.69291},
                             {"A5 148 x 210 mm", 5.82677, 8.26772},
                             {"Envelope #10", 4.125, 9.5}};
constexpr double kSlack = 0.005; // inches a grid may pass the paper by, for rounding

QDoubleSpinBox* inches(const char* name, double value, double maximum, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(4);
    box->setRange(0, maximum);
    box->setSingleStep(0.0625);
    box->setSuffix(QStringLiteral(" in"));
    box->setValue(value);
    return box;
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
    paperWidth_ = inches("paper_width", 8.5, 60, this);
    paperHeight_ = inches("paper_height", 11, 120, this);
    width_ = inches("width", 2.625, 60, this);
    height_ = inches("height", 1, 120, this);
    across_ = count("across", 3, this);
    down_ = count("down", 10, this);
    left_ = inches("margin_left", 0.1875, 60, this);
    top_ = inches("margin_top", 0.5, 120, this);
    pitchAcross_ = inches("pitch_across", 2.75, 60, this);
    pitchDown_ = inches("pitch_down", 1, 120, this);
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
    for (QDoubleSpinBox* box :
         {paperWidth_, paperHeight_, width_, height_, left_, top_, pitchAcross_, pitchDown_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { refresh(); });
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
        paperWidth_->setValue(landscape ? paper.height : paper.width);
        paperHeight_->setValue(landscape ? paper.width : paper.height);
    }
    refresh();
}

SheetGeometry NewPieceDialog::geometry() const {
    return {paperWidth_->value(),  paperHeight_->value(), left_->value(),  top_->value(),
            pitchAcross_->value(), pitchDown_->value(),   width_->value(), height_->value(),
            across_->value(),      down_->value()};
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
    const QString paperName = paper_->currentText();
    const QString record = QStringLiteral("%1,%2x%3,%4x%5,%6x%7,%8x%9,%10x%11,%12,CUT")
                               .arg(product, number(g.pieceWidth), number(g.pieceHeight),
                                    number(g.sheetWidth), number(g.sheetHeight), number(g.left),
                                    number(g.top), number(g.pitchAcross), number(g.pitchDown))
                               .arg(g.across)
                               .arg(g.down)
                               .arg(paperName);
    Catalogue::saveUserPiece(QString::fromLatin1(CfgLib::LaserSection), product, piece, record);
    saved_ = piece;
    accept();
}

} // namespace tav
