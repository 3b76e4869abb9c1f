#pragma once

#include "mailpiece_export.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace tav {

/// The modal piece selection dialog: paper kind, product and piece from the catalogue, with the
/// chosen piece's type, size, page size and layout.
class MAILPIECE_EXPORT PieceSelectForm : public QDialog {
    Q_OBJECT

public:
    explicit PieceSelectForm(QWidget* parent = nullptr);

    /// The chosen piece name (piece_txt's caption).
    QString pieceName() const;
    /// Shows `name` as the chosen piece and preselects its paper kind, product and piece.
    void setPieceName(const QString& name);
    /// How the chosen piece lies on its paper: 0, or 90 turned a quarter turn (turned_chk, the
    /// catalogue's choice for the piece until the user changes it).
    qint16 pieceRotation() const;
    void setPieceRotation(qint16 degrees);
    /// Whether the user confirmed with OK.
    bool dataWasAccepted() const { return accepted_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Runs `work` unless another handler is running: handlers fire each other through the
    // controls they set, and only the outermost one acts. What it raises is reported.
    void guarded(const std::function<void()>& work);
    void paperSelected(int option);
    void productChanged();
    void pieceClicked();
    /// Shows the piece under the list's cursor as the choice, with its details.
    void showCurrentPiece();
    void pieceNameChanged();
    void fillProductList(const QString& section);
    void fillPieceList(const QString& product);
    void showPieceDetails(const QString& name);
    void showDetailsWindow();
    QString sectionOf(int option) const;
    bool matches(const QString& name) const;

    bool busy_ = false;
    bool accepted_ = false;

    QButtonGroup* paper_;
    QRadioButton* cutSheet_;   // paper_opt(1)
    QRadioButton* continuous_; // paper_opt(2)
    QLineEdit* filter_;        // filter_txt
    QComboBox* products_;      // product_cbo
    QListWidget* pieces_;      // piece_lst
    QLabel* piece_;            // piece_txt
    QWidget* information_;     // piece_information_frame
    QLabel* type_;
    QLabel* size_;
    QLabel* pageSize_;
    QLabel* layout_;
    QCheckBox* turned_;
};

/// Opens the dialog with `pieceName` preselected; on OK puts the chosen name into `pieceName`
/// and returns true (also when it is unchanged). With `rotation`, the dialog shows that turn for
/// the preselected piece and puts the one chosen there (0 or 90). The dialog is made and
/// destroyed in the call.
MAILPIECE_EXPORT bool ShowPieceSelect(QString& pieceName, QWidget* parent = nullptr,
                                      qint16* rotation = nullptr);

} // namespace tav
