// The plugin inside Qt Designer's own form editor (the components Designer is built from), run
// without a window: a form with a label control, "Edit Piece...", Undo and Redo, the saved form
// loaded again at run time.

#include "designer_core.h"
#include "label_design.h"
#include "modal.h"
#include "piece_detail.h"
#include "piece_detail_dialog.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QAction>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QUiLoader>
#include <QUndoStack>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QDesignerWidgetDataBaseInterface>
#include <QtDesigner/QExtensionManager>

#include <gtest/gtest.h>

using namespace tav;

namespace {

const char kForm[] = R"(<ui version="4.0"><class>Form</class>
<widget class="QWidget" name="Form">
 <property name="geometry"><rect><x>0</x><y>0</y><width>700</width><height>500</height></rect></property>
 <widget class="tav::TavLabel" name="addressLabels">
  <property name="geometry"><rect><x>0</x><y>0</y><width>640</width><height>400</height></rect></property>
 </widget>
</widget>
<customwidgets><customwidget><class>tav::TavLabel</class><extends>QWidget</extends><header>mailpiece/tav_label.h</header></customwidget></customwidgets>
</ui>)";

} // namespace

TEST(DesignerSession, EditPieceIsSavedInTheFormAndCanBeUndone) {
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
    QDesignerFormEditorInterface& core = test::designerCore();
    ASSERT_GE(core.widgetDataBase()->indexOfClassName("tav::TavLabel"), 0);
    ASSERT_GE(core.widgetDataBase()->indexOfClassName("tav::TavMail"), 0);

    std::unique_ptr<QDesignerFormWindowInterface> form(
        core.formWindowManager()->createFormWindow(nullptr));
    form->setContents(QString::fromUtf8(kForm));
    form->setDirty(false);
    auto* label = form->mainContainer()->findChild<TavLabel*>("addressLabels");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->PieceName(), "5264 - Shipping"); // placed new in Designer

    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core.extensionManager(), label);
    ASSERT_NE(menu, nullptr);
    QString chosen;
    test::whileModal<PieceDetailDialog>(
        [&] { menu->preferredEditAction()->trigger(); },
        [&](PieceDetailDialog& dialog) {
            chosen = test::chooseLastPiece(dialog);
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
    ASSERT_NE(chosen, "5264 - Shipping");
    EXPECT_EQ(label->PieceName(), chosen);
    EXPECT_TRUE(form->isDirty());
    const QString saved = form->contents();
    EXPECT_TRUE(saved.contains("<property name=\"Design\">"));
    EXPECT_TRUE(saved.contains(chosen.toHtmlEscaped()));

    form->commandHistory()->undo();
    EXPECT_EQ(label->PieceName(), "5264 - Shipping");
    form->commandHistory()->redo();
    EXPECT_EQ(label->PieceName(), chosen);

    // The saved form at run time, through the plugin as QUiLoader uses it.
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(test::designerPluginDirectory());
    QBuffer buffer;
    buffer.setData(saved.toUtf8());
    buffer.open(QIODevice::ReadOnly);
    std::unique_ptr<QWidget> loaded(loader.load(&buffer));
    ASSERT_NE(loaded, nullptr) << loader.errorString().toStdString();
    auto* runTime = loaded->findChild<TavLabel*>("addressLabels");
    ASSERT_NE(runTime, nullptr);
    EXPECT_EQ(runTime->PieceName(), chosen);
    test::expectSameDesign(*label, *runTime);
}
