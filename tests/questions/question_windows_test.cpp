#include "app/program_description.h"
#include "questions/question_windows.h"
#include "result/result_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kt {
namespace {

// Form1 as the layout sheet draws it, every control in list order.
TEST(QuestionWindows, Form1MatchesItsLayoutSheet) {
    const WindowDescription& w = kQuestionWindows[0];
    EXPECT_EQ(w.Name, "Form1");
    EXPECT_EQ(w.Caption, "1");
    EXPECT_EQ(w.ClientWidth, 9285);
    EXPECT_EQ(w.ClientHeight, 3765);
    EXPECT_EQ(w.StartUpPosition, 2);

    struct Row {
        const char* name;
        ControlKind kind;
        Rect rect;
        int tab;
        const char* caption;
    };
    const Row rows[] = {
        {"Picture2", ControlKind::PictureBox, {240, 960, 2775, 2895}, 6, ""},
        {"Option3", ControlKind::OptionButton, {5040, 720, 255, 255}, 5, "Option3"},
        {"Option2", ControlKind::OptionButton, {3000, 720, 255, 255}, 4, "Option2"},
        {"Option1", ControlKind::OptionButton, {840, 720, 255, 255}, 3, "Option1"},
        {"Picture1", ControlKind::PictureBox, {120, 120, 9015, 855}, 2, ""},
        {"Command1", ControlKind::CommandButton, {4200, 1680, 1215, 495}, 0, "Далее"},
        {"Label2", ControlKind::Label, {3360, 1560, 735, 495}, 1, ""},
    };
    ASSERT_EQ(w.controls().size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& c = w.controls()[i];
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(c.Name, rows[i].name);
        EXPECT_EQ(c.kind, rows[i].kind);
        EXPECT_EQ(c.rect, rows[i].rect);
        EXPECT_EQ(c.TabIndex, rows[i].tab);
        EXPECT_EQ(c.Caption, rows[i].caption);
    }
    EXPECT_EQ(w.control("Picture1")->Picture, PictureId::Form1_Picture1);
    EXPECT_EQ(w.control("Picture2")->Picture, PictureId::Form1_Picture2);
    EXPECT_EQ(*w.control("Command1")->Font,
              (FontDescription{"Times New Roman", 14.25, 400, false, false, false}));
    EXPECT_EQ(*w.control("Label2")->Font,
              (FontDescription{"Times New Roman", 20.25, 700, false, false, false}));
    EXPECT_EQ(w.control("Label2")->ForeColor, kBlack);
    EXPECT_EQ(w.control("Label2")->Alignment, TextAlignment::Centre);
}

TEST(QuestionWindows, OnlySixWindowsHaveAGraphAndOnlyForm4WritesInWindowText) {
    const std::set<int> withGraph = {1, 2, 3, 5, 6, 7};
    for (int n = 1; n <= 10; ++n) {
        const auto& w = kQuestionWindows[static_cast<std::size_t>(n - 1)];
        SCOPED_TRACE(w.Name);
        EXPECT_EQ(w.Caption, std::to_string(n));
        EXPECT_EQ(w.controls().size(), withGraph.count(n) ? 7u : 6u);
        EXPECT_EQ(w.control("Label2")->ForeColor, n == 4 ? kWindowText : kBlack);
        EXPECT_EQ(kWindowText.value, 0x80000008u);
    }
}

// Every window, the result window included: tab indices 0.. without gaps, unique names, the
// three options in one row, the statement box under them.
TEST(WindowDescriptions, AreConsistent) {
    for (FormId id : kAllForms) {
        const WindowDescription& w = descriptionOf(id);
        SCOPED_TRACE(w.Name);
        std::vector<int> tabs;
        std::set<std::string_view> names;
        for (const auto& c : w.controls()) {
            tabs.push_back(c.TabIndex);
            names.insert(c.Name);
            EXPECT_GE(c.rect.Left, 0);
            EXPECT_LE(c.rect.right(), 10095 + 630);
        }
        std::sort(tabs.begin(), tabs.end());
        for (std::size_t i = 0; i < tabs.size(); ++i)
            EXPECT_EQ(tabs[i], static_cast<int>(i));
        EXPECT_EQ(names.size(), w.controls().size());
        EXPECT_EQ(w.control("Command1")->TabIndex, 0);
        if (!isQuestion(id))
            continue;
        const Rect statement = w.control("Picture1")->rect;
        const Rect o1 = w.control("Option1")->rect, o2 = w.control("Option2")->rect,
                   o3 = w.control("Option3")->rect;
        EXPECT_TRUE(o1.Top == o2.Top && o2.Top == o3.Top);
        EXPECT_LT(o1.Left, o2.Left);
        EXPECT_LT(o2.Left, o3.Left);
        for (const Rect& o : {o1, o2, o3}) {
            EXPECT_GE(o.Top, statement.Top);
            EXPECT_LE(o.bottom(), statement.bottom());
        }
        EXPECT_EQ(w.control("Picture1")->Border, PictureBorder::Flat);
        if (const auto* graph = w.control("Picture2")) {
            EXPECT_EQ(graph->Border, PictureBorder::Sunken);
        }
    }
}

TEST(ResultWindow, MatchesItsLayoutSheet) {
    const WindowDescription& w = kResultWindow;
    EXPECT_EQ(w.Caption, "Результат");
    EXPECT_EQ(w.ClientWidth, 7875);
    EXPECT_EQ(w.ClientHeight, 3570);
    ASSERT_EQ(w.controls().size(), 3u);
    EXPECT_EQ(w.controls()[0].Name, "Command1");
    EXPECT_EQ(w.controls()[0].Caption, "Выход");
    EXPECT_EQ(w.controls()[0].rect, (Rect{3360, 2198, 1215, 495}));
    EXPECT_EQ(w.controls()[1].Name, "Label1");
    EXPECT_EQ(w.controls()[1].Caption, "Результат:");
    EXPECT_EQ(w.controls()[1].rect, (Rect{3030, 878, 1815, 375}));
    EXPECT_EQ(w.controls()[1].TabIndex, 2);
    EXPECT_EQ(w.controls()[2].Name, "Label2");
    EXPECT_EQ(w.controls()[2].rect, (Rect{3600, 1478, 735, 495}));
    EXPECT_EQ(w.controls()[2].TabIndex, 1);
    // Label1 is centred on the window; the mark and the button share a line 30 twips right of it.
    const auto centre = [](const Rect& r) { return r.Left * 2 + r.Width; };
    EXPECT_EQ(centre(w.controls()[1].rect), w.ClientWidth);
    EXPECT_EQ(centre(w.controls()[0].rect), w.ClientWidth + 60);
    EXPECT_EQ(centre(w.controls()[2].rect), w.ClientWidth + 60);
}

} // namespace
} // namespace kt
