#include "bar_code_placement.h"
#include "intelligent_mail.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "property_bag.h"
#include "qt_printers.h"
#include "raised_error.h"
#include "recording_message_sink.h"
#include "recording_printer.h"
#include "str_lib.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_mail.h"
#include "temp_env.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace tav;

namespace {

// Envelopes that read the catalogue shipped with the library.
class TavMailTest : public ::testing::Test {
protected:
    static void setAddress(TavAddressCls& address, const QString& first, const QString& zip) {
        address.setFirst(first);
        address.setLast("Rivera");
        address.setAddress("12 Elm St");
        address.setCity("Springfield");
        address.setState("IL");
        address.setZip(zip);
    }

    test::ScopedCatalog catalog{MAILPIECE_DATA_DIR};
    test::ScopedTempDirectory temp;
    test::ScopedRecordingSink messages;
};

} // namespace

TEST_F(TavMailTest, AddPieceAppendsTheAddressPairsAndTheZipAsBarCode) {
    TavMail mail;
    mail.setRefresh(false);
    TavAddressCls& address = *mail.DeliveryAddress_Text();
    setAddress(address, "Ann", "62701");
    address.setHeader1("Attn");
    mail.AddPiece();

    const PieceRecord first = mail.TavLabel1().FindPiece(1);
    const QString pairs =
        QStringLiteral("Header1^Attn|Header2^|First^Ann|Middle^|Last^Rivera|Address^12 Elm St|"
                       "AddressLine2^|City^Springfield|State^IL|Zip^62701|Footer1^|Footer2^|"
                       "DeliveryAddress^") +
        printedLines(address).join("\r\n");
    EXPECT_EQ(first.substituteText, pairs);
    EXPECT_EQ(first.barCodeValue, "62701");
    EXPECT_EQ(mail.SubstituteText(), pairs); // it stays after the call

    // Without resetting SubstituteText, the second piece carries the first's pairs first.
    setAddress(address, "Bo", QString());
    mail.AddPiece();
    const PieceRecord second = mail.TavLabel1().FindPiece(2);
    EXPECT_TRUE(second.substituteText.startsWith(pairs + "|Header1^Attn|"));
    EXPECT_TRUE(second.substituteText.contains("|First^Bo|"));
    EXPECT_EQ(second.barCodeValue, QString()); // no ZIP, no bars

    // A host that empties SubstituteText first gets only the new pairs.
    mail.setSubstituteText(QString());
    mail.AddPiece();
    EXPECT_TRUE(
        mail.TavLabel1().FindPiece(3).substituteText.startsWith("Header1^Attn|Header2^|First^Bo|"));

    // Any field is data: a separator, a cell's line break, blanks around it.
    mail.setSubstituteText(QString());
    address.setAddress("12 Elm St\n Building C ");
    address.setAddressLine2("Apt 3|B ^2");
    mail.AddPiece();
    const QString added = mail.TavLabel1().FindPiece(4).substituteText;
    const auto shown = [&](const char* name) {
        return StrLib::SubstituteTokens(QStringLiteral("<<%1>>").arg(QLatin1String(name)), added,
                                        "^", "|");
    };
    EXPECT_EQ(shown("AddressLine2"), "Apt 3|B ^2");
    EXPECT_EQ(shown("DeliveryAddress"), QStringLiteral("Attn\r\nBo Rivera\r\n12 Elm St\r\n"
                                                       "Building C\r\nApt 3|B ^2\r\n"
                                                       "Springfield, IL"));
}

