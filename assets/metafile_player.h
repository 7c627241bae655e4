#pragma once

// Draws a metafile's text stretched over a picture box's inner area. The toolkit supplies the
// canvas; everything about where a character goes is decided here.

#include "assets/metafile.h"

namespace kt {

class TextCanvas {
public:
    virtual ~TextCanvas() = default;
    // One character in black with no background. x, y: the left end of its baseline in pixels
    // of the inner area; height: character height in pixels; sx, sy: the horizontal and
    // vertical factors the metafile is stretched by. Anything outside the inner area is clipped
    // by the canvas.
    virtual void drawCharacter(const MetafileFont& font, double x, double y, double height,
                               double sx, double sy, char16_t ch) = 0;
};

// The whole pixel size a toolkit's font is asked for, for a character `unitsHigh` drawing units
// high (height / sy above): rounded, and kept from 1 to 65536. A stored height may be anything a
// 32-bit number holds, and toolkits keep font sizes in fixed point.
int fontPixelSize(double unitsHigh);

// Stretches the drawing space (the window extent) over innerWidth × innerHeight pixels, with
// separate factors across and down. Cannot fail on a metafile that readEmf returned.
void playMetafile(const Metafile& metafile, double innerWidth, double innerHeight,
                  TextCanvas& canvas);

} // namespace kt
