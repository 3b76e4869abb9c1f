#include "property_bag.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "tav_error.h"
#include "tav_font.h"
#include "tav_picture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

TEST(MemoryPropertyBag, ValuesEqualToTheirDefaultAreLeftOutAndAbsentKeysReadAsTheDefault) {
    MemoryPropertyBag bag;
    bag.write("Refresh", true, true);
    bag.write("PrinterTop", 0.0f, 0); // a float equal to an int default
    bag.write("CompanyName", "Acme", "Your Co");
    bag.write("SheetPropertiesNA", 0); // no default: always written
    EXPECT_EQ(bag.keys(), (QStringList{"CompanyName", "SheetPropertiesNA"}));
    EXPECT_EQ(bag.read("Refresh", true).toBool(), true);
    EXPECT_FALSE(bag.read("Missing").isValid());

    // Writing the default again removes an earlier value.
    bag.write("CompanyName", "Your Co", "Your Co");
    EXPECT_FALSE(bag.contains("CompanyName"));
}

TEST(MemoryPropertyBag, KeepsTheOrderOfFirstWrites) {
    MemoryPropertyBag bag;
    for (const char* key : {"SheetPropertiesPN", "SheetPropertiesHE", "Item1PropertiesAH"})
        bag.write(QString::fromLatin1(key), 1);
    bag.write("SheetPropertiesPN", 2);
    EXPECT_EQ(bag.keys().first(), "SheetPropertiesPN");
    EXPECT_EQ(bag.keys().last(), "Item1PropertiesAH");
}

TEST(JsonPropertyBag, RoundTripsFontsPicturesAndPlainValuesByteForByte) {
    TavFont font;
    font.setName("Liberation Serif");
    font.setSize(14.3);
    font.setBold(true);
    font.setWeight(700);
    font.setCharset(2);
    TavPicture picture;
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::red);
    picture.setImage(image);

    JsonPropertyBag bag;
    bag.write("Item1PropertiesFO", font.toVariant());
    bag.write("Item1PropertiesPI", picture.toVariant());
    bag.write("BarCodePropertiesPI", TavPicture().toVariant());
    bag.write("SheetPropertiesPN", "Size 10 – Envelope \"ü\"");
    bag.write("SheetPropertiesNA", 3);

    QTemporaryDir dir;
    const QString path = dir.filePath("bag.json");
    bag.save(path);
    JsonPropertyBag loaded;
    loaded.load(path);
    EXPECT_EQ(loaded.toJson(), bag.toJson());

    const auto font2 = TavFont::fromVariant(loaded.read("Item1PropertiesFO"));
    ASSERT_TRUE(font2);
    EXPECT_EQ(font2->Name(), font.Name());
    EXPECT_DOUBLE_EQ(font2->Size(), 14.3);
    EXPECT_TRUE(font2->Bold());
    EXPECT_EQ(font2->Weight(), 700);
    EXPECT_EQ(font2->Charset(), 2);
    const auto picture2 = TavPicture::fromVariant(loaded.read("Item1PropertiesPI"));
    ASSERT_TRUE(picture2);
    EXPECT_EQ(picture2->Image().convertToFormat(QImage::Format_ARGB32), image);
    const auto empty = TavPicture::fromVariant(loaded.read("BarCodePropertiesPI"));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_EQ(loaded.read("SheetPropertiesNA").toInt(), 3);
    EXPECT_EQ(loaded.read("SheetPropertiesPN").toString(), "Size 10 – Envelope \"ü\"");

    // Values that are no serialised objects give no object.
    EXPECT_FALSE(TavFont::fromVariant("Arial"));
    EXPECT_FALSE(TavPicture::fromVariant(3));
}

TEST(JsonPropertyBag, ABadFileRaisesAClearErrorAndChangesNothing) {
    JsonPropertyBag bag;
    bag.write("Refresh", false);
    for (const QByteArray& text :
         {QByteArray("[1,2]"), QByteArray("{\"a\":"), QByteArray("\xff")}) {
        const auto error = test::raisedError([&] { bag.fromJson(text); });
        ASSERT_TRUE(error) << "accepted " << text.constData();
        EXPECT_EQ(error->number(), ErrorNumber::PathFileAccess);
        EXPECT_TRUE(error->description().contains("not a property bag"));
        EXPECT_EQ(bag.keys(), QStringList{"Refresh"});
    }
    QTemporaryDir dir;
    const QString missing = dir.filePath("missing.json");
    const auto error = test::raisedError([&] { bag.load(missing); });
    ASSERT_TRUE(error) << "loaded a missing file";
    EXPECT_TRUE(error->description().contains(missing));
    EXPECT_THROW(bag.save(dir.filePath("no/such/dir/bag.json")), TavError);
}
