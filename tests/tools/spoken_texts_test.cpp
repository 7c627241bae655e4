// What a screen reader reads of a question must be what its pictures show: the words the
// program speaks are held against the sources the pictures are drawn from.
#include "questions/question_texts.h"
#include "tools/picture_generator/question_sources.h"

#include <gtest/gtest.h>

#include <string>

namespace kt {
namespace {

std::string joined(const pictures::Spans& spans) {
    std::string text;
    for (const auto& span : spans)
        text += span.superscript && span.text == "2" ? std::string("²") : std::string(span.text);
    return text;
}

// Runs of blanks count as one: the pictures space some words apart by layout alone.
std::string squeezed(std::string text) {
    std::string out;
    for (char c : text)
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    return out;
}

TEST(SpokenTexts, StatementsAndChoicesAreThoseThePicturesDraw) {
    const auto& sources = pictures::statementSources();
    ASSERT_EQ(sources.size(), kQuestionTexts.size());
    const char* const letters[] = {"А. ", "Б. ", "В. "};
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const auto& source = sources[i];
        SCOPED_TRACE(std::string(source.window));
        std::string drawn(source.number);
        for (const auto& line : source.lines)
            drawn += " " + joined(line);
        EXPECT_EQ(squeezed(drawn), kQuestionTexts[i].statement);
        for (std::size_t c = 0; c < 3; ++c)
            EXPECT_EQ(squeezed(letters[c] + joined(source.choices[c])),
                      kQuestionTexts[i].choices[c]);
    }
}

TEST(SpokenTexts, EveryGraphIsDescribedWithItsRangesAndLines) {
    for (const auto& graph : pictures::graphSources()) {
        SCOPED_TRACE(std::string(graph.window));
        const std::size_t index = std::stoul(std::string(graph.window.substr(4))) - 1;
        const std::string words(kQuestionTexts.at(index).graph);
        ASSERT_FALSE(words.empty());
        EXPECT_NE(words.find("Время от 0 до " + std::to_string(graph.time.max)), std::string::npos);
        EXPECT_NE(words.find("скорость от 0 до " + std::to_string(graph.velocity.max)),
                  std::string::npos);
        for (const auto& line : graph.lines)
            if (!line.label.empty()) {
                EXPECT_NE(words.find("Линия " + std::string(line.label)), std::string::npos)
                    << "line " << line.label;
            }
        if (graph.lines.size() == 1) {
            EXPECT_NE(words.find("Одна прямая линия"), std::string::npos);
        }
    }
    int graphs = 0;
    for (const auto& text : kQuestionTexts)
        graphs += text.graph.empty() ? 0 : 1;
    EXPECT_EQ(static_cast<std::size_t>(graphs), pictures::graphSources().size());
}

} // namespace
} // namespace kt
