#include "tools/picture_generator/statement_renderer.h"

#include "tools/picture_generator/text_painter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace kt::pictures {

namespace {

constexpr std::array<std::string_view, 3> kLetters = {"А.", "Б.", "В."};

// Bitmap layout, in pixels: the number near the left edge, the statement after a tab.
constexpr int kNumberPen = 3;
constexpr int kTextPen = 32;
constexpr int kTextSize = 16;
constexpr int kSuperscriptSize = 11;
constexpr int kSuperscriptRise = 6;
// The gap a value must keep from the next choice letter.
constexpr int kMinimumChoiceGap = 8;

// Metafile layout, in units of 1/600 inch: the tab after the number sits at half an inch.
constexpr int kMetafileNumberX = 0;
constexpr int kMetafileTextX = 300;
constexpr int kMetafileMinimumChoiceGap = 60;

class BitmapLine {
public:
    BitmapLine(RgbImage& image, const TextPainter& painter, int baseline)
        : m_image(image), m_painter(painter), m_baseline(baseline) {}

    int draw(std::string_view text, Face face, bool superscript, int penX) {
        const TextStyle style{face, superscript ? kSuperscriptSize : kTextSize,
                              face == Face::SerifBold, kStatementInk};
        const std::u32string chars = decodeUtf8(text);
        // A raised figure keeps a blank column between itself and the letter before it.
        if (superscript && !m_lastInk.empty())
            penX = std::max(penX, m_lastInk.right + 2 - m_painter.measure(style, chars).left);
        PixelBox ink;
        const int end = m_painter.draw(m_image, style, chars, penX,
                                       m_baseline - (superscript ? kSuperscriptRise : 0), &ink);
        if (!ink.empty())
            m_lastInk = ink;
        return end;
    }
    int draw(const Spans& spans, int penX) {
        for (const Span& span : spans)
            penX = draw(span.text, span.face, span.superscript, penX);
        return penX;
    }

private:
    RgbImage& m_image;
    const TextPainter& m_painter;
    int m_baseline;
    PixelBox m_lastInk;
};

} // namespace

RgbImage renderStatementBitmap(const StatementSource& source, const FontLibrary& fonts) {
    const BitmapStatementLayout& layout = source.bitmap;
    if (source.lines.size() + 1 != layout.baselines.size())
        throw std::runtime_error("one baseline per line is needed");

    RgbImage image(layout.width, layout.height, kStatementBackground);
    const TextPainter painter(fonts);

    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        BitmapLine line(image, painter, layout.baselines[i]);
        if (i == 0)
            line.draw(source.number, Face::Serif, false, kNumberPen);
        line.draw(source.lines[i], kTextPen);
    }

    BitmapLine choices(image, painter, layout.baselines.back());
    const TextStyle letterStyle{Face::SerifBold, kTextSize, true, kStatementInk};
    for (std::size_t k = 0; k < 3; ++k) {
        const std::u32string letter = decodeUtf8(kLetters[k]);
        const int pen = layout.letterColumns[k] - painter.measure(letterStyle, letter).left;
        int end = choices.draw(kLetters[k], Face::SerifBold, false, pen);
        end = choices.draw(" ", Face::Serif, false, end);
        end = choices.draw(source.choices[k], end);
        if (k < 2 && end + kMinimumChoiceGap > layout.letterColumns[k + 1])
            throw std::runtime_error("choice runs into the next letter");
    }
    return image;
}

