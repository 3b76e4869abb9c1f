// Labels with the Intelligent Mail barcode: what AddPiece accepts, and the bars on paper read
// back and measured against USPS-B-3200.

#include "four_state.h"
#include "intelligent_mail.h"
#include "pdf_bars.h"
#include "pdf_printer.h"
#include "pdf_text.h"
#include "postnet.h"
#include "qt_printers.h"
#include "recording_printer.h"
#include "tav_barcode.h"
#include "tav_error.h"
#include "tav_label.h"
#include "tav_meta_cls.h"
#include "temp_env.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tav;

namespace {

const QString kTracking = "00700123456000000041";
const QString kOtherTracking = "01234567094987654321";

// 20 labels of 4 × 1 inch, 2 across, with three lines and the bar code under them.
class IntelligentMailLabel : public ::testing::Test {
protected:
    void SetUp() override {
        TavSheetCls& sheet = *label.SheetProperties();
        sheet.setNumAcross(2);
        sheet.setNumDown(10);
        sheet.setMarginleft(0.15625f);
        sheet.setMarginTop(0.5f);
        sheet.setPiecePitchAcross(4.1875f);
        sheet.setPiecePitchDown(1.0f);
        sheet.setPieceWidth(4.0f);
        sheet.setPieceHeight(1.0f);
        label.ApplyAddressLayout(3, 9);
        label.setRefresh(false);
        barCode().setSymbology(TavEnumCls::TavIntelligentMail);
    }

    TavBarCodeCls& barCode() { return *label.BarCodeProperties(); }

    void add(const QString& tracking, const QString& zip) {
        label.setSubstituteText("Item1^Ann Lee|Item2^12 Oak Rd|Item3^Salem OR|");
        barCode().setTrackingCode(tracking);
        barCode().setValue(zip);
        label.AddPiece();
    }

    static QString errorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
            return error.description();
        }
        return {};
    }

    test::ScopedTempDirectory temp;
    TavLabel label;
};

} // namespace

TEST_F(IntelligentMailLabel, AddPieceKeepsBothCodesAndRefusesWhatCannotBeEncoded) {
    add(kTracking, "97301-1234");
    EXPECT_EQ(label.FindPiece(1).barCodeValue, kTracking + "-973011234");

    // Each refusal names the field and adds nothing.
    EXPECT_TRUE(errorOf([&] { add(QString(), "97301"); }).contains("TrackingCode"));
    EXPECT_TRUE(errorOf([&] { add(kTracking, "973011"); }).contains("BarCodeProperties.Value"));
    EXPECT_TRUE(errorOf([&] {
                    barCode().setTrackingCode("05700123456000000041");
                }).contains("second digit"));
    EXPECT_EQ(barCode().TrackingCode(), kTracking); // the refused code left the last one
    EXPECT_EQ(label.pieceCount(), 1);

    // A box too narrow, or one that runs off the piece, is refused while the bars are shown.
    barCode().setWidth(2.5f);
    const QString narrow = errorOf([&] { add(kTracking, "97301"); });
    EXPECT_TRUE(narrow.contains("the bar code box is 2.50 in wide")) << narrow.toStdString();
    EXPECT_EQ(label.BarCodeFitProblem(), narrow.section(": ", 1));
    barCode().setWidth(3.0f);
    barCode().setLeft1(1.5f);
    EXPECT_TRUE(label.BarCodeFitProblem().contains("print past the edge"));
    barCode().setVisible(false);
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty());
    add(kTracking, "97301");
    EXPECT_EQ(label.pieceCount(), 2);
}

TEST_F(IntelligentMailLabel, PostnetFitIsReportedButAddedAsBefore) {
    barCode().setSymbology(TavEnumCls::TavPostnet);
    barCode().setWidth(2.0f);
    barCode().setValue("97301");
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty()); // 32 bars: 1.44 in
    barCode().setValue("97301-1234-01");
    EXPECT_EQ(label.BarCodeFitProblem(),
              QStringLiteral("a POSTNET bar code of 11 digits needs 2.81 in, and the bar code box "
                             "is 2.00 in wide: 44 of its 62 bars print"));
    label.AddPiece(); // POSTNET pieces are added whatever their length, as they always were
    EXPECT_EQ(label.FindPiece(1).barCodeValue, "97301-1234-01");
    // Bars are cut only when one is left out: a box that ends inside the last bar holds them.
    barCode().setValue("97301-1234");
    barCode().setWidth(static_cast<float>(51 * Postnet::BarPitch) / 1440);
    EXPECT_TRUE(label.BarCodeFitProblem().isEmpty()) << label.BarCodeFitProblem().toStdString();
    barCode().setWidth(static_cast<float>(51 * Postnet::BarPitch - 2) / 1440);
    EXPECT_TRUE(label.BarCodeFitProblem().contains("51 of its 52 bars"));
}

