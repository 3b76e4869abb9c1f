#include "intelligent_mail.h"
#include "intelligent_mail_fields.h"
#include "qt_printers.h"
#include "tav_error.h"

#include <gtest/gtest.h>

using namespace tav;
using namespace tav::IntelligentMail;

namespace {

// The worked examples of USPS-B-3200 (appendix C), one tracking code with each routing length,
// and one made by the postal service's own encoder at postalpro.usps.com.
struct Example {
    const char* tracking;
    const char* routing;
    const char* bars;
};
const Example kExamples[] = {
    {"01234567094987654321", "",
     "ATTFATTDTTADTAATTDTDTATTDAFDDFADFDFTFFFFFTATFAAAATDFFTDAADFTFDTDT"},
    {"01234567094987654321", "01234",
     "DTTAFADDTTFTDTFTFDTDDADADAFADFATDDFTAAAFDTTADFAAATDFDTDFADDDTDFFT"},
    {"01234567094987654321", "012345678",
     "ADFTTAFDTTTTFATTADTAAATFTFTATDAAAFDDADATATDTDTTDFDTDATADADTDFFTFA"},
    {"01234567094987654321", "01234567891",
     "AADTFFDFTDADTAADAATFDTDDAAADDTDTTDAFADADDDTFFFDDTTTADFAAADFTDAADA"},
    {"23270592831482031240", "96713024817",
     "DDADATADTAATDTTTDFDTTFTFFADTFTDFTATAAFTTFATDAATATDATATFADAADDTFDT"},
};

} // namespace

TEST(IntelligentMail, EncodesThePublishedExamples) {
    for (const Example& example : kExamples)
        EXPECT_EQ(
            EncodeIntelligentMail(QLatin1String(example.tracking), QLatin1String(example.routing)),
            QLatin1String(example.bars))
            << example.tracking << " " << example.routing;
}

TEST(IntelligentMail, RefusesCodesItCannotEncodeNamingTheField) {
    const auto refusal = [](const QString& tracking, const QString& routing) {
        try {
            EncodeIntelligentMail(tracking, routing);
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidPropertyValue);
            return error.description();
        }
        return QString();
    };
    const QString good = "01234567094987654321";
    EXPECT_TRUE(refusal(good.left(19), QString()).contains("TrackingCode"));
    EXPECT_TRUE(refusal(good + QLatin1Char('0'), QString()).contains("20 digits"));
    EXPECT_TRUE(refusal("0123456709498765432x", QString()).contains("TrackingCode"));
    EXPECT_TRUE(refusal("05234567094987654321", QString()).contains("second digit"));
    for (const char* routing : {"1234", "123456", "1234567890", "123456789012"})
        EXPECT_TRUE(refusal(good, QLatin1String(routing)).contains("(Value)")) << routing;
    // Routing codes are read as POSTNET reads ZIP codes: the digits only.
    EXPECT_EQ(EncodeIntelligentMail(good, "01234-5678"), EncodeIntelligentMail(good, "012345678"));
}

TEST(IntelligentMail, PieceValuesCarryBothCodes) {
    const QString tracking = "00700123456000000041";
    const QString value = pieceValue(tracking, "97301-1234");
    EXPECT_EQ(value, tracking + "-973011234");
    EXPECT_EQ(EncodePieceValue(value), EncodeIntelligentMail(tracking, "973011234"));
    EXPECT_EQ(EncodePieceValue(tracking + QLatin1Char('-')).size(), 65);
    // Anything else draws nothing rather than a wrong bar code.
    for (const char* bad : {"", "97301", "00700123456000000041", "00700123456000000041-9730",
                            "00700123456000000041-97301-1", "0070012345600000004-97301"})
        EXPECT_TRUE(EncodePieceValue(QLatin1String(bad)).isEmpty()) << bad;
}

TEST(IntelligentMail, TrackingCodesAreBuiltFromTheirFieldsOrRefusedNamingOne) {
    struct Case {
        const char* barcodeId;
        const char* serviceType;
        const char* mailerId;
        qint64 serial;
        const char* expected; // the code, or what the refusal names
    };
    const Case cases[] = {
        {"00", "700", "123456", 41, "00700123456000000041"},
        {"10", "270", "912345678", 999999, "10270912345678999999"},
        {"05", "700", "123456", 1, "barcode identifier"},
        {"00", "70", "123456", 1, "service type"},
        {"00", "700", "12345", 1, "mailer identifier"},
        {"00", "700", "123456789", 1, "mailer identifier"},
        {"00", "700", "123456", 1'000'000'000, "serial number is 0 to 999999999"},
        {"00", "700", "923456789", 1'000'000, "serial number is 0 to 999999"},
        {"00", "700", "123456", -1, "serial number"},
    };
    for (const Case& c : cases) {
        QString got;
        try {
            got = IntelligentMail::trackingCode(QLatin1String(c.barcodeId),
                                                QLatin1String(c.serviceType),
                                                QLatin1String(c.mailerId), c.serial);
            EXPECT_TRUE(IntelligentMail::trackingCodeProblem(got).isEmpty());
        } catch (const TavError& error) {
            EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument);
            got = error.description();
        }
        EXPECT_TRUE(got.contains(QLatin1String(c.expected))) << got.toStdString();
    }
}
