#include "piece_task_menu.h"

#include "message_sink.h"
#include "piece_detail_dialog.h"

#include <QAction>
#include <QWidget>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

PieceTaskMenu::PieceTaskMenu(QWidget* control, QObject* parent)
    : QObject(parent)
    , control_(control)
    , editAction_(new QAction(QStringLiteral("Edit Piece..."), this)) {
    // Inside Designer an error must never leave the slot: it is reported and Designer goes on.
    connect(editAction_, &QAction::triggered, this, tav::reportingSlot([this] { editPiece(); }));
}

void PieceTaskMenu::editPiece() {
    tav::PieceDetailDialog dialog(control_, control_->window());
    QVariant before = control_->property("Design");
    connect(&dialog, &tav::PieceDetailDialog::applied, this, [this, &before] {
        QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(control_);
        if (form == nullptr)
            return;
        // The page has changed the control already; put the old design back for a moment, so
        // that the form's command records it and Undo returns to it. The command then sets the
        // new design, marks the form modified and goes on the undo stack.
        const QVariant after = control_->property("Design");
        control_->setProperty("Design", before);
        form->cursor()->setWidgetProperty(control_, QStringLiteral("Design"), after);
        before = after;
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
