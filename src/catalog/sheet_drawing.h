#pragma once

#include "cfg_lib.h"
#include "mailpiece_export.h"

#include <QWidget>

namespace tav {

/// A sheet drawn to scale with its pieces (at most 200 across and down are drawn).
class MAILPIECE_EXPORT SheetDrawing : public QWidget {
    Q_OBJECT

public:
    explicit SheetDrawing(QWidget* parent = nullptr);
    /// Draws `sheet` from now on.
    void setSheet(const SheetGeometry& sheet);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SheetGeometry sheet_;
};

} // namespace tav
