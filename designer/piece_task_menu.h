#pragma once

#include <QObject>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

/// The "Edit Piece..." entry of a Mailpiece control's context menu in Designer: the piece
/// property page in a dialog. What it applies is written into the form as the Design property,
/// so Designer saves it and can undo it.
class PieceTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    PieceTaskMenu(QWidget* control, QObject* parent);

    QAction* preferredEditAction() const override { return editAction_; }
    QList<QAction*> taskActions() const override { return {editAction_}; }

private:
    void editPiece();

    QWidget* control_;
    QAction* editAction_;
};

/// Makes the task menu for controls of one class.
class PieceTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    PieceTaskMenuFactory(const QString& className, QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;

private:
    QByteArray className_;
};