TEST_F(TavMailTest, BarCodePlacementFollowsThePositionAndKeepsTheBoxOnThePiece) {
    TavSheetCls sheet;
    sheet.setPieceWidth(9.5f);
    sheet.setPieceHeight(4.125f);
    TavItemCls address;
    address.setLeft1(4.0f);
    address.setTop(1.0f);
    address.setHeight(0.75f);
    TavBarCodeCls barCode;
    barCode.setWidth(3.0f);
    barCode.setHeight(0.25f);
    barCode.setLeft1(1.5f);
    barCode.setTop(2.0f);

    // Each position: where the box goes on a 9.5 x 4.125 in piece (an unknown one: below).
    const struct {
        qint32 position;
        float left;
        float top;
    } places[] = {
        {TavEnumCls::TavBelowAddress, 4.0f, 1.775f}, {42, 4.0f, 1.775f},
        {TavEnumCls::TavAboveAddress, 4.0f, 0.725f}, {TavEnumCls::TavBottomCenter, 3.25f, 3.85f},
        {TavEnumCls::TavUserDefined, 1.5f, 2.0f},
    };
    for (const auto& place : places) {
        const BarCodeSpot spot = PlaceBarCode(place.position, barCode, address, sheet);
        EXPECT_FLOAT_EQ(spot.left, place.left) << place.position;
        EXPECT_FLOAT_EQ(spot.top, place.top) << place.position;
    }

    // The edge rules, also for the record's own place.
    barCode.setLeft1(7.0f);
    EXPECT_FLOAT_EQ(PlaceBarCode(TavEnumCls::TavUserDefined, barCode, address, sheet).left, 6.475f);
    barCode.setLeft1(-0.5f);
    barCode.setTop(-1.0f);
    const BarCodeSpot spot = PlaceBarCode(TavEnumCls::TavUserDefined, barCode, address, sheet);
    EXPECT_FLOAT_EQ(spot.left, 0.025f);
    EXPECT_FLOAT_EQ(spot.top, 0.025f);
    // Only the top edge is compared: a box hanging below the piece stays.
    barCode.setTop(4.0f);
    EXPECT_FLOAT_EQ(PlaceBarCode(TavEnumCls::TavUserDefined, barCode, address, sheet).top, 4.0f);
    barCode.setTop(4.5f);
    EXPECT_FLOAT_EQ(PlaceBarCode(TavEnumCls::TavUserDefined, barCode, address, sheet).top, 3.85f);
    address.setTop(3.5f); // below an address near the bottom: the top lies past the piece
    EXPECT_FLOAT_EQ(PlaceBarCode(TavEnumCls::TavBelowAddress, barCode, address, sheet).top, 3.85f);
}

TEST_F(TavMailTest, AnIntelligentMailBarcodeAtTheBottomStandsInTheClearZone) {
    TavMail mail;
    mail.InitProperties(); // a No. 10 envelope
    mail.setRefresh(false);
    TavBarCodeCls& barCode = *mail.BarCodeProperties();
    barCode.setVisible(true);
    barCode.setWidth(3.0f);
    barCode.setHeight(0.2f);
    mail.setBarCode_Position(TavEnumCls::TavBottomCenter);
    // Chosen after the position: the next envelope places it anew.
    barCode.setSymbology(TavEnumCls::TavIntelligentMail);
    barCode.setTrackingCode("00700123456000000041");
    setAddress(*mail.DeliveryAddress_Text(), "Ann", "62701-1234");
    mail.AddPiece();

    const TavSheetCls& sheet = *mail.SheetProperties();
    const float fromRight = sheet.PieceWidth() - barCode.Left1();
    const float fromBottom = sheet.PieceHeight() - barCode.Top();
    // The leftmost bar 3-1/2 to 4-1/4 in from the right edge, the bars inside the bottom 5/8 in.
    EXPECT_GE(fromRight, 3.5f);
    EXPECT_LE(fromRight, 4.25f);
    EXPECT_LE(fromBottom, 0.625f);
    EXPECT_GE(fromBottom - IntelligentMail::FullBarHeight / 1440.0f, 0.0f);

    // On a piece too small for the zone it stays on the piece.
    TavSheetCls small;
    small.setPieceWidth(3.5f);
    small.setPieceHeight(2.0f);
    const BarCodeSpot spot =
        PlaceBarCode(TavEnumCls::TavBottomCenter, barCode, *mail.DeliveryAddress(), small);
    EXPECT_GE(spot.left, 0.0f);
    EXPECT_GE(spot.top, 0.0f);
    EXPECT_LT(spot.top, 2.0f);
    // POSTNET keeps its centred place.
    barCode.setSymbology(TavEnumCls::TavPostnet);
    EXPECT_FLOAT_EQ(
        PlaceBarCode(TavEnumCls::TavBottomCenter, barCode, *mail.DeliveryAddress(), sheet).left,
        (sheet.PieceWidth() - 3.0f) / 2);
}

TEST_F(TavMailTest, TheBarCodeMovesOnlyWhenThePieceOrThePositionIsSet) {
    TavMail mail;
    mail.InitProperties();
    EXPECT_EQ(mail.PieceName(), "Size 10 - Envelope");
    TavItemCls& address = *mail.DeliveryAddress();
    TavBarCodeCls& barCode = *mail.BarCodeProperties();
    EXPECT_FLOAT_EQ(barCode.Left1(), address.Left1());
    EXPECT_FLOAT_EQ(barCode.Top(), address.Top() + address.Height() + 0.025f);

    address.setTop(0.5f); // not followed until the next placement
    const float before = barCode.Top();
    EXPECT_FLOAT_EQ(barCode.Top(), before);
    QSignalSpy changes(&mail, &TavMail::propertyChanged);
    mail.setBarCode_Position(TavEnumCls::TavAboveAddress);
    EXPECT_FLOAT_EQ(barCode.Top(), 0.5f - (barCode.Height() + 0.025f));
    EXPECT_EQ(changes.last().at(0).toString(), "BarCode_Position");

    mail.setBarCode_Position(TavEnumCls::TavBottomCenter);
    mail.setPieceName("Size 10 - Envelope"); // re-applies, then places
    EXPECT_FLOAT_EQ(barCode.Left1(), (9.5f - barCode.Width()) * 0.5f);
}

