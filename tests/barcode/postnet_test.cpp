#include "postnet.h"
#include "qt_printers.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <zint.h>

using namespace tav::Postnet;

namespace {

QString bars(std::initializer_list<const char*> parts) {
    QString result;
    for (const char* part : parts)
        result += QLatin1String(part);
    return result;
}

// The same value encoded by zint, an independent implementation, as "1" and ".".
QString zintPattern(const QString& digits) {
    zint_symbol* symbol = ZBarcode_Create();
    symbol->symbology = BARCODE_POSTNET;
    const QByteArray data = digits.toLatin1();
    const int status =
        ZBarcode_Encode(symbol, reinterpret_cast<const unsigned char*>(data.constData()),
                        static_cast<int>(data.size()));
    QString pattern;
    if (status < ZINT_ERROR) {
        const auto set = [symbol](int row, int column) {
            return ((symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1) != 0;
        };
        for (int column = 0; column < symbol->width; column += 2)
            pattern += set(0, column) ? QLatin1Char('1') : QLatin1Char('.');
    }
    ZBarcode_Delete(symbol);
    return pattern;
}

} // namespace

TEST(Postnet, EncodesTheDigitsACheckDigitAndTwoFrameBars) {
    // Digit sum 30: check digit 0.
    EXPECT_EQ(EncodePostnet("45678"),
              bars({"1", ".1..1", ".1.1.", ".11..", "1...1", "1..1.", "11...", "1"}));
    // Digit sum 15: check digit 5.
    EXPECT_EQ(EncodePostnet("12345"),
              bars({"1", "...11", "..1.1", "..11.", ".1..1", ".1.1.", ".1.1.", "1"}));
    // A single 7 takes check digit 3.
    EXPECT_EQ(EncodePostnet("7"), bars({"1", "1...1", "..11.", "1"}));
    // ZIP+4 with a dash: nine digits, sum 40, check 0.
    const QString zipPlus4 = EncodePostnet("45678-1234");
    EXPECT_EQ(zipPlus4.size(), 52);
    EXPECT_TRUE(zipPlus4.endsWith("11...1"));
    // Ten digits, sum 45, check 5.
    const QString ten = EncodePostnet("4567812345");
    EXPECT_EQ(ten.size(), 57);
    EXPECT_TRUE(ten.endsWith(".1.1.1"));
}

TEST(Postnet, ValuesWithoutDigitsGiveNoBars) {
    EXPECT_TRUE(EncodePostnet(QString()).isEmpty());
    EXPECT_TRUE(EncodePostnet("ZIP code").isEmpty());
    EXPECT_TRUE(EncodePostnet("-- --").isEmpty());
    // Full-width and Arabic-Indic digits are not POSTNET digits.
    EXPECT_TRUE(EncodePostnet("１２３٤").isEmpty());
    EXPECT_EQ(EncodePostnet(" 6 2 7 0 1 "), EncodePostnet("62701"));
}

TEST(Postnet, AgreesWithAnIndependentEncoder) {
    QRandomGenerator random(20261206);
    for (int i = 0; i < 3000; ++i) {
        const int length = (i % 3 == 0) ? 5 : (i % 3 == 1) ? 9 : 11;
        QString digits;
        for (int d = 0; d < length; ++d)
            digits += QChar('0' + random.bounded(10));
        ASSERT_EQ(EncodePostnet(digits), zintPattern(digits)) << digits.toStdString();
    }
}

TEST(Postnet, BarsStandOnTheBaselineChosenByTheAlignment) {
    const auto place = [](qint32 width, qint32 height, qint32 horizontal, qint32 vertical) {
        return tav::placeBars(32, Metrics, 1000, 2000, width, height, horizontal, vertical);
    };
    const tav::BarLayout top = place(3000, 400, 0, 0);
    EXPECT_EQ(top.baseline, 2190);
    ASSERT_EQ(top.starts.size(), 32u);
    EXPECT_EQ(top.starts[1], 1066);
    EXPECT_EQ(place(3000, 400, 0, 1).baseline, 2000 + 105 + 190);
    EXPECT_EQ(place(3000, 400, 0, 2).baseline, 2400);
    EXPECT_EQ(place(3000, 100, 0, 2).baseline, 2100);
    // An unknown alignment puts the baseline at 0, which is raised to the box's top.
    EXPECT_EQ(place(3000, 400, 0, 7).baseline, 2000);

    // Right aligned: the slots end 24 twips past the box's right edge minus the span.
    EXPECT_EQ(place(3000, 400, 1, 0).starts[0], 1000 + 3000 - 32 * 66 + 24);
    // Centred in a box narrower than the code: starts at the box and loses the last bar.
    const tav::BarLayout narrow = place(2000, 400, 2, 0);
    EXPECT_EQ(narrow.starts.front(), 1000);
    EXPECT_EQ(narrow.starts.size(), 31u);
    EXPECT_EQ(narrow.starts.back(), 1000 + 30 * 66);
    // From the first bar's left edge to the last one's right edge.
    EXPECT_EQ(tav::symbolLength(32, Metrics), 31 * 66 + 24);
    EXPECT_EQ(tav::symbolLength(0, Metrics), 0);
}
