#pragma once

#include "mailpiece_export.h"
#include "tav_bar_code_cls.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <QWidget>

#include <array>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;

namespace tav {

class TavBarcode;
class TavItem;
class TavPiece;

/// The property page of a label or envelope control in a design environment: choose the piece,
/// edit the layout and see a scaled preview. It works on copies of the control's records and
/// hands them to the control only in ApplyChanges. Controls are reached by property name, so
/// any control with the label's or the envelope's properties will do.
class MAILPIECE_EXPORT PieceDetail : public QWidget {
    Q_OBJECT

public:
    /// A page with empty working records.
    explicit PieceDetail(QWidget* parent = nullptr);
    ~PieceDetail() override;

    /// Loads copies of `control`'s sheet, item and bar code records (the item roles
    /// DeliveryAddress … Message4 when it has no Item1Properties … Item7Properties) and
    /// refreshes the preview. Raises a TavError when `control` has neither.
    void SelectionChanged(QObject* control);
    /// Hands the working records themselves to `control`, with its redrawing held meanwhile.
    void ApplyChanges(QObject* control);

    /// Whether the working records differ from the control's (the design environment then
    /// offers to apply).
    bool changed() const { return changed_; }
    void setChanged(bool on);

    /// Opens the layout editor on copies of the working items; on OK they become the working
    /// items. Sets the changed flag to the editor's result.
    void editLayout();
    /// Opens the piece selection dialog; a confirmed choice applies that piece's definition to
    /// the working records.
    void selectPiece();

    /// The working records.
    std::shared_ptr<TavSheetCls> sheet() const { return sheet_; }
    std::shared_ptr<TavItemCls> item(int index) const { return items_.at(index - 1); }
    std::shared_ptr<TavBarCodeCls> barCode() const { return barCode_; }

    /// The scale of the preview (preview inches per piece inch) and its size in twips, as of
    /// the last refresh.
    double previewScale() const { return scale_; }
    QSize previewSize() const { return previewSize_; }

signals:
    /// The changed flag was set to `on`.
    void changedChanged(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void RefreshPreview();
    void ShowDetails(int index);
    void refreshReported();
    void loadPreviewPiece(qint32 previewWidth, qint32 previewHeight, qint32 left);

    std::shared_ptr<TavSheetCls> sheet_;
    std::array<std::shared_ptr<TavItemCls>, 7> items_;
    std::shared_ptr<TavBarCodeCls> barCode_;
    bool changed_ = false;
    double scale_ = 0;
    QSize previewSize_;

    QLabel* pic1_;
    TavPiece* previewPiece_;
    std::array<TavItem*, 7> previewItems_{};
    TavBarcode* previewBarcode_;
    QPushButton* layoutButton_;           // LayoutBtn
    QPushButton* selectButton_;           // btnDotDotDot
    QGroupBox* itemFrame_;                // lblItem
    std::array<QLabel*, 4> itemLabels_{}; // lblItop, lblIleft, lblIheight, lblIwidth
    QGroupBox* pieceFrame_;               // frmPiece
    QLabel* pieceName_;                   // lblPName
    QLabel* pieceHeight_;                 // lblPHeight
    QLabel* barsLabel_;                   // lblPBars: the bar code's symbology
    QLabel* trackingLabel_;               // lblPTracking: its tracking code
    QLabel* pieceWidth_;                  // lblPWidth
};

} // namespace tav
