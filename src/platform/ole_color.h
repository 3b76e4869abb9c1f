#pragma once

#include "mailpiece_export.h"

#include <QColor>

namespace tav {

/// A colour in the platform's RGB layout (red in the low byte); the top bit marks system colours.
using OleColor = quint32;

/// Common colour values.
namespace OleColors {
inline constexpr OleColor Black = 0x000000;
inline constexpr OleColor White = 0xFFFFFF;
inline constexpr OleColor LightGrey = 0xC0C0C0;
inline constexpr OleColor WindowBackground = 0x80000005; // system colour: window
inline constexpr OleColor ButtonShadow = 0x80000010;     // system colour: button shadow
inline constexpr OleColor ButtonText = 0x80000012;       // system colour: button text
} // namespace OleColors

/// The QColor for `color`; system colours resolve through the application palette.
MAILPIECE_EXPORT QColor toQColor(OleColor color);

} // namespace tav