TEST_F(TavMailTest, RolesAreTheInnerLabelsLiveItemRecords) {
    TavMail mail;
    TavLabel& label = mail.TavLabel1();
    EXPECT_EQ(label.objectName(), "TavLabel1");
    EXPECT_EQ(mail.DeliveryAddress()->TextControl(), "<<DeliveryAddress>>");
    const char* const roles[] = {"DeliveryAddress", "ReturnAddress", "Message1", "Message2",
                                 "Stamp",           "Message3",      "Message4"};
    for (int i = 0; i < 7; ++i) {
        const auto role = mail.property(roles[i]).value<std::shared_ptr<TavItemCls>>();
        EXPECT_EQ(role, label.itemProperties(i + 1)) << roles[i];
    }
    EXPECT_EQ(mail.BarCodeProperties(), label.BarCodeProperties());
    EXPECT_EQ(mail.SheetProperties(), label.SheetProperties());

    QSignalSpy changes(&mail, &TavMail::propertyChanged);
    const auto stamp = std::make_shared<TavItemCls>();
    mail.setStamp(stamp);
    EXPECT_EQ(label.Item5Properties(), stamp);
    mail.setPrinterTop(0.25f);
    EXPECT_FLOAT_EQ(label.PrinterTop(), 0.25f);
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes.at(0).at(0).toString(), "Stamp");
    EXPECT_EQ(changes.at(1).at(0).toString(), "PrinterTop");

    mail.show();
    mail.resize(700, 400);
    EXPECT_EQ(label.geometry(), QRect(0, 0, 700, 400));
}

TEST_F(TavMailTest, TheAddressCannotBeReplacedInDesignModeAndIsRemadeAfterNull) {
    TavMail mail;
    const std::shared_ptr<TavAddressCls> original = mail.DeliveryAddress_Text();
    mail.setDesignMode(true);
    const auto error =
        test::raisedError([&] { mail.setDeliveryAddress_Text(std::make_shared<TavAddressCls>()); });
    EXPECT_TRUE(error) << "no error in design mode";
    if (error) {
        EXPECT_EQ(error->number(), 387);
    }
    EXPECT_EQ(mail.DeliveryAddress_Text(), original);

    mail.setDesignMode(false);
    mail.setDeliveryAddress_Text(nullptr);
    const std::shared_ptr<TavAddressCls> fresh = mail.DeliveryAddress_Text();
    ASSERT_NE(fresh, nullptr);
    EXPECT_NE(fresh, original);
    EXPECT_EQ(fresh->CurrentText(), QString());
    mail.setRefresh(false);
    mail.setDeliveryAddress_Text(nullptr);
    mail.AddPiece(); // makes its own empty record
    EXPECT_TRUE(
        mail.TavLabel1().FindPiece(1).substituteText.startsWith("Header1^|Header2^|First^|"));
}

TEST_F(TavMailTest, TheSavedDesignKeepsSettingsButNotTheItemLayout) {
    TavMail mail;
    mail.InitProperties();
    mail.setPrinterLeft(-0.125f);
    mail.setShowCenter("10");
    mail.setBarCode_Position(TavEnumCls::TavBottomCenter);
    MemoryPropertyBag bag;
    mail.WriteProperties(bag);
    const QStringList keys = bag.keys();
    EXPECT_EQ(keys.first(), "Appearance");
    EXPECT_EQ(keys.last(), "BarCode_Position");
    EXPECT_TRUE(keys.contains("StampTO")); // items under their role names
    EXPECT_EQ(bag.read("PieceName").toString(), "Size 10 - Envelope");

    TavMail loaded;
    loaded.DeliveryAddress()->setTop(0.1f);
    loaded.BarCodeProperties()->setLeft1(0.3f);
    loaded.ReadProperties(bag);
    // The layout is the definition's; reading the properties does not place the bar code...
    EXPECT_FLOAT_EQ(loaded.DeliveryAddress()->Top(), mail.DeliveryAddress()->Top());
    EXPECT_NE(loaded.BarCodeProperties()->Left1(), mail.BarCodeProperties()->Left1());
    // ...but a design loaded whole places it by its position, so that its bars print whole.
    loaded.setDesign(mail.Design());
    EXPECT_EQ(loaded.PieceName(), "Size 10 - Envelope");
    EXPECT_FLOAT_EQ(loaded.PrinterLeft(), -0.125f);
    EXPECT_EQ(loaded.ShowCenter(), mail.ShowCenter());
    EXPECT_EQ(loaded.BarCode_Position(), TavEnumCls::TavBottomCenter);
    EXPECT_FLOAT_EQ(loaded.BarCodeProperties()->Left1(), mail.BarCodeProperties()->Left1());
    EXPECT_FLOAT_EQ(loaded.BarCodeProperties()->Width(), mail.BarCodeProperties()->Width());

    loaded.setDesign("{not json");
    ASSERT_EQ(messages.sink().texts.size(), 1);
    EXPECT_TRUE(messages.sink().texts[0].contains("TavMail"));
    EXPECT_FLOAT_EQ(loaded.PrinterLeft(), -0.125f);

    // An offset that is not a number keeps its default; the rest of the design still loads.
    loaded.setDesign(mail.Design().replace("-0.125", "\"nan\""));
    EXPECT_EQ(messages.sink().texts.size(), 1);
    EXPECT_FLOAT_EQ(loaded.PrinterLeft(), 0.0f);
    EXPECT_EQ(loaded.BarCode_Position(), TavEnumCls::TavBottomCenter);
}

