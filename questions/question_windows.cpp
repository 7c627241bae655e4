#include "questions/question_windows.h"

#include "questions/question_texts.h"

namespace kt {

namespace {

// What differs between the ten question windows; everything else is the same on all of them.
struct QuestionLayout {
    std::string_view name;
    std::string_view caption;
    int clientWidth, clientHeight;
    Rect statement; // Picture1
    PictureId statementPicture;
    Rect graph; // Picture2; empty when the window has none
    PictureId graphPicture;
    int optionsTop;
    std::array<int, 3> optionLefts; // Option1, Option2, Option3
    int commandLeft, commandTop;
    int labelLeft, labelTop;
    Colour labelColour;
};

// What assistive technology calls each window and its statement.
constexpr std::string_view kWindowNames[] = {
    "Вопрос 1 из 10", "Вопрос 2 из 10", "Вопрос 3 из 10", "Вопрос 4 из 10", "Вопрос 5 из 10",
    "Вопрос 6 из 10", "Вопрос 7 из 10", "Вопрос 8 из 10", "Вопрос 9 из 10", "Вопрос 10 из 10"};
constexpr std::string_view kStatementNames[] = {"Вопрос 1", "Вопрос 2", "Вопрос 3", "Вопрос 4",
                                                "Вопрос 5", "Вопрос 6", "Вопрос 7", "Вопрос 8",
                                                "Вопрос 9", "Вопрос 10"};

using P = PictureId;
constexpr Rect kNone{};

// clang-format off
constexpr QuestionLayout kLayouts[] = {
    // name     cap   client         Picture1 (statement)       picture            Picture2 (graph)         picture            opt top  Option1..3 Left      Command1     Label2       Label2 colour
    {"Form1",  "1",  9285, 3765, {120, 120, 9015,  855}, P::Form1_Picture1,  {240,  960, 2775, 2895}, P::Form1_Picture2, 720,  {840,  3000, 5040}, 4200, 1680, 3360, 1560, kBlack},
    {"Form2",  "2",  7200, 4215, {  0,   0, 7215,  975}, P::Form2_Picture1,  {120, 1080, 2775, 2775}, P::Form2_Picture2, 600,  {860,  3000, 5160}, 3480, 1560, 2520, 1560, kBlack},
    {"Form3",  "3", 10095, 4215, {120, 120, 9975,  975}, P::Form3_Picture1,  {120, 1320, 2655, 2655}, P::Form3_Picture2, 840,  {1320, 3600, 5880}, 3240, 1920, 2760, 1320, kBlack},
    {"Form4",  "4",  7905, 2955, {120, 120, 8415, 1335}, P::Form4_Picture1,  kNone,                   P::None,           1080, {1080, 3000, 4920}, 2280, 1920, 1320, 1800, kWindowText},
    {"Form5",  "5",  8295, 4890, {120, 120, 8055,  975}, P::Form5_Picture1,  {120, 1200, 2295, 2295}, P::Form5_Picture2, 840,  {1080, 2880, 4680}, 4200, 1440, 3375, 1440, kBlack},
    {"Form6",  "6",  8295, 5295, {120, 120, 8055, 1335}, P::Form6_Picture1,  {  0, 1560, 2655, 2415}, P::Form6_Picture2, 1080, {1080, 2880, 4680}, 3840, 1800, 2880, 2040, kBlack},
    {"Form7",  "7",  7455, 4710, {120, 120, 7335, 1095}, P::Form7_Picture1,  {  0, 1320, 2535, 2415}, P::Form7_Picture2, 600,  {960,  2640, 4320}, 4680, 1440, 3840, 1560, kBlack},
    {"Form8",  "8",  9585, 4215, {120, 120, 9375, 1095}, P::Form8_Picture1,  kNone,                   P::None,           720,  {960,  3120, 5280}, 4425, 1320, 3705, 1320, kBlack},
    {"Form9",  "9",  8145, 2700, {120, 120, 7815, 1095}, P::Form9_Picture1,  kNone,                   P::None,           720,  {1080, 3240, 5280}, 3330, 1320, 2610, 1320, kBlack},
    {"Form10", "10", 8805, 3675, {120, 120, 8655, 1095}, P::Form10_Picture1, kNone,                   P::None,           720,  {1080, 3120, 5280}, 3600, 1800, 2520, 1800, kBlack},
};
// clang-format on

constexpr int kOptionSize = 255;

constexpr ControlDescription option(ControlId id, int left, int top, int tabIndex,
                                    std::string_view caption, std::string_view choice) {
    return {.id = id,
            .kind = ControlKind::OptionButton,
            .rect = {left, top, kOptionSize, kOptionSize},
            .TabIndex = tabIndex,
            .Caption = caption,
            .accessibleName = choice};
}

// Controls in list order, front to back: Picture2, Option3, Option2, Option1, Picture1,
// Command1, Label2. The pictures and the buttons in front of their letters carry the question's
// words for assistive technology.
constexpr WindowDescription questionWindow(std::size_t index) {
    const QuestionLayout& l = kLayouts[index];
    const QuestionText& text = kQuestionTexts[index];
    WindowDescription w{.Name = l.name,
                        .Caption = l.caption,
                        .ClientWidth = l.clientWidth,
                        .ClientHeight = l.clientHeight,
                        .accessibleName = kWindowNames[index],
                        .describedBy = ControlId::Picture1};
    auto add = [&w](const ControlDescription& c) { w.controlSlots[w.controlCount++] = c; };
    if (l.graphPicture != PictureId::None)
        add({.id = ControlId::Picture2,
             .kind = ControlKind::PictureBox,
             .rect = l.graph,
             .TabIndex = 6,
             .Picture = l.graphPicture,
             .accessibleName = text.graphName,
             .accessibleDescription = text.graph});
    add(option(ControlId::Option3, l.optionLefts[2], l.optionsTop, 5, "Option3", text.choices[2]));
    add(option(ControlId::Option2, l.optionLefts[1], l.optionsTop, 4, "Option2", text.choices[1]));
    add(option(ControlId::Option1, l.optionLefts[0], l.optionsTop, 3, "Option1", text.choices[0]));
    add({.id = ControlId::Picture1,
         .kind = ControlKind::PictureBox,
         .rect = l.statement,
         .TabIndex = 2,
         .Picture = l.statementPicture,
         .border = PictureBorder::Flat,
         .accessibleName = kStatementNames[index],
         .accessibleDescription = text.statement});
    add({.id = ControlId::Command1,
         .kind = ControlKind::CommandButton,
         .rect = {l.commandLeft, l.commandTop, 1215, 495},
         .TabIndex = 0,
         .Caption = "Далее",
         .Font = &kCaptionFont});
    add({.id = ControlId::Label2,
         .kind = ControlKind::Label,
         .rect = {l.labelLeft, l.labelTop, 735, 495},
         .TabIndex = 1,
         .Font = &kMarkFont,
         .ForeColor = l.labelColour,
         .Alignment = TextAlignment::Centre});
    return w;
}

template <std::size_t... I> constexpr auto buildAll(std::index_sequence<I...>) {
    return std::array<WindowDescription, sizeof...(I)>{questionWindow(I)...};
}

} // namespace

constexpr std::array<WindowDescription, 10> kQuestionWindowTable =
    buildAll(std::make_index_sequence<std::size(kLayouts)>{});

const std::array<WindowDescription, 10> kQuestionWindows = kQuestionWindowTable;

} // namespace kt
