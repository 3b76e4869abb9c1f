#include "control_plugin.h"

#include "piece_task_menu.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

ControlPlugin::ControlPlugin(const QString& className, const QString& includeFile,
                             const QString& toolTip, Factory factory, QObject* parent)
    : QObject(parent)
    , className_(className)
    , includeFile_(includeFile)
    , toolTip_(toolTip)
    , factory_(std::move(factory)) {
}

QIcon ControlPlugin::icon() const {
    // A sheet with an address block and a row of bars.
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(1, 4, 19, 13);
    painter.drawLine(8, 8, 16, 8);
    painter.drawLine(8, 10, 16, 10);
    for (int x = 4; x < 18; x += 2)
        painter.drawLine(x, x % 4 == 0 ? 13 : 14, x, 15);
    return QIcon(pixmap);
}

QWidget* ControlPlugin::createWidget(QWidget* parent) {
    return factory_(parent, core_ != nullptr);
}

void ControlPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (core_ != nullptr)
        return;
    core_ = core;
    if (QExtensionManager* manager = core->extensionManager())
        manager->registerExtensions(new PieceTaskMenuFactory(className_, manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
}

QString ControlPlugin::domXml() const {
    // The design of a control placed new goes into the form with it, so that a form saved
    // before the piece was edited still loads with that design.
    QWidget* control = factory_(nullptr, true);
    const QString design = control->property("Design").toString();
    delete control;
    QString name = className_.section(QStringLiteral("::"), -1);
    name[0] = name[0].toLower();
    return QStringLiteral("<ui language=\"c++\">"
                          "<widget class=\"%1\" name=\"%2\">"
                          "<property name=\"geometry\"><rect><x>0</x><y>0</y>"
                          "<width>640</width><height>400</height></rect></property>"
                          "<property name=\"Design\"><string>%3</string></property>"
                          "</widget></ui>")
        .arg(className_, name, design.toHtmlEscaped());
}
