// The posts' four-state bar codes: their published examples and their published dimensions.

#include "four_state.h"
#include "qt_printers.h"
#include "tav_enum_cls.h"

#include <gtest/gtest.h>

using namespace tav;

TEST(FourState, OtherPostsCodesMatchTheirPublishedExamples) {
    const struct {
        TavSymbology symbology;
        const char* value;
        const char* bars;
    } examples[] = {
        // PostNL, Handleiding KIX code, section 2.1, examples 1 to 4.
        {TavEnumCls::TavKix, "2500GG30250", "TDFADDAATTFFTTFFDAFTDAFTDTAFTTFFTDFADDAATTFF"},
        {TavEnumCls::TavKix, "2130VA80430", "TDFATDAFDTAFTTFFAFTDDADATFDATTFFDTFADTAFTTFF"},
        {TavEnumCls::TavKix, "1231GF156X2", "TDAFTDFADTAFTDAFDAFTDAADTDAFDDAATADFFATDTDFA"},
        {TavEnumCls::TavKix, "1231fz13xhs", "TDAFTDFADTAFTDAFDAADFFTTTDAFDTAFFATDDFATFTFT"},
        // Australia Post, Customer Barcoding Technical Specifications, diagram 1, and its Guide to
        // Printing the 4-State Barcode, figures 3 and 4 (a customer barcode 2 with its C table).
        {TavEnumCls::TavAustraliaPost, "96184209", "ATFAFATFDFFADDAAFDFFTFTDFFTDADADTADAT"},
        {TavEnumCls::TavAustraliaPost, "39549554", "ATFAFAAFTFADAATFADADAATTADAFATAATDDAT"},
        {TavEnumCls::TavAustraliaPost, "56439111ABA 9",
         "ATADTFADDFAAAFTFFAFAFAFFFFFAFFFFFTTDDTTAFADAFFFTTAAT"},
    };
    for (const auto& e : examples)
        EXPECT_EQ(FourState::encode(e.symbology, QString::fromLatin1(e.value)),
                  QString::fromLatin1(e.bars))
            << e.value;
    // Royal Mail's code, built from its published character table: 0-9 and A-Z in six rows and
    // six columns, a row giving a character's ascenders and a column its descenders; the check
    // character at the row and column of the sums, modulo 6, of the others'; a start bar and a
    // full stop bar around them.
    const char* const halves[] = {"0011", "0101", "0110", "1001", "1010", "1100"};
    const auto bars = [&](int index) {
        QString four;
        for (int k = 0; k < 4; ++k) {
            const bool up = halves[index / 6][k] == '1';
            const bool down = halves[index % 6][k] == '1';
            four += QLatin1Char(up ? (down ? 'F' : 'A') : (down ? 'D' : 'T'));
        }
        return four;
    };
    QString expected = "A";
    int rows = 0, columns = 0;
    for (const QChar c : QStringLiteral("LU178XE2B")) {
        const int index = c.isDigit() ? c.digitValue() : c.unicode() - 'A' + 10;
        expected += bars(index);
        rows += index / 6 + 1;
        columns += index % 6 + 1;
    }
    expected += bars(((rows + 5) % 6) * 6 + (columns + 5) % 6) + "F";
    EXPECT_EQ(FourState::encode(TavEnumCls::TavRoyalMail, "LU17 8XE 2B"), expected);

    QString problem;
    EXPECT_EQ(FourState::encode(TavEnumCls::TavKix, "1231-GF", &problem), "");
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(problem.contains("Error")) << problem.toStdString();
    EXPECT_EQ(FourState::encode(TavEnumCls::TavAustraliaPost, "9618420", &problem), "");
    EXPECT_EQ(FourState::encode(TavEnumCls::TavPostnet, "97301"), "");
}

TEST(FourState, EachGeometryLiesInsideItsPostsRanges) {
    const auto inches = [](qint32 twips) { return twips / 1440.0; };
    for (const TavSymbology symbology : {TavEnumCls::TavIntelligentMail, TavEnumCls::TavRoyalMail,
                                         TavEnumCls::TavKix, TavEnumCls::TavAustraliaPost}) {
        const FourState::Spec* spec = FourState::spec(symbology);
        ASSERT_NE(spec, nullptr) << symbology;
        const FourState::Tolerances& t = spec->tolerances;
        const auto within = [&](double value, double low, double high, const char* what) {
            EXPECT_GE(value, low) << spec->name << " " << what;
            EXPECT_LE(value, high) << spec->name << " " << what;
        };
        within(inches(spec->metrics.barWidth), t.widthLow, t.widthHigh, "bar width");
        within(1440.0 / spec->metrics.pitch, t.barsPerInchLow, t.barsPerInchHigh, "bars an inch");
        within(inches(spec->metrics.fullHeight), t.fullLow, t.fullHigh, "full bar");
        within(inches(spec->tracker), t.trackerLow, t.trackerHigh, "tracker");
        within(inches(spec->tracker + spec->extender), t.ascenderLow, t.ascenderHigh, "ascender");
        // The tracker sits in the middle: an ascender and a descender together make a full bar.
        const auto extent = [&](char state) {
            return FourState::extent(*spec, QLatin1Char(state));
        };
        EXPECT_EQ(extent('A').bottom, spec->metrics.fullHeight - extent('D').top);
        EXPECT_EQ(extent('T').top - extent('T').bottom, spec->tracker);
    }
    EXPECT_EQ(FourState::spec(TavEnumCls::TavPostnet), nullptr);
}
