// The five statement metafiles: the record subset and order that a picture box plays, the
// header's sizes and counts, the fonts, and every line of the statement and every choice.

#include "tools/committed_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace kt::test {
namespace {

struct ExpectedStatement {
    int window;
    std::string_view file;
    std::vector<std::string_view> lines; // the number's line first, the choices line last
    std::vector<std::int32_t> baselines;
    std::int32_t spaceHeight; // drawing units down
    std::int32_t frameBottom; // 0.01 mm
};

// The wording, line by line, as the questions put it. Each choice letter opens a run of its
// own, so the choices line reads as the choices written one after another.
const ExpectedStatement kStatements[] = {
    {3,
     "form3_picture1.emf",
     {"3.На каком из графиков (рис 3) представлено движение тела,",
      "имеющего наибольшее ускорение?", "А. 1Б. 2В. 3"},
     {90, 205, 320},
     345,
     1459},
    {4,
     "form4_picture1.emf",
     {"4.Какое из приведенных ниже уравнений описывает движение,",
      "при котором скорость тела увеличивается?", "А. v = 3 + 20tБ. v = 3 - 2tВ. v = -3 + t"},
     {90, 205, 323},
     351,
     1486},
    {5,
     "form5_picture1.emf",
     {"5.По графику зависимости скорости от времени  (рис 4)",
      "определите модуль перемещения тела за первые 4с его движения.", "А. 24 мБ. 48 мВ. 96 м"},
     {90, 205, 320},
     345,
     1459},
    {6,
     "form6_picture1.emf",
     {"6.На рисунке 5 приведен график зависимости скорости движения тела",
      "от времени. Какое уравнение соответствует этому графику?",
      "А. v = 3 + tБ. v = 3 - tВ. v = 3 - 3t"},
     {90, 205, 323},
     351,
     1486},
    {7,
     "form7_picture1.emf",
     {"7.Какой из графиков (рис 6) соответствует уравнению скорости v = 2 – t?", "А. 1Б. 2В. 3"},
     {93, 211},
     351,
     1486},
};

void PrintTo(const ExpectedStatement& s, std::ostream* os) {
    *os << s.file;
}

// The letters stand on tab stops 1.25 cm apart: the second, fifth and eighth.
constexpr std::array<std::int32_t, 3> kLetterStops = {590, 1475, 2360};
constexpr std::int32_t kSpaceWidth = 3898;
constexpr std::int32_t kIndent = 300; // half an inch: where the statement starts after the number

class MetafileStatement : public ::testing::TestWithParam<ExpectedStatement> {
protected:
    void SetUp() override {
        m_bytes = assetFile("pictures/" + std::string(GetParam().file));
        ASSERT_FALSE(m_bytes.empty());
        m_metafile = committedMetafile(GetParam().file);
        ASSERT_FALSE(m_metafile.records.empty());
        m_runs = textRuns(m_metafile);
    }

    // The runs on each baseline, left to right.
    std::map<std::int32_t, std::vector<const TextRun*>> lines() const {
        std::map<std::int32_t, std::vector<const TextRun*>> byBaseline;
        for (const TextRun& run : m_runs)
            byBaseline[run.text.reference.y].push_back(&run);
        for (auto& [y, runs] : byBaseline)
            std::sort(runs.begin(), runs.end(), [](const TextRun* a, const TextRun* b) {
                return a->text.reference.x < b->text.reference.x;
            });
        return byBaseline;
    }

    std::uint8_t byteAt(std::size_t offset) const {
        return std::to_integer<std::uint8_t>(m_bytes.at(offset));
    }

