// The posts' published ranges for their bars:
//   Intelligent Mail barcode, USPS-B-3200 section 2.3.1: bars 0.015 to 0.025 in wide, 20 to 24
//     an inch; full bars 0.125 to 0.165 in, trackers 0.039 to 0.057 in, ascenders and
//     descenders 0.082 to 0.111 in.
//   Royal Mail 4-state customer code (RM4SCC), and PostNL's KIX code, which prints the same
//     bars: 0.38 to 0.63 mm wide, 20 to 24 an inch; trackers 1.02 to 1.52 mm, ascenders and
//     descenders 1.60 to 2.16 mm beyond the tracker.
//   Australia Post, Customer Barcoding Technical Specifications (2012): 0.4 to 0.6 mm wide, 22
//     to 25 an inch; trackers 1.0 to 1.6 mm, ascenders and descenders 1.6 to 2.1 mm beyond it.
// Each geometry below is the middle of its ranges in whole twips.

#include "four_state.h"

#include "intelligent_mail.h"
#include "tav_enum_cls.h"

#include <memory>
#include <new>
#include <zint.h>

namespace tav::FourState {

namespace {

constexpr double kMm = 1 / 25.4;

constexpr Tolerances kRoyalMail{0.38 * kMm, 0.63 * kMm, 20,         24,         4.22 * kMm,
                                5.84 * kMm, 1.02 * kMm, 1.52 * kMm, 2.62 * kMm, 3.68 * kMm};
constexpr Tolerances kAustraliaPost{0.4 * kMm, 0.6 * kMm, 22,        25,        4.2 * kMm,
                                    5.8 * kMm, 1.0 * kMm, 1.6 * kMm, 2.6 * kMm, 3.7 * kMm};

// 0.505 mm wide, 22 an inch, a 1.27 mm tracker and 1.88 mm extenders: a 5.03 mm full bar.
constexpr BarMetrics kRoyalMailBars{65, 72 + 2 * 107, 29, 65 - 29};
// 0.5 mm wide, 23.6 an inch, a 1.3 mm tracker and 1.85 mm extenders: a 5.0 mm full bar.
constexpr BarMetrics kAustraliaPostBars{61, 74 + 2 * 105, 28, 61 - 28};

const Spec kSpecs[] = {
    {TavEnumCls::TavIntelligentMail,
     "Intelligent Mail barcode",
     IntelligentMail::Metrics,
     IntelligentMail::TrackerHeight,
     IntelligentMail::ExtenderHeight,
     {0.015, 0.025, 20, 24, 0.125, 0.165, 0.039, 0.057, 0.082, 0.111},
     IntelligentMail::BarCount},
    // A postcode of 7 and a delivery point suffix of 2 characters, 4 bars each, framed.
    {TavEnumCls::TavRoyalMail, "Royal Mail 4-state bar code", kRoyalMailBars, 72, 107, kRoyalMail,
     1 + 9 * 4 + 4 + 1},
    // Postcode, house number and addition: 11 characters.
    {TavEnumCls::TavKix, "KIX code", kRoyalMailBars, 72, 107, kRoyalMail, 11 * 4},
    // The standard customer barcode, a DPID alone.
    {TavEnumCls::TavAustraliaPost, "Australia Post bar code", kAustraliaPostBars, 74, 105,
     kAustraliaPost, 37},
};

struct SymbolDeleter {
    void operator()(zint_symbol* symbol) const { ZBarcode_Delete(symbol); }
};

// libzint keeps each row of modules as bits, eight to a byte, lowest bit first.
bool moduleSet(const zint_symbol& symbol, int row, int column) {
    return ((symbol.encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
}

int zintSymbology(qint16 symbology) {
    switch (symbology) {
    case TavEnumCls::TavRoyalMail:
        return BARCODE_RM4SCC;
    case TavEnumCls::TavKix:
        return BARCODE_KIX;
    case TavEnumCls::TavAustraliaPost:
        return BARCODE_AUSPOST;
    default:
        return 0;
    }
}

} // namespace

const Spec* spec(qint16 symbology) {
    for (const Spec& known : kSpecs)
        if (known.symbology == symbology)
            return &known;
    return nullptr;
}

bool ofAnotherPost(qint16 symbology) {
    return zintSymbology(symbology) != 0;
}

QString zintStates(int zint, const QByteArray& data, QString& problem) {
    const std::unique_ptr<zint_symbol, SymbolDeleter> symbol(ZBarcode_Create());
    if (!symbol)
        throw std::bad_alloc();
    symbol->symbology = zint;
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<int>(data.size()));
    if (status >= ZINT_ERROR || symbol->rows != 3) {
        // libzint says "Error 404: Invalid character in data": the words are what a person needs.
        problem = QString::fromLatin1(symbol->errtxt).section(QStringLiteral(": "), 1);
        return {};
    }
    // Three rows (ascenders, tracker, descenders), a bar in every other column.
    QString bars;
    for (int column = 0; column < symbol->width; column += 2) {
        const bool ascends = moduleSet(*symbol, 0, column);
        const bool descends = moduleSet(*symbol, 2, column);
        bars += QLatin1Char(ascends ? (descends ? 'F' : 'A') : (descends ? 'D' : 'T'));
    }
    return bars;
}

QString encode(qint16 symbology, const QString& value, QString* problem) {
    QString why;
    const int zint = zintSymbology(symbology);
    QString bars;
    if (zint == 0)
        why = QStringLiteral("it is not another post's bar code");
    else if (value.trimmed().isEmpty())
        why = QStringLiteral("the value is empty");
    else // a postcode is written with spaces the code has no bars for; Australia Post's has
        bars = zintStates(
            zint,
            (zint == BARCODE_AUSPOST ? value.trimmed() : QString(value).remove(QLatin1Char(' ')))
                .toUpper()
                .toLatin1(),
            why);
    if (problem != nullptr)
        *problem = bars.isEmpty() ? why : QString();
    return bars;
}

Extent extent(const Spec& spec, QChar state) {
    const qint32 full = spec.metrics.fullHeight;
    const qint32 ascender = spec.tracker + spec.extender;
    switch (state.unicode()) {
    case 'F':
        return {full, 0};
    case 'A':
        return {full, spec.extender};
    case 'D':
        return {ascender, 0};
    default:
        return {ascender, spec.extender};
    }
}

} // namespace tav::FourState
