#include "assets/metafile_player.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <vector>

namespace kt {
namespace {

// What SAVEDC keeps and RESTOREDC brings back, as far as drawing text needs it.
struct DcState {
    EmfPoint origin;
    EmfSize extent{1, 1};
    const EmfCreateFont* font = nullptr; // none, or a stock font: draws nothing
};

class Player {
public:
    Player(const Metafile& metafile, double innerWidth, double innerHeight, TextCanvas& canvas)
        : m_innerWidth(innerWidth), m_innerHeight(innerHeight), m_canvas(canvas),
          m_fonts(metafile.header.handles, nullptr) {}

    void play(const MetafileRecord& record) {
        std::visit([this](const auto& data) { apply(data); }, record.data);
    }

private:
    void apply(const EmfWindowOrg& r) { m_dc.origin = r.origin; }
    void apply(const EmfWindowExt& r) {
        if (r.extent.cx > 0 && r.extent.cy > 0)
            m_dc.extent = r.extent;
    }
    void apply(const EmfCreateFont& r) {
        if (r.ihFont < m_fonts.size())
            m_fonts[r.ihFont] = &r;
    }
    void apply(const EmfSelectObject& r) {
        if (r.isStockFont())
            m_dc.font = nullptr;
        else if (!r.isStock() && r.ihObject < m_fonts.size())
            m_dc.font = m_fonts[r.ihObject];
        // Stock pens and brushes leave the font alone.
    }
    void apply(const EmfSaveDc&) { m_saved.push_back(m_dc); }
    void apply(const EmfRestoreDc& r) {
        const std::int64_t back = -std::int64_t{r.relative};
        if (back < 1 || back > std::ssize(m_saved))
            return;
        const std::size_t keep = m_saved.size() - static_cast<std::size_t>(back);
        m_dc = m_saved[keep];
        m_saved.resize(keep);
    }
    void apply(const EmfText& r) { drawRun(r); }
    // The rest changes nothing we draw. Text is always black over what lies beneath, and the
    // alignment is taken as the left end of the baseline, which is what our files set.
    // Clipping to the drawing space is left to the canvas: the runs' clip rectangles and the
    // clip groups all cover the whole drawing space.
    template <class Other> void apply(const Other&) {}

    void drawRun(const EmfText& run) {
        if (!m_dc.font)
            return;
        const double sx = m_innerWidth / m_dc.extent.cx;
        const double sy = m_innerHeight / m_dc.extent.cy;
        const double height = std::abs(static_cast<double>(m_dc.font->height)) * sy;
        const double y = (static_cast<double>(run.reference.y) - m_dc.origin.y) * sy;
        // Summed in 64 bits: advances from the file may be large, and their sum must not wrap.
        std::int64_t x = run.reference.x;
        for (std::size_t i = 0; i < run.text.size(); ++i) {
            const char16_t ch = run.text[i];
            if (ch != u' ')
                m_canvas.drawCharacter(m_dc.font->font, static_cast<double>(x - m_dc.origin.x) * sx,
                                       y, height, sx, sy, ch);
            if (i < run.dx.size())
                x += run.dx[i];
        }
    }

    double m_innerWidth;
    double m_innerHeight;
    TextCanvas& m_canvas;
    std::vector<const EmfCreateFont*> m_fonts; // by object number
    DcState m_dc;
    std::vector<DcState> m_saved;
};

} // namespace

int fontPixelSize(double unitsHigh) {
    constexpr double kLargest = 1 << 16;
    return static_cast<int>(std::clamp(unitsHigh + 0.5, 1.0, kLargest));
}

void playMetafile(const Metafile& metafile, double innerWidth, double innerHeight,
                  TextCanvas& canvas) {
    Player player(metafile, innerWidth, innerHeight, canvas);
    for (const auto& record : metafile.records)
        player.play(record);
}

} // namespace kt
