#include "ole_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace tav {

QColor toQColor(OleColor color) {
    if ((color & 0x80000000u) == 0)
        return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);

    const QPalette palette = QGuiApplication::palette();
    switch (color & 0xFF) {
    case 0x05: // window
        return palette.color(QPalette::Base);
    case 0x08: // window text
    case 0x12: // button text
        return palette.color(QPalette::ButtonText);
    case 0x0F: // button face
        return palette.color(QPalette::Button);
    case 0x0D: // highlight
        return palette.color(QPalette::Highlight);
    case 0x0E: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 0x10: // button shadow
        return palette.color(QPalette::Mid);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace tav
