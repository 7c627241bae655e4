#pragma once

// Finding the lines of text in a picture, whichever kind of image holds it.

#include <vector>

namespace kt::test {

// Rows or columns, both ends inclusive.
struct Span {
    int first = 0;
    int last = -1;
    bool empty() const { return last < first; }
    double centre() const { return (first + last + 1) / 2.0; }
};

// Runs of rows from `top` to `bottom` that hold ink between columns `left` and `right`,
// separated by rows without: the text lines. `inkAt(x, y)` tells ink from background.
template <class InkAt>
std::vector<Span> textLines(int left, int top, int right, int bottom, InkAt inkAt) {
    std::vector<Span> lines;
    for (int y = top; y <= bottom; ++y) {
        bool ink = false;
        for (int x = left; x <= right && !ink; ++x)
            ink = inkAt(x, y);
        if (!ink)
            continue;
        if (!lines.empty() && lines.back().last == y - 1)
            lines.back().last = y;
        else
            lines.push_back({y, y});
    }
    return lines;
}

} // namespace kt::test
