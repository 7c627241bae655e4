// The metafiles are real EMF files: an ordinary metafile reader outside this program (emf2svg,
// from Debian's emf2svg package) turns each into a drawing that holds every text run of ours,
// in its face and weight, at its place.
#include "assets/unicode.h"
#include "tools/committed_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

namespace kt::test {
namespace {

struct SvgText {
    int x = 0, y = 0;
    bool bold = false;
    std::string text;
    friend auto operator<=>(const SvgText&, const SvgText&) = default;
};

std::set<SvgText> textsOf(const std::string& svg) {
    static const std::regex element(
        R"re(<text [^>]*font-weight="(\d+)"[^>]* x="(-?[\d.]+)" y="(-?[\d.]+)"[^>]*><!\[CDATA\[(.*?)\]\]></text>)re");
    std::set<SvgText> texts;
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), element);
         it != std::sregex_iterator(); ++it)
        texts.insert({static_cast<int>(std::stod((*it)[2])), static_cast<int>(std::stod((*it)[3])),
                      std::stoi((*it)[1]) >= 700, (*it)[4]});
    return texts;
}

class OrdinaryReader : public ::testing::TestWithParam<const char*> {};

TEST_P(OrdinaryReader, DrawsEveryTextRunOfOurs) {
    const std::string name = GetParam();
    const auto file = std::filesystem::path(KT_ASSETS_DIR) / "pictures" / name;
    const auto svg = std::filesystem::path(::testing::TempDir()) / (name + ".svg");
    const std::string command =
        "emf2svg-conv -i '" + file.string() + "' -o '" + svg.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << "emf2svg-conv could not read " << name;

    std::stringstream contents;
    contents << std::ifstream(svg).rdbuf();
    const auto drawn = textsOf(contents.str());
    ASSERT_FALSE(drawn.empty()) << "no text in the drawing of " << name;

    int letters = 0;
    for (const auto& run : textRuns(committedMetafile(name))) {
        const SvgText ours{run.text.reference.x, run.text.reference.y, run.font.font.weight >= 700,
                           utf8FromUtf16(run.text.text)};
        EXPECT_TRUE(drawn.count(ours)) << name << ": \"" << ours.text << "\" at " << ours.x << ", "
                                       << ours.y << " is not in the drawing";
        letters += ours.bold && (ours.text == "А." || ours.text == "Б." || ours.text == "В.");
    }
    EXPECT_EQ(letters, 3) << name;
}

INSTANTIATE_TEST_SUITE_P(Metafiles, OrdinaryReader,
                         ::testing::Values("form3_picture1.emf", "form4_picture1.emf",
                                           "form5_picture1.emf", "form6_picture1.emf",
                                           "form7_picture1.emf"));

} // namespace
} // namespace kt::test