namespace {

EmfFont metafileFont(Face face) {
    switch (face) {
    case Face::Serif:
        return {u"Times New Roman", 400, false, 0x12};
    case Face::SerifBold:
        return {u"Times New Roman", 700, false, 0x12};
    case Face::SerifItalic:
        return {u"Times New Roman", 400, true, 0x12};
    case Face::BookItalic:
        return {u"Book Antiqua", 400, true, 0x12};
    case Face::Sans:
        return {u"Arial", 400, false, 0x22};
    }
    throw std::logic_error("unknown face");
}

// In a metafile a raised figure is its own character.
std::u32string metafileText(const Span& span) {
    std::u32string text = decodeUtf8(span.text);
    if (!span.superscript)
        return text;
    for (char32_t& c : text) {
        if (c == U'2')
            c = U'\u00B2';
        else if (c == U'3')
            c = U'\u00B3';
        else
            throw std::runtime_error("no raised form for a character of a superscript");
    }
    return text;
}

class MetafileLayout {
public:
    MetafileLayout(EmfTextPicture& picture, const FontLibrary& fonts)
        : m_picture(picture), m_fonts(fonts) {}

    int add(const Span& span, int x, int baseline) {
        EmfTextRun run;
        run.font = metafileFont(span.face);
        run.x = x;
        run.y = baseline;
        const std::u32string text = metafileText(span);
        run.text = toUtf16(text);
        for (char32_t c : text) {
            if (const auto box = m_fonts.inkBox(span.face, c)) {
                m_ink.add(static_cast<int>(std::floor(x + box->xMin * kEmfFontHeight)),
                          static_cast<int>(std::floor(baseline - box->yMax * kEmfFontHeight)));
                m_ink.add(static_cast<int>(std::ceil(x + box->xMax * kEmfFontHeight)) - 1,
                          static_cast<int>(std::ceil(baseline - box->yMin * kEmfFontHeight)) - 1);
            }
            const auto advance = static_cast<std::int32_t>(
                std::lround(m_fonts.designAdvance(span.face, c) * kEmfFontHeight));
            run.advances.push_back(advance);
            x += advance;
        }
        m_picture.runs.push_back(std::move(run));
        return x;
    }
    int add(const Spans& spans, int x, int baseline) {
        for (const Span& span : spans)
            x = add(span, x, baseline);
        return x;
    }
    const PixelBox& ink() const { return m_ink; }

private:
    EmfTextPicture& m_picture;
    const FontLibrary& m_fonts;
    PixelBox m_ink;
};

} // namespace

EmfTextPicture buildStatementMetafile(const StatementSource& source, const FontLibrary& fonts) {
    const MetafileStatementLayout& layout = source.metafile;
    if (source.lines.size() + 1 != layout.baselines.size())
        throw std::runtime_error("one baseline per line is needed");

    EmfTextPicture picture;
    picture.width = kMetafileWidth;
    picture.height = layout.drawingHeight;
    picture.frame = {0, 0, kMetafileFrameWidth, layout.frameHeight};

    MetafileLayout text(picture, fonts);
    for (std::size_t i = 0; i < source.lines.size(); ++i) {
        const int baseline = layout.baselines[i];
        if (i == 0)
            text.add(Span{source.number}, kMetafileNumberX, baseline);
        const int end = text.add(source.lines[i], kMetafileTextX, baseline);
        if (end > kMetafileWidth)
            throw std::runtime_error("line leaves the picture");
    }

    const int baseline = layout.baselines.back();
    for (std::size_t k = 0; k < 3; ++k) {
        int x = text.add(Span{kLetters[k], Face::SerifBold}, kMetafileLetterStops[k], baseline);
        x = text.add(Span{" "}, x, baseline);
        x = text.add(source.choices[k], x, baseline);
        const int limit =
            k < 2 ? kMetafileLetterStops[k + 1] - kMetafileMinimumChoiceGap : kMetafileWidth;
        if (x > limit)
            throw std::runtime_error("choice runs into the next letter");
    }

    const PixelBox& ink = text.ink();
    if (ink.left < 0 || ink.top < 0 || ink.right >= picture.width || ink.bottom >= picture.height)
        throw std::runtime_error("text leaves the drawing space");
    picture.bounds = {ink.left, ink.top, ink.right, ink.bottom};
    return picture;
}

} // namespace kt::pictures
