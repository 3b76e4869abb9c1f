#include "qt_printers.h"
#include "raised_error.h"
#include "tav_bar_code_cls.h"
#include "tav_enum_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"

#include <QMetaEnum>
#include <QMetaProperty>

#include <gtest/gtest.h>

#include <functional>

using namespace tav;

namespace {

void expectLibraryError(const std::function<void()>& action, const char* source) {
    const auto error = test::raisedError([&] { action(); });
    ASSERT_TRUE(error) << "no error from " << source;
    EXPECT_EQ(static_cast<quint32>(error->number()), 0x8004270Fu);
    EXPECT_EQ(error->source(), QString::fromLatin1(source));
}

// Every property a record declares reads the same on its copy; objects (fonts, pictures) are
// compared by the tests themselves.
void expectSameValues(const QObject& copy, const QObject& original) {
    const QMetaObject* meta = original.metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.metaType().flags().testFlag(QMetaType::IsPointer) ||
            QByteArray(property.typeName()).startsWith("std::shared_ptr"))
            continue;
        EXPECT_EQ(property.read(&copy), property.read(&original)) << property.name();
    }
}

} // namespace

TEST(TavSheetCls, IsZeroUntilSetStoresAnythingAndCopiesIndependently) {
    TavSheetCls sheet;
    EXPECT_EQ(sheet.NumAcross(), 0);
    EXPECT_EQ(sheet.PieceHeight(), 0.0f);
    EXPECT_EQ(sheet.PieceName(), QString());

    sheet.setNumAcross(0);
    sheet.setStartingPiece(-5);
    sheet.setMarginTop(0.5f);
    sheet.setPieceName("5160 - Address");
    sheet.setPrintTo(70000);
    EXPECT_EQ(sheet.StartingPiece(), -5);

    const auto copy = sheet.Copy();
    expectSameValues(*copy, sheet);
    copy->setMarginTop(2.0f);
    copy->setPieceName("other");
    EXPECT_EQ(sheet.MarginTop(), 0.5f);
    EXPECT_EQ(sheet.PieceName(), "5160 - Address");
}

TEST(TavItemCls, StartsWithItsOwnObjects) {
    TavItemCls item;
    ASSERT_TRUE(item.font());
    ASSERT_TRUE(item.Picture());
    EXPECT_NE(TavItemCls().font(), item.font());
}

TEST(TavItemCls, CopyCopiesValuesAndFontAttributesButSharesThePicture) {
    TavItemCls item;
    item.setTextControl("<<Item1>>");
    item.setTextSubstitute("Item1^Ann|");
    item.setTop(1.25f);
    item.setVisible(true);
    item.setBorderStyle(TavEnumCls::FixedSingle);
    item.setAlignHorizontal(TavEnumCls::vbCenter);
    item.font()->setName("Liberation Serif");
    item.font()->setSize(14.5);
    item.font()->setItalic(true);
    item.font()->setWeight(700);
    item.font()->setCharset(2);

    const auto copy = item.Copy();
    expectSameValues(*copy, item);
    EXPECT_EQ(copy->font()->Name(), "Liberation Serif");
    EXPECT_EQ(copy->font()->Size(), 14.5);
    EXPECT_TRUE(copy->font()->Italic());
    EXPECT_EQ(copy->font()->Weight(), 700);
    EXPECT_EQ(copy->font()->Charset(), TavFont().Charset()); // the character set is not copied

    EXPECT_NE(copy->font(), item.font());
    copy->font()->setSize(20);
    copy->setTop(3.0f);
    EXPECT_EQ(item.font()->Size(), 14.5);
    EXPECT_EQ(item.Top(), 1.25f);

    EXPECT_EQ(copy->Picture(), item.Picture());
    copy->Picture()->setImage(QImage(2, 2, QImage::Format_RGB32));
    EXPECT_FALSE(item.Picture()->isEmpty());
}

