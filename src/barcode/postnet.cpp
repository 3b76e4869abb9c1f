#include "postnet.h"

#include "units.h"

namespace tav::Postnet {

namespace {

// Weights 7, 4, 2, 1, 0 from left to right; zero is written as 7 + 4.
const char* const kDigitBars[10] = {"11...", "...11", "..1.1", "..11.", ".1..1",
                                    ".1.1.", ".11..", "1...1", "1..1.", "1.1.."};
const QString kSource = QStringLiteral("TavBarcode");

} // namespace

QString EncodePostnet(const QString& value) {
    if (value.isEmpty())
        return {};
    QString pattern = QStringLiteral("1");
    int sum = 0;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            continue;
        const int digit = c.unicode() - '0';
        pattern += QLatin1String(kDigitBars[digit]);
        sum += digit;
    }
    const int check = (10 - sum % 10) % 10;
    pattern += QLatin1String(kDigitBars[check]);
    pattern += QLatin1Char('1');
    return pattern.size() <= 10 ? QString() : pattern;
}

BarLayout placeBars(const QString& pattern, qint32 left, qint32 top, qint32 width, qint32 height,
                    qint32 alignHorizontal, qint32 alignVertical) {
    BarLayout layout;
    switch (alignVertical) {
    case 0:
        layout.baseline = checkedAdd(top, FullBarHeight, kSource);
        break;
    case 1:
        layout.baseline = checkedAdd(
            checkedAdd(top, roundToInt((static_cast<double>(height) - FullBarHeight) / 2, kSource),
                       kSource),
            FullBarHeight, kSource);
        break;
    case 2:
        layout.baseline = checkedAdd(top, height, kSource);
        break;
    default:
        layout.baseline = 0;
    }
    layout.baseline = std::max(layout.baseline, top);

    const qint32 symbols = static_cast<qint32>(pattern.size());
    const qint32 span = checkedMultiply(symbols, BarPitch, kSource);
    qint32 start = 0;
    switch (alignHorizontal) {
    case 0:
        start = left;
        break;
    case 1:
        start = checkedAdd(checkedAdd(left, checkedAdd(width, -span, kSource), kSource),
                           RightAlignShift, kSource);
        break;
    case 2:
        start =
            checkedAdd(left, roundToInt((static_cast<double>(width) - span) / 2, kSource), kSource);
        break;
    default:
        start = 0;
    }
    start = std::max(start, left);

    const qint64 right = static_cast<qint64>(left) + width;
    for (qint32 k = 0; k < symbols; ++k) {
        const qint64 x = static_cast<qint64>(start) + static_cast<qint64>(BarPitch) * k;
        if (x > right)
            break;
        layout.bars.push_back({static_cast<qint32>(x), pattern.at(k) == QLatin1Char('1')});
    }
    return layout;
}

} // namespace tav::Postnet
