#include "cfg_lib.h"
#include "piece_definition.h"
#include "qt_printers.h"
#include "recording_message_sink.h"
#include "tav_bar_code_cls.h"
#include "tav_error.h"
#include "tav_item_cls.h"
#include "tav_sheet_cls.h"
#include "temp_env.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// A catalogue of the test's own in a system directory of its own.
class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& item : items)
            item = std::make_shared<TavItemCls>();
    }

    void writeCatalog(const QByteArray& content) {
        QFile file(dir.filePath(QString::fromLatin1(CfgLib::CatalogFileName)));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(content);
    }

    QTemporaryDir dir;
    test::ScopedCatalog catalog{dir.path().toLocal8Bit()};
    test::ScopedRecordingSink messages;
    TavSheetCls sheet;
    eLabel::ItemRecords items;
    TavBarCodeCls barCode;
};

} // namespace

TEST_F(CatalogTest, RecordsGiveProductPaperTypeAndGeometry) {
    writeCatalog("[Details]\n"
                 "Name - Label=P,2.63x1,8.5x11,0.19x0.5,2.75x1,3x10,Letter,cont\n"
                 "Upper - X=P,2.63x1,8.5X11,0.19x0.5,2.75x1,3x10,Letter,CUT\n"
                 "Huge=P,2x1,8.5x11,0x0,2x1,40000x10,Letter,CUT\n");
    EXPECT_EQ(CfgLib::CatalogPaperType("Name - Label"), 2);
    EXPECT_EQ(CfgLib::CatalogPaperType("Upper - X"), 1);
    EXPECT_EQ(CfgLib::CatalogProduct("Name - Label"), "P");
    EXPECT_EQ(CfgLib::CatalogProduct("Nothing"), QString());

    sheet.setPieceName("Name - Label");
    CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), sheet);
    EXPECT_EQ(sheet.PieceWidth(), 2.63f);
    EXPECT_EQ(sheet.Height(), 11.0f);
    EXPECT_EQ(sheet.Marginleft(), 0.19f);
    EXPECT_EQ(sheet.PiecePitchAcross(), 2.75f);
    EXPECT_EQ(sheet.NumAcross(), 3);
    EXPECT_EQ(sheet.NumDown(), 10);

    sheet.setPieceName("Upper - X");
    CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), sheet);
    EXPECT_EQ(sheet.Width(), 0.0f);
    EXPECT_EQ(sheet.Height(), 0.0f);

    sheet.setPieceName("Huge");
    EXPECT_THROW(CfgLib::ApplySheetDefinition(CfgLib::CatalogPath(), sheet), TavError);
    EXPECT_EQ(sheet.PieceWidth(), 2.0f); // written before the count that overflowed
    EXPECT_TRUE(messages.sink().texts.isEmpty());
}

TEST_F(CatalogTest, AMissingCatalogueIsReportedAndReadsAsZeros) {
    sheet.setPieceName("5160 - Address");
    sheet.setWidth(8.5f);
    eLabel::ApplyPieceDefinition(sheet, items, barCode);
    EXPECT_EQ(messages.sink().texts, (QStringList{QString::fromLatin1(CfgLib::MissingMessage),
                                                  QString::fromLatin1(CfgLib::MissingMessage)}));
    EXPECT_EQ(sheet.PieceName(), "Size 10 - Envelope");
    EXPECT_EQ(sheet.Width(), 0.0f);
    EXPECT_EQ(sheet.NumAcross(), 0);
}

TEST_F(CatalogTest, OrientationFollowsTheUsedExtent) {
    sheet.setNumAcross(3);
    sheet.setNumDown(10);
    sheet.setPiecePitchAcross(2.75f);
    sheet.setPiecePitchDown(1.0f);
    sheet.setMarginleft(0.19f);
    sheet.setMarginTop(0.5f);
    sheet.setPieceWidth(2.63f);
    sheet.setPieceHeight(1.0f);
    eLabel::SetSheetOrientation(sheet); // 8.32 across, 10.5 down
    EXPECT_EQ(sheet.Orientation(), 1);
    sheet.setNumDown(1);
    sheet.setMarginTop(0);
    sheet.setPieceHeight(8.32f); // across equal to down
    eLabel::SetSheetOrientation(sheet);
    EXPECT_EQ(sheet.Orientation(), 1);
}

TEST_F(CatalogTest, DefaultItemLayoutByPieceSize) {
    sheet.setPieceHeight(4.125f);
    sheet.setPieceWidth(9.5f);
    eLabel::ApplyDefaultItemLayout(sheet, items, barCode);
    EXPECT_FLOAT_EQ(items[0]->Top(), 2.0625f);
    EXPECT_FLOAT_EQ(items[0]->Left1(), 4.75f);
    EXPECT_FLOAT_EQ(items[0]->Width(), 4.5f);
    EXPECT_FLOAT_EQ(items[0]->Height(), 1.26875f);
    EXPECT_FLOAT_EQ(barCode.Top(), 3.3675f);
    EXPECT_FLOAT_EQ(items[4]->Height(), 0.75f);
    EXPECT_TRUE(items[6]->Visible());
    EXPECT_TRUE(barCode.Visible());

    sheet.setPieceHeight(2.0f);
    sheet.setPieceWidth(4.0f);
    eLabel::ApplyDefaultItemLayout(sheet, items, barCode);
    EXPECT_FLOAT_EQ(items[0]->Top(), 1.0f);
    EXPECT_FLOAT_EQ(items[0]->Height(), 0.525f);
    EXPECT_FLOAT_EQ(barCode.Top(), 1.625f);
    EXPECT_FLOAT_EQ(items[4]->Height(), 0.65f);
    EXPECT_TRUE(items[2]->Visible());
    EXPECT_FALSE(items[3]->Visible());

    sheet.setPieceHeight(1.0f);
    eLabel::ApplyDefaultItemLayout(sheet, items, barCode);
    EXPECT_FLOAT_EQ(items[0]->Top(), 0.0f);
    EXPECT_FLOAT_EQ(items[0]->Height(), 1.0f);
    EXPECT_FLOAT_EQ(items[0]->Width(), 3.75f);
    EXPECT_FLOAT_EQ(items[4]->Height(), 0.1f);
    EXPECT_FALSE(items[1]->Visible());
    EXPECT_FALSE(barCode.Visible());

    const std::pair<float, int> bounds[] = {{3.0f, 7}, {1.95f, 3}, {1.9f, 1}};
    for (const auto& [height, visible] : bounds) {
        sheet.setPieceHeight(height);
        eLabel::ApplyDefaultItemLayout(sheet, items, barCode);
        EXPECT_EQ(
            std::count_if(items.begin(), items.end(), [](const auto& i) { return i->Visible(); }),
            visible)
            << height;
    }
}