// The bars on paper read back as encoded and measure within their post's ranges: as the PDF
// is, and on thermal printers of 203 and 300 dots an inch, where every bar is the same whole
// number of dots wide and every pitch the same.
TEST_F(IntelligentMailLabel, BarsOnPaperReadBackAndLieWithinTheirPostsRanges) {
    const FourState::Tolerances postnet{0.015, 0.025, 20, 24, 0.115, 0.135, 0.040, 0.060, 0, 1};
    const struct {
        TavSymbology symbology;
        const char* value;
        int bars;
    } cases[] = {{TavEnumCls::TavPostnet, "97301-1234", 52},
                 {TavEnumCls::TavIntelligentMail, "97301-1234-01", 65},
                 {TavEnumCls::TavRoyalMail, "LU178XE2B", 42},
                 {TavEnumCls::TavKix, "2500GG30250", 44},
                 {TavEnumCls::TavAustraliaPost, "39549554", 37}};
    for (const auto& c : cases) {
        const FourState::Spec* spec = FourState::spec(c.symbology);
        const FourState::Tolerances& t = spec != nullptr ? spec->tolerances : postnet;
        const QString expected = spec == nullptr ? QString()
                                 : c.symbology == TavEnumCls::TavIntelligentMail
                                     ? IntelligentMail::EncodeIntelligentMail(kTracking, c.value)
                                     : FourState::encode(c.symbology, c.value);
        for (const int dpi : {0, 203, 300}) {
            SCOPED_TRACE(QStringLiteral("%1 at %2 dpi").arg(c.value).arg(dpi).toStdString());
            label.NewMailing();
            barCode().setSymbology(c.symbology);
            add(kTracking, c.value);
            QTemporaryDir dir;
            const QString path = dir.filePath("bars.pdf");
            auto pdf = PdfPrinter::singleDocument(path);
            if (dpi > 0)
                pdf->setDotsPerInch(static_cast<qint16>(dpi));
            label.PrintAll(*pdf);
            pdf->finish();
            const int at = dpi > 0 ? dpi : 600; // the PDF's own bars, finely rendered
            const QImage page = test::pdfPageImage(path, 1, at, QRect(0, 0, 4.5 * at, 1.6 * at));
            const QRect area(static_cast<int>((0.15625 + barCode().Left1() - 0.05) * at),
                             static_cast<int>((0.5 + barCode().Top()) * at) - 6,
                             static_cast<int>((barCode().Width() + 0.1) * at),
                             static_cast<int>(barCode().Height() * at) + 12);
            const std::vector<test::FoundBar> bars = test::findBars(page, area);
            ASSERT_EQ(static_cast<int>(bars.size()), c.bars);
            if (spec != nullptr) {
                EXPECT_EQ(test::fourStates(bars, 3), expected);
            }
            const auto inches = [at](int pixels) { return static_cast<double>(pixels) / at; };
            const double perInch = (c.bars - 1) / inches(bars.back().left - bars.front().left);
            EXPECT_GE(perInch, t.barsPerInchLow);
            EXPECT_LE(perInch, t.barsPerInchHigh);
            int tallest = 0, shortest = at;
            for (std::size_t k = 0; k < bars.size(); ++k) {
                const int width = bars[k].right - bars[k].left;
                EXPECT_GE(inches(width), t.widthLow - 1.0 / at) << "bar " << k;
                EXPECT_LE(inches(width), t.widthHigh + 1.0 / at) << "bar " << k;
                if (dpi > 0) { // whole dots: every bar and every pitch the same
                    EXPECT_EQ(width, bars[0].right - bars[0].left) << "bar " << k;
                    if (k > 0) {
                        EXPECT_EQ(bars[k].left - bars[k - 1].left, bars[1].left - bars[0].left);
                    }
                }
                tallest = std::max(tallest, bars[k].bottom - bars[k].top);
                shortest = std::min(shortest, bars[k].bottom - bars[k].top);
            }
            EXPECT_GE(inches(tallest), t.fullLow - 1.0 / at);
            EXPECT_LE(inches(tallest), t.fullHigh + 1.0 / at);
            EXPECT_GE(inches(shortest), t.trackerLow - 1.0 / at);
            EXPECT_LE(inches(shortest), t.trackerHigh + 1.0 / at);
        }
    }
}
