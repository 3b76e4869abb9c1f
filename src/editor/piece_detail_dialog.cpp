#include "piece_detail_dialog.h"

#include "message_sink.h"
#include "piece_detail.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace tav {

PieceDetailDialog::PieceDetailDialog(QWidget* control, QWidget* parent)
    : QDialog(parent)
    , control_(control)
    , page_(new PieceDetail(this))
    , buttons_(new QDialogButtonBox(
          QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("PieceDetailDialog"));
    setWindowTitle(QStringLiteral("Edit Piece - %1").arg(control->objectName()));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QPushButton* applyButton = buttons_->button(QDialogButtonBox::Apply);
    applyButton->setEnabled(false);
    connect(page_, &PieceDetail::changedChanged, applyButton, &QPushButton::setEnabled);
    connect(applyButton, &QPushButton::clicked, this, reportingSlot([this] { apply(); }));
    connect(buttons_, &QDialogButtonBox::accepted, this, reportingSlot([this] {
                if (page_->changed())
                    apply();
                accept(); // not reached when applying failed: the dialog stays open
            }));
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    page_->SelectionChanged(control_);
}

void PieceDetailDialog::apply() {
    page_->ApplyChanges(control_);
    // Fresh copies, so that what the page does next cannot reach the control before it is
    // applied in turn.
    page_->SelectionChanged(control_);
    page_->setChanged(false);
    emit applied();
}

} // namespace tav
