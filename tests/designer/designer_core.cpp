#include "designer_core.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerIntegration>

namespace tav::test {

QString designerPluginDirectory() {
    return QFileInfo(QStringLiteral(MAILPIECE_DESIGNER_PLUGIN)).absolutePath();
}

QDesignerFormEditorInterface& designerCore() {
    static QDesignerFormEditorInterface* core = [] {
        // Designer looks for plugins in "designer" below each library path.
        QCoreApplication::addLibraryPath(designerPluginDirectory() + QStringLiteral("/.."));
        QDesignerComponents::initializeResources();
        QDesignerFormEditorInterface* editor = QDesignerComponents::createFormEditor(nullptr);
        editor->setIntegration(new QDesignerIntegration(editor, editor));
        QDesignerComponents::createTaskMenu(editor, editor);
        QDesignerComponents::initializePlugins(editor);
        return editor;
    }();
    return *core;
}

} // namespace tav::test