TEST(TavBarCodeCls, KeepsValuesVerbatimAndCopySharesThePicture) {
    TavBarCodeCls barCode;
    barCode.setValue(" 62701-12 34 x ");
    barCode.setLeft1(99.0f);
    barCode.setAutoSize(true);
    barCode.setBorderStyle(1);
    EXPECT_EQ(barCode.Value(), " 62701-12 34 x ");
    const auto copy = barCode.Copy();
    expectSameValues(*copy, barCode);
    EXPECT_EQ(copy->Picture(), barCode.Picture());
    copy->setValue("12345");
    EXPECT_EQ(barCode.Value(), " 62701-12 34 x ");
}

TEST(TavBarCodeCls, SymbologyAndTrackingCodeAreCheckedWhenSetAndCopied) {
    TavBarCodeCls barCode;
    EXPECT_EQ(barCode.Symbology(), TavEnumCls::TavPostnet);
    EXPECT_TRUE(barCode.TrackingCode().isEmpty());
    barCode.setSymbology(TavEnumCls::TavIntelligentMail);
    barCode.setTrackingCode("00700123456000000041");

    const auto refused = [](const std::function<void()>& set, const char* field) {
        const auto error = test::raisedError([&] { set(); });
        EXPECT_TRUE(error) << field << " was taken";
        if (error) {
            EXPECT_EQ(error->number(), ErrorNumber::InvalidPropertyValue);
            EXPECT_TRUE(error->description().contains(QLatin1String(field)))
                << error->description().toStdString();
        }
    };
    refused([&] { barCode.setSymbology(static_cast<TavSymbology>(5)); }, "Symbology");
    refused([&] { barCode.setTrackingCode("0070012345600000004"); }, "TrackingCode");
    refused([&] { barCode.setTrackingCode("0070012345600000004 "); }, "TrackingCode");
    refused([&] { barCode.setTrackingCode("09700123456000000041"); }, "second digit");
    EXPECT_EQ(barCode.Symbology(), TavEnumCls::TavIntelligentMail);
    EXPECT_EQ(barCode.TrackingCode(), "00700123456000000041");

    const auto copy = barCode.Copy();
    expectSameValues(*copy, barCode);
    copy->setTrackingCode(QString()); // empty is allowed: no code yet
    EXPECT_FALSE(barCode.TrackingCode().isEmpty());
}

TEST(Records, ANullFontOrPictureIsRefusedWithTheLibraryErrorAndTheFieldKept) {
    TavItemCls item;
    const auto font = item.font();
    const auto picture = item.Picture();
    expectLibraryError([&] { item.setfont(nullptr); }, "TavItemCls:Font Property Set");
    expectLibraryError([&] { item.setPicture(nullptr); }, "TavItemCls:Picture Property Set");
    EXPECT_EQ(item.font(), font);
    EXPECT_EQ(item.Picture(), picture);

    TavBarCodeCls barCode;
    expectLibraryError([&] { barCode.setPicture(nullptr); }, "TavBarCodeCls:Picture Property Set");
    EXPECT_TRUE(barCode.Picture());

    // Setting an object shares the caller's.
    auto shared = std::make_shared<TavFont>();
    item.setfont(shared);
    shared->setSize(33);
    EXPECT_EQ(item.font()->Size(), 33);
}

TEST(TavEnumCls, EnumerationsCarryTheirPublishedValues) {
    const auto valueOf = [](const char* enumeration, const char* key) {
        const QMetaObject& meta = TavEnumCls::staticMetaObject;
        return meta.enumerator(meta.indexOfEnumerator(enumeration)).keyToValue(key);
    };
    EXPECT_EQ(valueOf("TavAppearance", "TavShowBoth"), 2);
    EXPECT_EQ(valueOf("TavAlignmentHorizontal", "vbCenter"), 2);
    EXPECT_EQ(valueOf("TavAlignmentVertical", "vbBottom"), 2);
    EXPECT_EQ(valueOf("TavBorderStyle", "FixedSingle"), 1);
    EXPECT_EQ(valueOf("TavBarCodePosition", "TavUserDefined"), 3);
    EXPECT_EQ(valueOf("BrixBackStyle", "bsOpaque"), 1);
    EXPECT_EQ(valueOf("Shapes", "moSquare"), 2);
    EXPECT_EQ(valueOf("BorderStyles", "moInsideSolid"), 6);
    EXPECT_EQ(valueOf("Justification", "mocenter"), 6);
    EXPECT_EQ(valueOf("BackStyles", "moOpaque"), 2);
}
