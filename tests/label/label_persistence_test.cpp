#include "label_design.h"
#include "property_bag.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QMetaProperty>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// Labels that read the catalogue shipped with the library.
class LabelPersistenceTest : public ::testing::Test {
protected:
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
};

} // namespace

TEST_F(LabelPersistenceTest, ANewControlTakesTheShippingLabelAndSavesEveryRecordField) {
    TavLabel label;
    label.InitProperties();
    EXPECT_EQ(label.PieceName(), "5264 - Shipping");
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 2);
    EXPECT_EQ(label.SheetProperties()->NumDown(), 3);
    EXPECT_FLOAT_EQ(label.SheetProperties()->PieceHeight(), 3.3333f);
    EXPECT_EQ(label.CompanyName(), "Your Company Name Here");
    EXPECT_TRUE(messages.sink().texts.isEmpty());

    MemoryPropertyBag bag;
    label.WriteProperties(bag);
    const QStringList keys = bag.keys();
    // 17 sheet keys, 15 for each item, 13 for the bar code, and no plain key at its default.
    ASSERT_EQ(keys.size(), 17 + 7 * 15 + 13);
    EXPECT_EQ(keys.mid(0, 3),
              (QStringList{"SheetPropertiesPN", "SheetPropertiesHE", "SheetPropertiesML"}));
    EXPECT_EQ(keys.at(17), "Item1PropertiesAH");
    EXPECT_EQ(keys.at(22), "Item1PropertiesFO");
    EXPECT_EQ(keys.at(122), "BarCodePropertiesAH");
    EXPECT_EQ(keys.last(), "BarCodePropertiesWI");

    label.setCompanyName("Acme");
    label.setShowLeftBtns("1010101");
    label.WriteProperties(bag);
    EXPECT_EQ(bag.keys().size(), 17 + 7 * 15 + 13 + 2);
}

TEST_F(LabelPersistenceTest, AnIntelligentMailDesignComesBackAndOlderDesignsReadAsPostnet) {
    TavLabel designed;
    designed.InitProperties();
    designed.BarCodeProperties()->setSymbology(TavEnumCls::TavIntelligentMail);
    designed.BarCodeProperties()->setTrackingCode("00700123456000000041");
    MemoryPropertyBag bag;
    designed.WriteProperties(bag);
    EXPECT_EQ(bag.keys().size(), 17 + 7 * 15 + 13 + 2);
    EXPECT_EQ(bag.read("BarCodePropertiesSY").toInt(), 1);

    TavLabel loaded;
    loaded.ReadProperties(bag);
    test::expectSameDesign(designed, loaded);
    EXPECT_EQ(loaded.BarCodeProperties()->Symbology(), TavEnumCls::TavIntelligentMail);

    // A design from before: no keys, so POSTNET without a tracking code. A damaged key is
    // skipped like any other.
    bag.write("BarCodePropertiesSY", 0, 0); // at its default: no key
    bag.write("BarCodePropertiesTC", "not a code");
    TavLabel older;
    older.ReadProperties(bag);
    EXPECT_EQ(older.BarCodeProperties()->Symbology(), TavEnumCls::TavPostnet);
    EXPECT_TRUE(older.BarCodeProperties()->TrackingCode().isEmpty());
}

TEST_F(LabelPersistenceTest, SavedGeometryOverridesTheDefinitionAndFlagsComeBackAsSaved) {
    TavLabel designed;
    designed.InitProperties();
    MemoryPropertyBag bag;
    designed.WriteProperties(bag);
    bag.write("SheetPropertiesNA", 3);
    bag.write("ShowLeftBtns", "1010101");

    TavLabel loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.PieceName(), "5264 - Shipping");
    EXPECT_EQ(loaded.SheetProperties()->NumAcross(), 3);
    EXPECT_EQ(loaded.ShowLeftBtns(), "1010101");
}

TEST_F(LabelPersistenceTest, PicturesAndFontsTravelAndAbsentPicturesKeepTheTemplates) {
    TavLabel designed;
    designed.InitProperties();
    QImage logo(4, 2, QImage::Format_ARGB32);
    logo.fill(Qt::darkBlue);
    designed.BarCodeProperties()->Picture()->setImage(logo);
    designed.Item2Properties()->font()->setName("Liberation Serif");
    designed.Item2Properties()->font()->setItalic(true);
    MemoryPropertyBag bag;
    designed.WriteProperties(bag);

    TavLabel withPicture;
    withPicture.ReadProperties(bag);
    EXPECT_EQ(
        withPicture.BarCodeProperties()->Picture()->Image().convertToFormat(QImage::Format_ARGB32),
        logo);
    EXPECT_EQ(withPicture.Item2Properties()->font()->Name(), "Liberation Serif");
    EXPECT_TRUE(withPicture.Item2Properties()->font()->Italic());

    MemoryPropertyBag withoutPicture;
    for (const QString& key : bag.keys())
        if (key != QLatin1String("BarCodePropertiesPI"))
            withoutPicture.write(key, bag.read(key));
    TavLabel templated;
    templated.ReadProperties(withoutPicture);
    EXPECT_TRUE(templated.BarCodeProperties()->Picture()->isEmpty());
}

TEST_F(LabelPersistenceTest, ADesignSavedToAFileComesBackTheSame) {
    TavLabel designed;
    designed.InitProperties();
    designed.setPieceName("5160 - Address");
    designed.Item1Properties()->setTextControl("Dear <<Item1>>");
    designed.Item1Properties()->setBackColor(0x336699);
    designed.Item3Properties()->font()->setSize(11.5);
    designed.BarCodeProperties()->setValue("62701");
    designed.setPrinterTop(-0.125f);
    designed.setAppearance(TavEnumCls::TavShowSheet);

    JsonPropertyBag bag;
    designed.WriteProperties(bag);
    const QString path = temp.path() + "/design.json";
    bag.save(path);

    JsonPropertyBag loadedBag;
    loadedBag.load(path);
    TavLabel loaded;
    loaded.ReadProperties(loadedBag);
    test::expectSameDesign(designed, loaded);
    EXPECT_EQ(loaded.PrinterTop(), -0.125f);
    EXPECT_EQ(loaded.Appearance(), TavEnumCls::TavShowSheet);

    JsonPropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_EQ(again.toJson(), loadedBag.toJson()); // save, load, save: the same bytes
}
