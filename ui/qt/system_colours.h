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
    if (colour == kButtonText)
        return palette.color(QPalette::ButtonText);
    return palette.color(QPalette::WindowText); // kWindowText, and any the windows do not use
}

} // namespace kt::qt