TEST_F(TavMailTest, EnvelopesPrintOneJobEachWithTheAddressAndBarsBelowIt) {
    TavMail mail;
    mail.InitProperties();
    mail.setRefresh(false);
    for (int i = 1; i <= 3; ++i) {
        mail.setSubstituteText(QString());
        setAddress(*mail.DeliveryAddress_Text(), QStringLiteral("Ann%1").arg(i), "62701");
        mail.AddPiece();
    }
    const QString path = temp.path() + "/envelopes.pdf";
    auto pdf = PdfPrinter::singleDocument(path);
    const auto previous = setCurrentPrinter(pdf);
    mail.PrintAll();
    pdf->finish();
    setCurrentPrinter(previous);

    ASSERT_EQ(test::pdfPageCount(path), 3);
    const TavItemCls& address = *mail.DeliveryAddress();
    int found = 0;
    for (const test::PdfWord& word : test::pdfWords(path)) {
        if (!word.text.startsWith("Ann"))
            continue;
        EXPECT_EQ(word.text, QStringLiteral("Ann%1").arg(word.page));
        EXPECT_GE(word.box.left(), address.Left1() * 72 - 0.5);
        EXPECT_GE(word.box.top(), address.Top() * 72 - 0.5);
        ++found;
    }
    EXPECT_EQ(found, 3);

    // The bars: dark pixels in the bar code's box, none between the box and the address's left.
    const QImage page = test::pdfPageImage(path, 1, 72);
    ASSERT_FALSE(page.isNull());
    const TavBarCodeCls& barCode = *mail.BarCodeProperties();
    int dark = 0;
    for (int y = int(barCode.Top() * 72); y < int((barCode.Top() + barCode.Height()) * 72); ++y)
        for (int x = int(barCode.Left1() * 72); x < int((barCode.Left1() + 1.4) * 72); ++x)
            dark += qGray(page.pixel(x, y)) < 100;
    EXPECT_GT(dark, 50);
}

TEST_F(TavMailTest, AnEnvelopeJobIsPrintedOnEnvelopePaper) {
    TavMail mail;
    mail.InitProperties();
    mail.setRefresh(false);
    mail.AddPiece();
    auto printer = std::make_shared<RecordingPrinter>();
    const auto previous = setCurrentPrinter(printer);
    mail.PrintSheet();
    mail.PrintTest();
    setCurrentPrinter(previous);
    ASSERT_EQ(printer->jobs().size(), 2u);
    const PrintedPage& envelope = printer->jobs()[0];
    ASSERT_TRUE(envelope.paper.has_value());
    EXPECT_EQ(envelope.paper->id(), QPageSize::Comm10E); // the standard #10 envelope
    EXPECT_EQ(envelope.orientation, 2);                  // landscape: 9.5 across
    EXPECT_FALSE(printer->jobs()[1].paper.has_value());  // the test page: the device's paper
}

TEST_F(TavMailTest, AHostIsToldOfAnAppliedPieceName) {
    TavMail mail;
    QSignalSpy names(&mail, &TavMail::pieceNameChanged);
    const QMetaObject& meta = *mail.metaObject();
    EXPECT_TRUE(meta.property(meta.indexOfProperty("PieceName")).hasNotifySignal());
    mail.setPieceName("Size 10 - Envelope");
    ASSERT_EQ(names.count(), 1);
    EXPECT_EQ(names.at(0).at(0).toString(), "Size 10 - Envelope");
}
