#pragma once

#include "mailpiece_export.h"

#include <QDialog>

class QDialogButtonBox;

namespace tav {

class PieceDetail;

/// The piece property page of one control in a dialog with OK, Apply and Cancel, as a design
/// environment shows it. Apply is enabled while the page has changes; OK applies them and closes.
class MAILPIECE_EXPORT PieceDetailDialog : public QDialog {
    Q_OBJECT

public:
    /// A dialog on `control` (a label or envelope control), loaded from its records.
    explicit PieceDetailDialog(QWidget* control, QWidget* parent = nullptr);

    /// The page inside.
    PieceDetail& page() const { return *page_; }

signals:
    /// The page's records were handed to the control.
    void applied();

private:
    void apply();

    QWidget* control_;
    PieceDetail* page_;
    QDialogButtonBox* buttons_;
};

} // namespace tav
