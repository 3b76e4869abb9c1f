#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_error.h"
#include "tav_label.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tav;

namespace {

class TavLabelTest : public ::testing::Test {
protected:
    test::ScopedTempDirectory temp;
    TavLabel label;

    void add(const QString& text, const QString& zip = {}) {
        label.setSubstituteText(text);
        label.BarCodeProperties()->setValue(zip);
        label.AddPiece();
    }
};

} // namespace

TEST_F(TavLabelTest, ReservesItsStoreInTempAndDeletesItWhenDestroyed) {
    QString path;
    {
        TavLabel other;
        path = other.pieceStoreFileName();
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith("qzp"));
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(temp.path()).absoluteFilePath());
        EXPECT_EQ(QFileInfo(path).size(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(TavLabelTest, SubstituteTextLosesSurroundingSpacesAndAnnouncesTheChange) {
    QSignalSpy changed(&label, &TavLabel::propertyChanged);
    label.setSubstituteText("  x  ");
    EXPECT_EQ(label.SubstituteText(), "x");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), "SubstituteText");
}

TEST_F(TavLabelTest, AddPieceStoresTextAndBarCodeAndMakesThePieceCurrent) {
    EXPECT_EQ(label.CurrentPiece(), 0);
    add("A");
    add("Item1^Robert \"Bob\" Jenkins|Item2^1 Main St|", "62701");
    add("C");
    EXPECT_EQ(label.pieceCount(), 3);
    EXPECT_EQ(label.CurrentPiece(), 3);

    const PieceRecord second = label.FindPiece(2);
    EXPECT_TRUE(second.found);
    EXPECT_EQ(second.substituteText, "Item1^Robert \"Bob\" Jenkins|Item2^1 Main St|");
    EXPECT_EQ(second.barCodeValue, "62701");
    EXPECT_EQ(second.carrierRoute, QString());
    EXPECT_FALSE(label.FindPiece(4).found);

    label.OpenPieceStoreForReading();
    EXPECT_EQ(label.ReadPieceRecord().substituteText, "A");
    label.ClosePieceStore();
}

TEST_F(TavLabelTest, CurrentPieceIsClampedToThePieces) {
    label.setCurrentPiece(3);
    EXPECT_EQ(label.CurrentPiece(), 0);
    for (int i = 0; i < 5; ++i)
        add("p");
    label.setCurrentPiece(0);
    EXPECT_EQ(label.CurrentPiece(), 1);
    label.setCurrentPiece(9);
    EXPECT_EQ(label.CurrentPiece(), 5);
    label.setCurrentPiece(-7);
    EXPECT_EQ(label.CurrentPiece(), 1);
}

TEST_F(TavLabelTest, StartsFromTheBuiltInLayout) {
    const auto sheet = label.SheetProperties();
    EXPECT_EQ(sheet->NumAcross(), 2);
    EXPECT_EQ(sheet->NumDown(), 4);
    EXPECT_EQ(sheet->PieceWidth(), 3.0f);
    EXPECT_EQ(sheet->PiecePitchAcross(), 3.25f);
    const float tops[] = {0.25f, 1.0f, 1.75f, 2.5f, 3.25f, 4.0f, 4.75f};
    for (int i = 1; i <= 7; ++i) {
        const auto item = label.itemProperties(i);
        EXPECT_EQ(item->TextControl(), QStringLiteral("<<Item%1>>").arg(i));
        EXPECT_EQ(item->Top(), tops[i - 1]);
        EXPECT_TRUE(item->Visible());
        EXPECT_FALSE(item->Enabled());
        EXPECT_EQ(item->AlignHorizontal(), TavEnumCls::vbCenter);
        EXPECT_EQ(item->font()->Name(), "Arial");
        EXPECT_DOUBLE_EQ(item->font()->Size(), 14.0 + 0.1 * i);
        EXPECT_EQ(item->font()->Weight(), 1);
    }
    EXPECT_NE(label.Item1Properties()->font(), label.Item2Properties()->font());
    const auto barCode = label.BarCodeProperties();
    EXPECT_FALSE(barCode->Visible());
    EXPECT_TRUE(barCode->AutoSize());
    EXPECT_EQ(barCode->Top(), 5.5f);
    EXPECT_EQ(barCode->Width(), 1.4375f);
}

TEST_F(TavLabelTest, RecordPropertiesAreTheLiveObjects) {
    label.SheetProperties()->setNumAcross(3);
    EXPECT_EQ(label.SheetProperties()->NumAcross(), 3);

    QSignalSpy changed(&label, &TavLabel::propertyChanged);
    auto mine = std::make_shared<TavItemCls>();
    label.setItem4Properties(mine);
    EXPECT_EQ(label.Item4Properties(), mine);
    mine->setTextControl("Dear <<Item1>>");
    EXPECT_EQ(label.itemProperties(4)->TextControl(), "Dear <<Item1>>");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toString(), "Item4Properties");
}

TEST_F(TavLabelTest, MissingRecordsAndBadItemNumbersAreClearErrors) {
    const auto expectError = [](qint32 number, const std::function<void()>& action) {
        try {
            action();
            FAIL() << "no error";
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), number);
            EXPECT_FALSE(error.source().isEmpty());
            EXPECT_FALSE(error.description().isEmpty());
        }
    };
    const auto sheet = label.SheetProperties();
    expectError(ErrorNumber::ObjectNotSet, [&] { label.setSheetProperties(nullptr); });
    expectError(ErrorNumber::ObjectNotSet, [&] { label.setItem7Properties(nullptr); });
    expectError(ErrorNumber::ObjectNotSet, [&] { label.setBarCodeProperties(nullptr); });
    expectError(ErrorNumber::SubscriptOutOfRange, [&] { label.itemProperties(0); });
    expectError(ErrorNumber::SubscriptOutOfRange,
                [&] { label.setItemProperties(8, std::make_shared<TavItemCls>()); });
    EXPECT_EQ(label.SheetProperties(), sheet);
    EXPECT_TRUE(label.Item7Properties());
}

