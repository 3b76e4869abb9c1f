#include "designer_core.h"

#include "modal.h"
#include "piece_detail.h"
#include "piece_detail_dialog.h"
#include "piece_select.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
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
        QCoreApplication::addLibraryPath(designerPluginDirectory() + "/..");
        QDesignerComponents::initializeResources();
        QDesignerFormEditorInterface* editor = QDesignerComponents::createFormEditor(nullptr);
        editor->setIntegration(new QDesignerIntegration(editor, editor));
        QDesignerComponents::createTaskMenu(editor, editor);
        QDesignerComponents::initializePlugins(editor);
        return editor;
    }();
    return *core;
}

QString chooseLastPiece(PieceDetailDialog& dialog) {
    const auto press = [](QWidget& parent, const char* name) {
        QTest::mouseClick(parent.findChild<QPushButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    };
    whileModal<PieceSelectForm>([&] { press(dialog.page(), "btnDotDotDot"); },
                                [&](PieceSelectForm& select) {
                                    auto* pieces = select.findChild<QListWidget*>("piece_lst");
                                    pieces->setCurrentRow(pieces->count() - 1);
                                    press(select, "ok_btn");
                                });
    return dialog.page().sheet()->PieceName();
}

} // namespace tav::test
