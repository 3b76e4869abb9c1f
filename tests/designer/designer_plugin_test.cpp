#include "designer_core.h"
#include "label_design.h"
#include "modal.h"
#include "piece_detail.h"
#include "piece_detail_dialog.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "temp_env.h"

#include <QAction>
#include <QBuffer>
#include <QDialogButtonBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QTest>
#include <QUiLoader>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class DesignerPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        loader.setFileName(QStringLiteral(MAILPIECE_DESIGNER_PLUGIN));
        auto* collection =
            qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
        ASSERT_NE(collection, nullptr) << loader.errorString().toStdString();
        for (QDesignerCustomWidgetInterface* widget : collection->customWidgets())
            plugins[widget->name()] = widget;
    }

    // A form file as Designer writes it, with `control`'s Design.
    static QByteArray formFile(const QString& className, const QWidget& control) {
        return QStringLiteral("<ui version=\"4.0\"><class>Form</class>"
                              "<widget class=\"QWidget\" name=\"Form\">"
                              "<widget class=\"%1\" name=\"designed\">"
                              "<property name=\"Design\"><string>%2</string></property>"
                              "</widget></widget></ui>")
            .arg(className, control.property("Design").toString().toHtmlEscaped())
            .toUtf8();
    }

    // The form loaded at run time through the plugin, as QUiLoader does it.
    static std::unique_ptr<QWidget> load(const QByteArray& form) {
        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(test::designerPluginDirectory());
        QBuffer buffer;
        buffer.setData(form);
        buffer.open(QIODevice::ReadOnly);
        std::unique_ptr<QWidget> widget(loader.load(&buffer));
        EXPECT_NE(widget, nullptr) << loader.errorString().toStdString();
        return widget;
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
    QPluginLoader loader;
    std::map<QString, QDesignerCustomWidgetInterface*> plugins;
};

} // namespace

TEST_F(DesignerPluginTest, OffersBothControlsWithANewControlsDesign) {
    ASSERT_EQ(plugins.size(), 2u);
    QDesignerCustomWidgetInterface* label = plugins.at("tav::TavLabel");
    QDesignerCustomWidgetInterface* mail = plugins.at("tav::TavMail");
    EXPECT_EQ(label->includeFile(), "mailpiece/tav_label.h");
    EXPECT_EQ(mail->includeFile(), "mailpiece/tav_mail.h");
    EXPECT_EQ(label->group(), "Mailpiece");
    EXPECT_FALSE(label->icon().isNull());
    EXPECT_TRUE(label->domXml().contains("<property name=\"Design\">"));
    EXPECT_TRUE(mail->domXml().contains("Size 10 - Envelope"));

    // Outside Designer (a form loaded at run time) the controls are as a program makes them.
    std::unique_ptr<QWidget> runTime(mail->createWidget(nullptr));
    auto* runTimeMail = qobject_cast<TavMail*>(runTime.get());
    ASSERT_NE(runTimeMail, nullptr);
    EXPECT_FALSE(runTimeMail->designMode());

    test::designerCore(); // Designer initialises every plugin it loads
    EXPECT_TRUE(label->isInitialized());
    EXPECT_TRUE(mail->isInitialized());
    std::unique_ptr<QWidget> designed(mail->createWidget(nullptr));
    auto* designedMail = qobject_cast<TavMail*>(designed.get());
    EXPECT_TRUE(designedMail->designMode());
    EXPECT_EQ(designedMail->PieceName(), "Size 10 - Envelope");
    EXPECT_THROW(designedMail->setDeliveryAddress_Text(std::make_shared<TavAddressCls>()),
                 TavError);
    std::unique_ptr<QWidget> designedLabel(label->createWidget(nullptr));
    EXPECT_EQ(qobject_cast<TavLabel*>(designedLabel.get())->PieceName(), "5264 - Shipping");
}

TEST_F(DesignerPluginTest, EditPieceOpensThePageAndAppliesItToTheControl) {
    QDesignerCustomWidgetInterface* plugin = plugins.at("tav::TavLabel");
    QExtensionManager& extensions = *test::designerCore().extensionManager();
    std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    auto& label = *qobject_cast<TavLabel*>(widget.get());

    auto* menu = qt_extension<QDesignerTaskMenuExtension*>(&extensions, widget.get());
    ASSERT_NE(menu, nullptr);
    QAction* edit = menu->preferredEditAction();
    ASSERT_EQ(menu->taskActions(), QList<QAction*>{edit});
    EXPECT_EQ(edit->text(), "Edit Piece...");
    QObject other; // only the controls get the menu
    EXPECT_EQ(qt_extension<QDesignerTaskMenuExtension*>(&extensions, &other), nullptr);

    QString chosen;
    const bool shown = test::whileModal<PieceDetailDialog>(
        [&] { edit->trigger(); },
        [&](PieceDetailDialog& dialog) {
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            QPushButton* apply = buttons->button(QDialogButtonBox::Apply);
            EXPECT_FALSE(apply->isEnabled());
            chosen = test::chooseLastPiece(dialog);
            EXPECT_TRUE(apply->isEnabled());
            QTest::mouseClick(apply, Qt::LeftButton);
            EXPECT_FALSE(apply->isEnabled());
            EXPECT_EQ(label.PieceName(), chosen);
            QTest::mouseClick(buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        });
    EXPECT_TRUE(shown);
    EXPECT_NE(chosen, "5264 - Shipping");
    EXPECT_EQ(label.PieceName(), chosen);
    EXPECT_EQ(label.SheetProperties()->PieceName(), chosen);
}

TEST_F(DesignerPluginTest, AFormFileBringsTheDesignBackAtRunTime) {
    TavLabel designed;
    designed.InitProperties();
    designed.setPieceName("Size 10 - Envelope");
    designed.itemProperties(2)->setTextControl("Ship <<City>> & \"more\"");
    designed.itemProperties(2)->font()->setBold(true);
    designed.BarCodeProperties()->setLeft1(0.625f);
    designed.setPrinterTop(-0.125f);

    std::unique_ptr<QWidget> form = load(formFile("tav::TavLabel", designed));
    ASSERT_NE(form, nullptr);
    auto* loaded = form->findChild<TavLabel*>("designed");
    ASSERT_NE(loaded, nullptr);
    test::expectSameDesign(designed, *loaded);
    EXPECT_FLOAT_EQ(loaded->PrinterTop(), -0.125f);

    TavMail envelope;
    envelope.InitProperties();
    envelope.setBarCode_Position(TavEnumCls::TavBottomCenter);
    envelope.setPrinterLeft(0.25f);
    form = load(formFile("tav::TavMail", envelope));
    auto* loadedMail = form->findChild<TavMail*>("designed");
    ASSERT_NE(loadedMail, nullptr);
    EXPECT_EQ(loadedMail->PieceName(), "Size 10 - Envelope");
    EXPECT_EQ(loadedMail->BarCode_Position(), TavEnumCls::TavBottomCenter);
    EXPECT_FLOAT_EQ(loadedMail->PrinterLeft(), 0.25f);
}