TEST_F(TavLabelTest, AnUnusableTempDirectoryIsReportedWhenAPieceIsAdded) {
    qputenv("Temp", QFile::encodeName(temp.path() + "/missing"));
    TavLabel control; // still made: it can be shown and designed
    control.setSubstituteText("Item1^Ann|");
    try {
        control.AddPiece();
        FAIL() << "added a piece without a store";
    } catch (const TavError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathFileAccess);
        EXPECT_TRUE(error.description().contains(QLatin1String("missing")));
    }
    EXPECT_EQ(control.pieceCount(), 0);
    // Once the directory is there, the next piece is stored.
    ASSERT_TRUE(QDir().mkpath(temp.path() + "/missing"));
    control.AddPiece();
    EXPECT_EQ(control.pieceCount(), 1);
    EXPECT_TRUE(control.FindPiece(1).found);
}

TEST_F(TavLabelTest, ANewMailingStartsOnAnEmptyStoreAndKeepsTheDesign) {
    add("Item1^Ann|");
    add("Item1^Bob|");
    label.Item1Properties()->setTop(0.75f);
    const QString oldStore = label.pieceStoreFileName();
    QSignalSpy counts(&label, &TavLabel::pieceCountChanged);
    QSignalSpy pieces(&label, &TavLabel::currentPieceChanged);

    ASSERT_TRUE(QMetaObject::invokeMethod(&label, "NewMailing")); // reachable by name
    EXPECT_EQ(label.pieceCount(), 0);
    EXPECT_EQ(label.CurrentPiece(), 0);
    EXPECT_FALSE(label.FindPiece(1).found);
    EXPECT_FALSE(QFileInfo::exists(oldStore)); // the first mailing's addresses are gone
    EXPECT_NE(label.pieceStoreFileName(), oldStore);
    EXPECT_FLOAT_EQ(label.Item1Properties()->Top(), 0.75f);
    EXPECT_EQ(counts.count(), 1);
    EXPECT_EQ(pieces.count(), 1);

    add("Item1^Cy|");
    EXPECT_EQ(label.pieceCount(), 1);
    EXPECT_EQ(label.FindPiece(1).substituteText, "Item1^Cy|");
}

TEST_F(TavLabelTest, PieceTextsAreSetOneByOneAndOnlyNamesRefuseSeparators) {
    label.SetPieceText("Item1", "Ann Lee");
    label.SetPieceText("Zip", "62701");
    label.SetPieceText("Item1", "Bob Ray"); // replaced in place
    EXPECT_EQ(label.SubstituteText(), "Item1^Bob Ray|Zip^62701|");

    const auto refused = [&](const QString& name, const QString& value) {
        try {
            label.SetPieceText(name, value);
            ADD_FAILURE() << "took " << name.toStdString() << " = " << value.toStdString();
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument);
        }
    };
    refused("It|em", "x");
    refused("It^em", "x");
    refused(QString(), "x");
    EXPECT_EQ(label.SubstituteText(), "Item1^Bob Ray|Zip^62701|");
    label.AddPiece();
    EXPECT_EQ(label.FindPiece(1).substituteText, "Item1^Bob Ray|Zip^62701|");
}

TEST_F(TavLabelTest, HostsAreToldOfTheCurrentPieceThePieceCountAndThePieceName) {
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    const QMetaObject& meta = *label.metaObject();
    for (const char* name : {"CurrentPiece", "pieceCount", "PieceName"})
        EXPECT_TRUE(meta.property(meta.indexOfProperty(name)).hasNotifySignal()) << name;

    QSignalSpy pieces(&label, &TavLabel::currentPieceChanged);
    QSignalSpy counts(&label, &TavLabel::pieceCountChanged);
    QSignalSpy names(&label, &TavLabel::pieceNameChanged);
    add("Item1^A|");
    add("Item1^B|");
    label.setCurrentPiece(1);
    label.setCurrentPiece(1); // no change, no signal
    label.setPieceName("5160 - Address");
    EXPECT_EQ(counts.count(), 2);
    EXPECT_EQ(counts.last().at(0).toInt(), 2);
    ASSERT_EQ(pieces.count(), 3);
    EXPECT_EQ(pieces.last().at(0).toInt(), 1);
    ASSERT_EQ(names.count(), 1);
    EXPECT_EQ(names.last().at(0).toString(), "5160 - Address");
}

TEST_F(TavLabelTest, APieceNameTheCatalogueLacksIsReportedAndNotClaimed) {
    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedRecordingSink messages;
    label.setPieceName("No Such - Label");
    ASSERT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(messages.sink().texts.at(0).contains(QLatin1String("No Such - Label")));
    EXPECT_EQ(label.PieceName(), "Size 10 - Envelope");
    EXPECT_EQ(label.SheetProperties()->PieceName(), "Size 10 - Envelope");
    EXPECT_EQ(label.SheetProperties()->PieceWidth(), 9.5f);
    EXPECT_EQ(label.SheetProperties()->Orientation(), 2); // 9.5 across, 4.125 down
}
