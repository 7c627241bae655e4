#pragma once

#include <cassert>
#include <cstdint>
#include <vector>

namespace kt::pictures {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A picture being drawn: rows from the top, three channels a pixel.
class RgbImage {
public:
    RgbImage() = default;
    RgbImage(int width, int height, Rgb fill)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {
        assert(width > 0 && height > 0);
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    Rgb at(int x, int y) const {
        assert(contains(x, y));
        return m_pixels[index(x, y)];
    }
    // Drawing outside the picture is cut off, as a picture box cuts off what leaves it.
    void set(int x, int y, Rgb colour) {
        if (contains(x, y))
            m_pixels[index(x, y)] = colour;
    }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
               static_cast<std::size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<Rgb> m_pixels;
};

} // namespace kt::pictures
