#pragma once

#include "mailpiece_export.h"

#include <QDialog>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;

namespace tav {

class TavBarCodeCls;
class TavItemCls;

/// The layout editor: the seven items and the bar code of one piece, drawn to scale, to select,
/// drag, resize with handles, place by typed inches, and format from the menus.
class MAILPIECE_EXPORT PieceLayoutEditForm : public QDialog {
    Q_OBJECT

public:
    /// One object of the piece as the editor holds it; lengths are twips at the editor's scale.
    struct Object {
        QRect box;
        QString text;
        int justification = 0; // TavAlignmentHorizontal
        int alignment = 0;     // TavAlignmentVertical
        bool border = false;
        bool visible = false;
        QString fontName = QStringLiteral("Arial");
        double fontSize = 10; // points, unscaled
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool strikethrough = false;
    };

    explicit PieceLayoutEditForm(QWidget* parent = nullptr);
    ~PieceLayoutEditForm() override;

    /// Fills the editor from the records for a piece of `pieceWidth` × `pieceHeight` inches.
    void LoadLayout(float pieceWidth, float pieceHeight,
                    const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                    const TavBarCodeCls& barCode);
    /// Writes the editor's state back into the records.
    void SaveLayout(const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                    TavBarCodeCls& barCode) const;
    /// Whether the user confirmed with OK.
    bool accepted() const { return accepted_; }

    /// Object `index` (1 to 7 the items, 8 the bar code).
    const Object& object(int index) const { return objects_.at(index - 1); }
    /// The selected object's index, 0 when none is.
    int selected() const { return selected_; }
    /// The piece frame (twips at the scale).
    QSize frameTwips() const { return frame_; }
    /// The bar code's TavSymbology and tracking code as the editor holds them.
    int symbology() const { return symbology_; }
    QString trackingCode() const { return trackingCode_; }
    /// Sets the bar code's tracking code; one that is not 20 digits (or empty) raises error 380.
    void setTrackingCode(const QString& code);

private:
    class ObjectBox;
    class Handle;
    friend class ObjectBox;
    friend class Handle;

    void buildMenus();
    void select(int index, bool showFormatMenu, QPoint globalPos);
    void placeHandles();
    void hideHandles();
    void refreshFields();
    void showObject(int index);
    void objectPressed(int index, Qt::MouseButton button, QPoint twips, QPoint globalPos);
    void objectMoved(int index, QPoint twips);
    void objectReleased(int index);
    void handlePressed(int handle);
    void handleMoved(int handle, QPoint twips);
    void handleReleased();
    void fieldEdited(int field);
    void fieldKeyReleased(int field);
    void spinnerMoved(int field, int value);
    double fieldMaximum(int field) const;
    void setFieldValue(int field, double inches);
    void modify();
    void updateFormatChecks();
    void setJustification(int justification, QAction* checked);
    void setAlignment(int alignment);
    void chooseFont();
    void toggleDisplay(int index, bool on);
    void setSymbology(int symbology);
    void askTrackingCode();
    QString objectTitle(int index) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::array<Object, 8> objects_;
    std::array<ObjectBox*, 8> boxes_{};
    std::array<Handle*, 8> handles_{};
    std::array<QLineEdit*, 4> fields_{};    // top_txt, left_txt, width_txt, height_txt
    std::array<QScrollBar*, 4> spinners_{}; // top_scr, left_scr, width_scr, height_scr
    std::array<QLineEdit*, 3> editors_{};   // edit_txt(0..2), by justification
    QWidget* pieceFrame_;
    QLabel* itemLabel_;
    QMenu* formatMenu_;
    QMenu* displayMenu_;
    std::array<QAction*, 4> justifyActions_{}; // left, center, right, full
    std::array<QAction*, 3> alignActions_{};
    QAction* bordersAction_;
    std::array<QAction*, 2> symbologyActions_{}; // POSTNET, Intelligent Mail
    int symbology_ = 0;
    QString trackingCode_;
    QSize frame_;
    int selected_ = 0;
    bool itemDragging_ = false;
    QPoint dragStart_;
    bool handleDragging_ = false;
    bool busy_ = false;
    bool accepted_ = false;
    bool updatingFields_ = false;
};

/// Opens the layout editor at (`left`, `top`) twips on screen (negative: where the system puts
/// it) for a piece of `pieceWidth` × `pieceHeight` inches; on OK writes the layout into `items`
/// and `barCode` and returns true.
MAILPIECE_EXPORT bool EditPieceLayout(qint32 top, qint32 left, float pieceWidth, float pieceHeight,
                                      const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                                      TavBarCodeCls& barCode, QWidget* parent = nullptr);

} // namespace tav
