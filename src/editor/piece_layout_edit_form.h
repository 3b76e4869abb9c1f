#pragma once

#include "mailpiece_export.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QUndoStack;

namespace tav {

class LayoutCanvas;
class TavBarCodeCls;
class TavItemCls;
struct LayoutState;

/// The layout editor: the seven items and the bar code of one piece, drawn to scale, to select,
/// drag, resize with handles, nudge with the arrow keys, place by typed inches, and format from
/// the menus; every change can be undone. The drawing grows and shrinks with the window.
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

        bool operator==(const Object&) const = default;
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
    bool dataWasAccepted() const { return accepted_; }

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
    /// The piece as shown against its real size (1: life size on a 96 dots per inch screen).
    double shownScale() const;

public slots:
    /// Closes without the changes; from Escape or the window's close button, more than one
    /// change is dropped only when the user says so.
    void reject() override;

private:
    friend class LayoutCanvas;

    // Building (layout_menus.cpp holds the menus and what they do).
    void buildMenus();
    void buildUndoActions(QMenu* edit);
    void fitCanvas();

    // The undo history: every change goes from one state to another. A change typed into a
    // field leaves the fields as typed.
    enum class Fields { Refresh, Keep };
    LayoutState state() const;
    void restore(const LayoutState& state);
    void change(const QString& text, int mergeKey, const std::function<void()>& edit,
                Fields fields = Fields::Refresh);
    void record(const LayoutState& before, const QString& text, int mergeKey, Fields fields);
    void showAll(Fields fields);

    // Selection and what the canvas reports.
    void select(int index, bool showFormatMenu, QPoint globalPos);
    bool selectNext(bool forward);
    void showObject(int index);
    void refreshFields();
    void objectPressed(int index, Qt::MouseButton button, QPoint twips, QPoint globalPos);
    void objectMoved(int index, QPoint twips);
    void objectReleased(int index);
    void handlePressed(int handle);
    void handleMoved(int handle, QPoint twips);
    void handleReleased();
    void nudge(QPoint realTwips);
    void textEdited(const QString& text);
    void modify();
    QPoint keptInFrame(const QRect& box, QPoint topLeft) const;

    // The fields.
    void fieldEdited(int field);
    void fieldKeyReleased(int field);
    void spinnerMoved(int field, int value);
    double fieldMaximum(int field) const;
    void setFieldValue(int field, double inches);

    // The menus.
    void updateFormatChecks();
    void setJustification(int justification, QAction* checked);
    void setAlignment(int alignment);
    void setBorder(bool on);
    void chooseFont();
    void toggleDisplay(int index, bool on);
    void setSymbology(int symbology);
    void showSymbology();
    void askTrackingCode();
    QString objectTitle(int index) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::array<Object, 8> objects_;
    LayoutCanvas* canvas_;
    QWidget* canvasRoom_; // the room the canvas is fitted into
    QLabel* scaleLabel_;
    std::array<QLineEdit*, 4> fields_{};    // top_txt, left_txt, width_txt, height_txt
    std::array<QScrollBar*, 4> spinners_{}; // top_scr, left_scr, width_scr, height_scr
    QLabel* itemLabel_;
    QMenu* formatMenu_;
    QMenu* displayMenu_;
    std::array<QAction*, 4> justifyActions_{}; // left, center, right, full
    std::array<QAction*, 3> alignActions_{};
    QAction* bordersAction_;
    std::array<QAction*, 5> symbologyActions_{}; // by TavSymbology
    QUndoStack* undo_;
    int symbology_ = 0;
    QString trackingCode_;
    QSize frame_;
    int selected_ = 0;
    bool itemDragging_ = false;
    QPoint dragStart_;
    std::array<Object, 8> gestureStart_; // the objects when a drag or a resize began
    bool handleDragging_ = false;
    bool busy_ = false;
    bool accepted_ = false;
    bool cancelling_ = false; // Cancel was clicked: the changes go without asking
    bool updatingFields_ = false;
};

/// Opens the layout editor at (`left`, `top`) twips on screen (negative: centred on the parent's
/// window) for a piece of `pieceWidth` × `pieceHeight` inches; on OK writes the layout into
/// `items` and `barCode` and returns true.
MAILPIECE_EXPORT bool EditPieceLayout(qint32 top, qint32 left, float pieceWidth, float pieceHeight,
                                      const std::array<std::shared_ptr<TavItemCls>, 7>& items,
                                      TavBarCodeCls& barCode, QWidget* parent = nullptr);

} // namespace tav
