#pragma once

#include "assets/metafile_player.h"

#include <cmath>
#include <cstdlib>

namespace kt::fuzz {

// Draws nothing, but insists on the numbers a real canvas would be handed.
class NullCanvas : public TextCanvas {
public:
    void drawCharacter(const MetafileFont&, double x, double y, double height, double sx, double sy,
                       char16_t ch) override {
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(height) || height < 0 ||
            !(sx > 0) || !(sy > 0) || ch == u' ')
            std::abort();
    }
};

} // namespace kt::fuzz
