#pragma once

#include "mailpiece_export.h"
#include "sheet_drawing.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tav {

class LengthBox;

/// Defines a product of the user's own: its name, the piece's name, the paper (size and
/// orientation), the label size, the grid and its margins and pitches (in millimetres or inches,
/// a unit typed with a number taken as typed), with a drawing of the
/// sheet that follows every change. A grid that does not fit the paper, overlapping labels or an
/// unusable name are said in the dialog and cannot be saved; Save writes the piece to the user's
/// catalogue (Catalogue::saveUserPiece).
class MAILPIECE_EXPORT NewPieceDialog : public QDialog {
    Q_OBJECT

public:
    explicit NewPieceDialog(QWidget* parent = nullptr);

    /// The piece saved, or "" while none was.
    QString savedPiece() const { return saved_; }
    /// What keeps the definition from being saved, or "" when nothing does.
    QString problem() const;
    /// The definition as the dialog's fields give it (inches, the paper turned as chosen).
    SheetGeometry geometry() const;

private:
    std::array<LengthBox*, 8> lengths() const;
    void paperChosen();
    void refresh();
    void save();

    QLineEdit* product_;
    QLineEdit* piece_;
    QComboBox* paper_;
    QComboBox* orientation_;
    QComboBox* units_;
    LengthBox* paperWidth_;
    LengthBox* paperHeight_;
    LengthBox* width_;
    LengthBox* height_;
    QSpinBox* across_;
    QSpinBox* down_;
    LengthBox* left_;
    LengthBox* top_;
    LengthBox* pitchAcross_;
    LengthBox* pitchDown_;
    QCheckBox* roll_;   // one label a page, a run one job
    QCheckBox* turned_; // the labels turned a quarter turn on their paper
    SheetDrawing* drawing_;
    QLabel* message_;
    QPushButton* saveButton_;
    QString saved_;
};

} // namespace tav