    std::vector<std::byte> m_bytes;
    Metafile m_metafile;
    std::vector<TextRun> m_runs;
};

TEST_P(MetafileStatement, HeaderDescribesTheFile) {
    const ExpectedStatement& e = GetParam();
    const EmfHeader& h = m_metafile.header;
    EXPECT_EQ(h.frame, (EmfRect{0, 0, 16500, e.frameBottom}));
    EXPECT_EQ(h.bytes, m_bytes.size());
    EXPECT_EQ(h.records, m_metafile.records.size());
    EXPECT_EQ(h.device, (EmfSize{4756, 6810}));
    EXPECT_EQ(h.millimeters, (EmfSize{201, 288}));
    ASSERT_TRUE(h.micrometers.has_value()) << "the 108-byte header";
    EXPECT_EQ(*h.micrometers, (EmfSize{201364, 288364}));
    EXPECT_EQ(h.version, 0x00010000u);

    std::set<std::uint32_t> fonts;
    for (const MetafileRecord& r : m_metafile.records)
        if (const auto* f = std::get_if<EmfCreateFont>(&r.data))
            fonts.insert(f->ihFont);
    EXPECT_EQ(h.handles, fonts.size() + 1);

    // The bounds enclose the ink: from near the first character to near the last one's end,
    // from above the first line's capitals to the last line's baseline or below.
    std::int32_t left = kSpaceWidth, right = 0;
    for (const TextRun& run : m_runs) {
        if (run.text.text.find_first_not_of(u' ') == std::u16string::npos)
            continue;
        left = std::min(left, run.text.reference.x);
        right = std::max(right, run.end());
    }
    EXPECT_GE(h.bounds.left, left);
    EXPECT_LE(h.bounds.left, left + 20);
    EXPECT_LE(h.bounds.right, right + 10);
    EXPECT_GE(h.bounds.right, right - 20);
    EXPECT_LE(h.bounds.top, e.baselines.front() - 60);
    EXPECT_GE(h.bounds.top, e.baselines.front() - 100);
    EXPECT_GE(h.bounds.bottom, e.baselines.back() - 1);
    EXPECT_LT(h.bounds.bottom, e.spaceHeight);
}

TEST_P(MetafileStatement, RecordsComeInTheOrderABoxPlays) {
    const ExpectedStatement& e = GetParam();
    const auto& records = m_metafile.records;
    ASSERT_GE(records.size(), 12u);
    auto type = [&](std::size_t i) { return records[i].type; };
    auto isEmfPlus = [&](std::size_t i) {
        const auto* c = std::get_if<EmfComment>(&records[i].data);
        return c != nullptr && c->identifier == 0x2B464D45; // "EMF+"
    };
    auto isStockFont = [&](std::size_t i) {
        const auto* s = std::get_if<EmfSelectObject>(&records[i].data);
        return s != nullptr && s->ihObject == kDeviceDefaultFont;
    };

    EXPECT_EQ(type(0), EmfRecordType::Header);
    EXPECT_TRUE(isEmfPlus(1));
    EXPECT_TRUE(isEmfPlus(2));
    ASSERT_EQ(type(3), EmfRecordType::SetTextAlign);
    EXPECT_EQ(std::get<EmfTextAlign>(records[3].data).mode, kTaBaseline);
    ASSERT_EQ(type(4), EmfRecordType::SetWindowOrgEx);
    EXPECT_EQ(std::get<EmfWindowOrg>(records[4].data).origin, (EmfPoint{0, 0}));
    ASSERT_EQ(type(5), EmfRecordType::SetWindowExtEx);
    EXPECT_EQ(std::get<EmfWindowExt>(records[5].data).extent,
              (EmfSize{kSpaceWidth, e.spaceHeight}));
    EXPECT_TRUE(isStockFont(6));

    const std::size_t n = records.size();
    EXPECT_TRUE(isStockFont(n - 4));
    EXPECT_TRUE(isEmfPlus(n - 3));
    EXPECT_TRUE(isEmfPlus(n - 2));
    EXPECT_EQ(type(n - 1), EmfRecordType::Eof);

    // Between them: text runs and what they need, and nothing that draws otherwise.
    int colours = 0;
    bool fontSelected = false;
    std::uint32_t nextFont = 1;
    for (std::size_t i = 7; i < n - 4; ++i) {
        switch (type(i)) {
        case EmfRecordType::SetBkMode:
            EXPECT_EQ(std::get<EmfBkMode>(records[i].data).mode, 1u) << "transparent";
            break;
        case EmfRecordType::SetTextColor:
            EXPECT_EQ(std::get<EmfTextColor>(records[i].data).colorRef, 0u) << "black";
            ++colours;
            break;
        case EmfRecordType::ExtCreateFontIndirectW:
            EXPECT_EQ(std::get<EmfCreateFont>(records[i].data).ihFont, nextFont++)
                << "fonts are numbered in the order they are made";
            break;
        case EmfRecordType::SelectObject: {
            const auto& select = std::get<EmfSelectObject>(records[i].data);
            EXPECT_FALSE(select.isStock()) << "record " << i;
            EXPECT_LT(select.ihObject, nextFont) << "a font is made before it is selected";
            fontSelected = true;
            break;
        }
        case EmfRecordType::ExtTextOutW:
            EXPECT_TRUE(fontSelected) << "record " << i << " draws in the stock font";
            EXPECT_EQ(colours, 1) << "the text colour is set once, before the first run";
            break;
        default:
            ADD_FAILURE() << "record " << i << " has type " << static_cast<int>(type(i));
        }
    }
    EXPECT_EQ(colours, 1);
}

// The EMF+ records ride in comments and draw nothing: a header marking the file as dual (the
// plain records alone draw it), settings and GetDC before the drawing, a world transform and
// end of file after it.
TEST_P(MetafileStatement, EmfPlusCommentsOnlyFrameThePlainRecords) {
    auto plusTypes = [&](std::size_t recordIndex) {
        std::vector<std::uint32_t> types;
        const MetafileRecord& r = m_metafile.records.at(recordIndex);
        const auto* comment = std::get_if<EmfComment>(&r.data);
        if (comment == nullptr)
            return types;
        std::size_t at = r.offset + 16;
        const std::size_t end = r.offset + 12 + comment->dataSize;
        while (at + 12 <= end) {
            types.push_back(u16At(m_bytes, at));
            const std::uint32_t size = u32At(m_bytes, at + 4);
            if (size < 12)
                break;
            at += size;
        }
        return types;
    };
    const std::size_t n = m_metafile.records.size();
    ASSERT_GE(n, 4u);
    EXPECT_EQ(plusTypes(1), (std::vector<std::uint32_t>{0x4001}));
    EXPECT_EQ(plusTypes(2),
              (std::vector<std::uint32_t>{0x4022, 0x401E, 0x4024, 0x4030, 0x4021, 0x4004}));
    EXPECT_EQ(plusTypes(n - 3), (std::vector<std::uint32_t>{0x402A}));
    EXPECT_EQ(plusTypes(n - 2), (std::vector<std::uint32_t>{0x4002}));

    const std::size_t header = m_metafile.records[1].offset + 16;
    EXPECT_EQ(u16At(m_bytes, header + 2) & 1u, 1u) << "dual";
    EXPECT_EQ(u32At(m_bytes, header + 12), 0xDBC01002u) << "graphics version 1.1";
    EXPECT_EQ(u32At(m_bytes, header + 20), 600u) << "dpi across";
    EXPECT_EQ(u32At(m_bytes, header + 24), 600u) << "dpi down";

    const std::size_t transform = m_metafile.records[n - 3].offset + 16;
    const std::array<std::uint32_t, 6> identity = {0x3F800000, 0, 0, 0x3F800000, 0, 0};
    for (std::size_t i = 0; i < identity.size(); ++i)
        EXPECT_EQ(u32At(m_bytes, transform + 12 + 4 * i), identity[i]) << "matrix element " << i;
}

TEST_P(MetafileStatement, FontsAreTheStatementFaces) {
    const std::map<std::string, std::uint8_t> kPitchAndFamily = {
        {"Times New Roman", 0x12}, {"Book Antiqua", 0x12}, {"Arial", 0x22}};

    int fonts = 0;
    for (const MetafileRecord& r : m_metafile.records) {
        const auto* f = std::get_if<EmfCreateFont>(&r.data);
        if (!f)
            continue;
        ++fonts;
        EXPECT_EQ(f->height, -100);
        EXPECT_EQ(f->width, 0);
        EXPECT_EQ(f->font.charset, 204);
        ASSERT_TRUE(kPitchAndFamily.contains(f->font.face)) << f->font.face;
        EXPECT_EQ(byteAt(r.offset + 4), 0x70) << "368-byte record";
        EXPECT_EQ(byteAt(r.offset + 5), 0x01) << "368-byte record";
        EXPECT_EQ(byteAt(r.offset + 36), 4) << "output precision";
        EXPECT_EQ(byteAt(r.offset + 37), 64) << "clip precision";
        EXPECT_EQ(byteAt(r.offset + 38), 0) << "quality";
        EXPECT_EQ(byteAt(r.offset + 39), kPitchAndFamily.at(f->font.face)) << f->font.face;
        // Times New Roman comes regular, bold and italic; Book Antiqua only italic; Arial
        // only regular.
        if (f->font.face == "Times New Roman") {
            EXPECT_TRUE(f->font.weight == 400 || (f->font.weight == 700 && !f->font.italic))
                << f->font.weight << (f->font.italic ? " italic" : "");
        } else {
            EXPECT_EQ(f->font.weight, 400) << f->font.face;
            EXPECT_EQ(f->font.italic, f->font.face == "Book Antiqua") << f->font.face;
        }
    }
    EXPECT_GE(fonts, 2) << "regular and bold at least";
}

TEST_P(MetafileStatement, EveryRunIsClippedToTheDrawingSpace) {
    for (const TextRun& run : m_runs) {
        const std::string what = utf8(run.text.text);
        EXPECT_EQ(run.text.options, kEtoClipped) << what;
        ASSERT_TRUE(run.text.clip.has_value()) << what;
        EXPECT_EQ(*run.text.clip, (EmfRect{0, 0, kSpaceWidth, GetParam().spaceHeight})) << what;
        EXPECT_EQ(run.text.graphicsMode, 1u) << what;
        ASSERT_EQ(run.text.dx.size(), run.text.text.size()) << what;
        EXPECT_LE(run.end(), kSpaceWidth) << what;
        EXPECT_GE(run.text.reference.x, 0) << what;
    }
}

TEST_P(MetafileStatement, FormulaFacesDrawOnlyTheirSigns) {
    for (const TextRun& run : m_runs) {
        const MetafileFont& f = run.font.font;
        std::u16string allowed;
        if (f.face == "Book Antiqua")
            allowed = u"v ";
        else if (f.face == "Arial")
            allowed = u" ";
        else if (f.italic)
            allowed = u"= ";
        else
            continue;
        EXPECT_EQ(run.text.text.find_first_not_of(allowed), std::u16string::npos)
            << f.face << " draws \"" << utf8(run.text.text) << "\"";
    }
}

// Advances are Times New Roman's widths at 100 units: a quarter em for the space and the full
// stop, half an em for the figures, in both weights.
TEST_P(MetafileStatement, AdvancesAreTimesWidths) {
    int checked = 0;
    for (const TextRun& run : m_runs) {
        if (run.font.font.face != "Times New Roman" || run.font.font.italic)
            continue;
        for (std::size_t i = 0; i < run.text.text.size(); ++i) {
            const char16_t c = run.text.text[i];
            if (c == u' ' || c == u'.')
                EXPECT_EQ(run.text.dx[i], 25) << utf8(run.text.text);
            else if (c >= u'0' && c <= u'9')
                EXPECT_EQ(run.text.dx[i], 50) << utf8(run.text.text);
            else
                continue;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_P(MetafileStatement, LinesReadAsTheQuestion) {
    const ExpectedStatement& e = GetParam();
    const auto byBaseline = lines();
    ASSERT_EQ(byBaseline.size(), e.lines.size());
    std::size_t i = 0;
    for (const auto& [y, runs] : byBaseline) {
        EXPECT_EQ(y, e.baselines[i]);
        std::u16string text;
        for (std::size_t k = 0; k < runs.size(); ++k) {
            text += runs[k]->text.text;
            if (k > 0) {
                EXPECT_LE(runs[k - 1]->end(), runs[k]->text.reference.x)
                    << "\"" << utf8(runs[k - 1]->text.text) << "\" runs into \""
                    << utf8(runs[k]->text.text) << "\"";
            }
        }
        EXPECT_EQ(utf8(text), e.lines[i]) << "line " << i + 1;
        ++i;
    }
}

TEST_P(MetafileStatement, NumberThenTabToTheIndent) {
    const ExpectedStatement& e = GetParam();
    const auto byBaseline = lines();
    ASSERT_EQ(byBaseline.size(), e.lines.size());
    const auto& first = byBaseline.begin()->second;
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(utf8(first[0]->text.text), std::to_string(e.window) + ".");
    EXPECT_LT(first[0]->text.reference.x, 60) << "the number stands near the left edge";
    EXPECT_EQ(first[1]->text.reference.x, kIndent);
    if (e.lines.size() == 3) {
        EXPECT_EQ(std::next(byBaseline.begin())->second.front()->text.reference.x, kIndent)
            << "the continuation line starts at the indent";
    }
}

TEST_P(MetafileStatement, ChoiceLettersStandOnTheTabStops) {
    const auto byBaseline = lines();
    ASSERT_FALSE(byBaseline.empty());
    std::vector<const TextRun*> letters;
    for (const TextRun* run : byBaseline.rbegin()->second)
        if (run->font.font.weight == 700)
            letters.push_back(run);
    ASSERT_EQ(letters.size(), 3u);
    const std::array<std::u16string, 3> names = {u"А.", u"Б.", u"В."};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(letters[k]->text.text, names[k]);
        EXPECT_EQ(letters[k]->text.reference.x, kLetterStops[k]);
    }
    for (const TextRun& run : m_runs) {
        if (run.font.font.weight == 700) {
            EXPECT_EQ(run.text.reference.y, GetParam().baselines.back())
                << "bold only for the choice letters";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Statements, MetafileStatement, ::testing::ValuesIn(kStatements),
                         WindowName{});

} // namespace
} // namespace kt::test
