#pragma once

#include "ui/description.h"

#include <QFont>
#include <QString>

namespace kt::qt {

// Registers the faces of the windows' captions, built into the program. Call once, after the
// application object exists.
void installBuiltInFonts();
// Registers the further faces that metafile pictures use; the first call does it, later ones
// nothing.
void installPictureFonts();

// The family that stands in for a face the descriptions name ("Times New Roman" and the faces
// the pictures use), so that the windows look the same on every machine.
QString familyFor(QStringView face);

// A description's font at its size in logical pixels (points at 96 per inch).
QFont fontFor(const FontDescription& font);

} // namespace kt::qt
