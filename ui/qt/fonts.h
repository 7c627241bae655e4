#pragma once

#include "ui/description.h"

#include <QFont>
#include <QString>

namespace kt::qt {

// Makes the faces of the windows' captions drawable: registers those built into the program that
// the system does not offer. Asking fontconfig is the larger part of a start-up's work, so the
// windows call this at their first paint, as Qt itself sets fontconfig up only when it first
// draws text. The first call does the work, later ones nothing.
void installBuiltInFonts();
// The same for the further faces that metafile pictures use.
void installPictureFonts();

// The family that stands in for a face the descriptions name ("Times New Roman" and the faces
// the pictures use), so that the windows look the same on every machine.
QString familyFor(QStringView face);

// A description's font at its size in logical pixels (points at 96 per inch).
QFont fontFor(const FontDescription& font);

} // namespace kt::qt
