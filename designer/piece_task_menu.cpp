#include "piece_task_menu.h"

#include "piece_detail_dialog.h"

#include <QAction>
#include <QWidget>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

PieceTaskMenu::PieceTaskMenu(QWidget* control, QObject* parent)
    : QObject(parent)
    , control_(control)
    , editAction_(new QAction(QStringLiteral("Edit Piece..."), this)) {
    connect(editAction_, &QAction::triggered, this, &PieceTaskMenu::editPiece);
}

void PieceTaskMenu::editPiece() {
    tav::PieceDetailDialog dialog(control_, control_->window());
    connect(&dialog, &tav::PieceDetailDialog::applied, this, [this] {
        // Through the form's cursor the change marks the form modified and can be undone.
        if (QDesignerFormWindowInterface* form =
                QDesignerFormWindowInterface::findFormWindow(control_))
            form->cursor()->setWidgetProperty(control_, QStringLiteral("Design"),
                                              control_->property("Design"));
    });
    dialog.exec();
}

PieceTaskMenuFactory::PieceTaskMenuFactory(const QString& className, QExtensionManager* parent)
    : QExtensionFactory(parent)
    , className_(className.toLatin1()) {
}

QObject* PieceTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                               QObject* parent) const {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)) ||
        className_ != widget->metaObject()->className())
        return nullptr;
    return new PieceTaskMenu(widget, parent);
}
