#pragma once

#include <QMainWindow>

namespace tav {
class TavLabel;
}
class QActionGroup;

/// A host window around one label control: open a CSV mailing, print it, set the printer
/// offsets and choose the view.
class DemoWindow : public QMainWindow {
    Q_OBJECT

public:
    DemoWindow();

    /// Adds every usable row of the CSV file at `path` as a piece; reports failure in a box.
    bool openMailing(const QString& path);
    /// The label control.
    tav::TavLabel& label() const { return *label_; }
    /// Shows view `appearance` (0 piece, 1 sheet, 2 both) and ticks it in the View menu.
    void showView(int appearance);

private:
    void buildMenus();
    void chooseMailing();
    void editOffsets();
    void editCompanyName();
    void runGuarded(const std::function<void()>& action);
    void choosePiece(const QString& name);
    void applyLayout(tav::TavLabel& label) const;

    tav::TavLabel* label_;
    QActionGroup* views_;
    QString mailing_;
    QString pieceName_; // the catalogue piece chosen; empty: the built-in address sheet
};
