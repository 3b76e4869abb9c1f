#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

/// One Mailpiece control in Qt Designer's widget box, with its "Edit Piece..." task menu.
class ControlPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    /// Makes the control; `designing` is true inside Designer and false when a form is loaded
    /// at run time (QUiLoader).
    using Factory = std::function<QWidget*(QWidget* parent, bool designing)>;

    ControlPlugin(const QString& className, const QString& includeFile, const QString& toolTip,
                  Factory factory, QObject* parent = nullptr);

    QString name() const override { return className_; }
    QString group() const override { return QStringLiteral("Mailpiece"); }
    QString toolTip() const override { return toolTip_; }
    QString whatsThis() const override { return toolTip_; }
    QString includeFile() const override { return includeFile_; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return core_ != nullptr; }
    /// Registers the task menu with Designer's extension manager.
    void initialize(QDesignerFormEditorInterface* core) override;
    /// A new control as placed from the widget box, carrying a new control's design.
    QString domXml() const override;

private:
    QString className_;
    QString includeFile_;
    QString toolTip_;
    Factory factory_;
    QDesignerFormEditorInterface* core_ = nullptr;
};
