#pragma once

#include "ui/description.h"

#include <QColor>
#include <QPalette>

namespace kt::qt {

// A colour value as Qt draws it: plain colours as they are, system colours from the palette,
// so that they follow the user's colour scheme.
inline QColor toQColor(Colour colour, const QPalette& palette) {
    if (!colour.isSystem())
        return QColor(colour.red(), colour.green(), colour.blue());
    switch (colour.systemIndex()) {
    case 8:
        return palette.color(QPalette::WindowText);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Window);
    case 18:
        return palette.color(QPalette::ButtonText);
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace kt::qt
