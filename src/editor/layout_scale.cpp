#include "layout_scale.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tav::Layout_m {

namespace {
float scale = 1.0f;
} // namespace

float LayoutScale() {
    return scale;
}

void setLayoutScale(float value) {
    scale = value;
}

void FitLayoutScale(float pieceWidth, float pieceHeight, qint32 screenWidth, qint32 screenHeight) {
    scale = 1.0f;
    const auto w = static_cast<qint32>(std::lround(InchesToTwips(pieceWidth)));
    if (w > screenWidth)
        scale -= (std::abs(w - screenWidth) + 360.0f) / static_cast<float>(w);
    const auto h = static_cast<qint32>(std::lround(InchesToTwips(pieceHeight))) + 2880;
    if (h > screenHeight)
        scale -= std::abs(h - screenHeight) / static_cast<float>(h);
    scale = QString::number(scale, 'f', 2).toFloat();
}

void FitLayoutScale(float pieceWidth, float pieceHeight) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const int twipsPerPixel =
        screen ? std::max(1, qRound(1440.0 / screen->logicalDotsPerInchX())) : 15;
    FitLayoutScale(pieceWidth, pieceHeight, size.width() * twipsPerPixel,
                   size.height() * twipsPerPixel);
}

float InchesToTwips(float inches) {
    return inches * 1440.0f * scale;
}

float TwipsToInches(float twips) {
    return formatInches(twips / scale / 1440.0f).toFloat();
}

QString formatInches(float inches) {
    // "#0.##": at most two decimals, none when they are zero.
    QString text = QString::number(static_cast<double>(inches), 'f', 2);
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

} // namespace tav::Layout_m
