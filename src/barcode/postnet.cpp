#include "postnet.h"

namespace tav::Postnet {

namespace {

// Weights 7, 4, 2, 1, 0 from left to right; zero is written as 7 + 4.
const char* const kDigitBars[10] = {"11...", "...11", "..1.1", "..11.", ".1..1",
                                    ".1.1.", ".11..", "1...1", "1..1.", "1.1.."};

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

} // namespace tav::Postnet
