#include "property_bag.h"
#include "qt_printers.h"
#include "tav_error.h"
#include "tav_font.h"
#include "tav_picture.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

TEST(MemoryPropertyBag, ValuesEqualToTheirDefaultAreLeftOutAndAbsentKeysReadAsTheDefault) {
    MemoryPropertyBag bag;
    bag.write(QStringLiteral("Refresh"), true, true);
    bag.write(QStringLiteral("PrinterTop"), 0.0f, 0); // a float equal to an int default
    bag.write(QStringLiteral("CompanyName"), QStringLiteral("Acme"), QStringLiteral("Your Co"));
    bag.write(QStringLiteral("SheetPropertiesNA"), 0); // no default: always written
    EXPECT_EQ(bag.keys(),
              (QStringList{QStringLiteral("CompanyName"), QStringLiteral("SheetPropertiesNA")}));
    EXPECT_EQ(bag.read(QStringLiteral("Refresh"), true).toBool(), true);
    EXPECT_FALSE(bag.read(QStringLiteral("Missing")).isValid());

    // Writing the default again removes an earlier value.
    bag.write(QStringLiteral("CompanyName"), QStringLiteral("Your Co"), QStringLiteral("Your Co"));
    EXPECT_FALSE(bag.contains(QStringLiteral("CompanyName")));
}

TEST(MemoryPropertyBag, KeepsTheOrderOfFirstWrites) {
    MemoryPropertyBag bag;
    for (const char* key : {"SheetPropertiesPN", "SheetPropertiesHE", "Item1PropertiesAH"})
        bag.write(QString::fromLatin1(key), 1);
    bag.write(QStringLiteral("SheetPropertiesPN"), 2);
    EXPECT_EQ(bag.keys().first(), QStringLiteral("SheetPropertiesPN"));
    EXPECT_EQ(bag.keys().last(), QStringLiteral("Item1PropertiesAH"));
}

TEST(JsonPropertyBag, RoundTripsFontsPicturesAndPlainValuesByteForByte) {
    TavFont font;
    font.setName(QStringLiteral("Liberation Serif"));
    font.setSize(14.3);
    font.setBold(true);
    font.setWeight(700);
    font.setCharset(2);
    TavPicture picture;
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::red);
    picture.setImage(image);

    JsonPropertyBag bag;
    bag.write(QStringLiteral("Item1PropertiesFO"), font.toVariant());
    bag.write(QStringLiteral("Item1PropertiesPI"), picture.toVariant());
    bag.write(QStringLiteral("BarCodePropertiesPI"), TavPicture().toVariant());
    bag.write(QStringLiteral("SheetPropertiesPN"), QStringLiteral("Size 10 – Envelope \"ü\""));
    bag.write(QStringLiteral("SheetPropertiesNA"), 3);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.json"));
    bag.save(path);
    JsonPropertyBag loaded;
    loaded.load(path);
    EXPECT_EQ(loaded.toJson(), bag.toJson());

    const auto font2 = TavFont::fromVariant(loaded.read(QStringLiteral("Item1PropertiesFO")));
    ASSERT_TRUE(font2);
    EXPECT_EQ(font2->Name(), font.Name());
    EXPECT_DOUBLE_EQ(font2->Size(), 14.3);
    EXPECT_TRUE(font2->Bold());
    EXPECT_EQ(font2->Weight(), 700);
    EXPECT_EQ(font2->Charset(), 2);
    const auto picture2 = TavPicture::fromVariant(loaded.read(QStringLiteral("Item1PropertiesPI")));
    ASSERT_TRUE(picture2);
    EXPECT_EQ(picture2->Image().convertToFormat(QImage::Format_ARGB32), image);
    const auto empty = TavPicture::fromVariant(loaded.read(QStringLiteral("BarCodePropertiesPI")));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_EQ(loaded.read(QStringLiteral("SheetPropertiesNA")).toInt(), 3);
    EXPECT_EQ(loaded.read(QStringLiteral("SheetPropertiesPN")).toString(),
              QStringLiteral("Size 10 – Envelope \"ü\""));

    // Values that are no serialised objects give no object.
    EXPECT_FALSE(TavFont::fromVariant(QStringLiteral("Arial")));
    EXPECT_FALSE(TavPicture::fromVariant(3));
}

TEST(JsonPropertyBag, ABadFileRaisesAClearErrorAndChangesNothing) {
    JsonPropertyBag bag;
    bag.write(QStringLiteral("Refresh"), false);
    for (const QByteArray& text :
         {QByteArray("[1,2]"), QByteArray("{\"a\":"), QByteArray("\xff")}) {
        try {
            bag.fromJson(text);
            FAIL() << "accepted " << text.constData();
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
            EXPECT_TRUE(error.description().contains(QStringLiteral("not a property bag")));
        }
        EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("Refresh")});
    }
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.json"));
    try {
        bag.load(missing);
        FAIL() << "loaded a missing file";
    } catch (const TavError& error) {
        EXPECT_TRUE(error.description().contains(missing));
    }
    EXPECT_THROW(bag.save(dir.filePath(QStringLiteral("no/such/dir/bag.json"))), TavError);
}
