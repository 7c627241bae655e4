#include "app/program_description.h"
#include "questions/question_windows.h"
#include "result/result_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kt {
namespace {

// The controls' list order decides their stacking: the graph and the options lie in front of the
// statement box, whose letters they stand on.
TEST(QuestionWindows, ListTheirControlsFrontToBack) {
    const std::vector<ControlId> order = {
        ControlId::Picture2, ControlId::Option3,  ControlId::Option2, ControlId::Option1,
        ControlId::Picture1, ControlId::Command1, ControlId::Label2};
    for (const WindowDescription& w : kQuestionWindows) {
        SCOPED_TRACE(w.Name);
        std::vector<ControlId> ids;
        for (const auto& c : w.controls())
            ids.push_back(c.id);
        const bool graph = w.control(ControlId::Picture2) != nullptr;
        EXPECT_EQ(ids, std::vector<ControlId>(order.begin() + (graph ? 0 : 1), order.end()));
        EXPECT_EQ(w.StartUpPosition, StartPosition::CentreScreen);
    }
}

TEST(QuestionWindows, OnlySixWindowsHaveAGraphAndOnlyForm4WritesInWindowText) {
    const std::set<int> withGraph = {1, 2, 3, 5, 6, 7};
    for (int n = 1; n <= 10; ++n) {
        const auto& w = kQuestionWindows[static_cast<std::size_t>(n - 1)];
        SCOPED_TRACE(w.Name);
        EXPECT_EQ(w.Caption, std::to_string(n));
        EXPECT_EQ(w.controls().size(), withGraph.count(n) ? 7u : 6u);
        EXPECT_EQ(w.control(ControlId::Label2)->ForeColor, n == 4 ? kWindowText : kBlack);
        EXPECT_EQ(kWindowText.value, 0x80000008u);
    }
}

// Every window, the result window included: tab indices 0.. without gaps, unique controls, the
// three options in one row, the statement box under them.
TEST(WindowDescriptions, AreConsistent) {
    for (FormId id : kAllForms) {
        const WindowDescription& w = descriptionOf(id);
        SCOPED_TRACE(w.Name);
        std::vector<int> tabs;
        std::set<ControlId> ids;
        for (const auto& c : w.controls()) {
            tabs.push_back(c.TabIndex);
            ids.insert(c.id);
            EXPECT_GE(c.rect.Left, 0);
            EXPECT_LE(c.rect.right(), 10095 + 630);
        }
        std::sort(tabs.begin(), tabs.end());
        for (std::size_t i = 0; i < tabs.size(); ++i)
            EXPECT_EQ(tabs[i], static_cast<int>(i));
        EXPECT_EQ(ids.size(), w.controls().size());
        EXPECT_EQ(w.control(ControlId::Command1)->TabIndex, 0);
        if (!isQuestion(id))
            continue;
        const Rect statement = w.control(ControlId::Picture1)->rect;
        const Rect o1 = w.control(ControlId::Option1)->rect,
                   o2 = w.control(ControlId::Option2)->rect,
                   o3 = w.control(ControlId::Option3)->rect;
        EXPECT_TRUE(o1.Top == o2.Top && o2.Top == o3.Top);
        EXPECT_LT(o1.Left, o2.Left);
        EXPECT_LT(o2.Left, o3.Left);
        for (const Rect& o : {o1, o2, o3}) {
            EXPECT_GE(o.Top, statement.Top);
            EXPECT_LE(o.bottom(), statement.bottom());
        }
        EXPECT_EQ(w.control(ControlId::Picture1)->border, PictureBorder::Flat);
        if (const auto* graph = w.control(ControlId::Picture2)) {
            EXPECT_EQ(graph->border, PictureBorder::Sunken);
        }
    }
}

TEST(ResultWindow, CentresItsHeadingAndLinesUpTheMarkWithTheButton) {
    const WindowDescription& w = kResultWindow;
    const Rect button = w.control(ControlId::Command1)->rect;
    const Rect heading = w.control(ControlId::Label1)->rect;
    const Rect mark = w.control(ControlId::Label2)->rect;
    // Label1 is centred on the window; the mark and the button share a line 30 twips right of it.
    const auto centre = [](const Rect& r) { return r.Left * 2 + r.Width; };
    EXPECT_EQ(centre(heading), w.ClientWidth);
    EXPECT_EQ(centre(button), w.ClientWidth + 60);
    EXPECT_EQ(centre(mark), w.ClientWidth + 60);
    EXPECT_LT(heading.bottom(), mark.Top);
    EXPECT_LT(mark.bottom(), button.Top);
}

} // namespace
} // namespace kt
