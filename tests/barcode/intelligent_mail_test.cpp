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
