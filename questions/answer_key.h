#pragma once

#include "runtime/form_id.h"
#include "ui/description.h"

#include <array>
#include <string_view>

namespace kt {

// What choosing one option and clicking Command1 does: move on, or write a wrong mark.
struct OptionAction {
    bool right = false;
    std::string_view mark; // written into Label2 when wrong
};

constexpr OptionAction right() {
    return {true, {}};
}
constexpr OptionAction wrong(std::string_view mark) {
    return {false, mark};
}

struct AnswerKey {
    FormId form;
    std::array<OptionAction, 3> options; // Option1, Option2, Option3
    FormId next;
};

inline constexpr std::array<ControlId, 3> kOptions = {ControlId::Option1, ControlId::Option2,
                                                      ControlId::Option3};

// clang-format off
inline constexpr std::array<AnswerKey, 10> kAnswerKeys = {{
    //  window          Option1         Option2         Option3         next window
    {FormId::Form1,  {wrong("???"), wrong("?"),   right()},      FormId::Form2},
    {FormId::Form2,  {right(),      wrong("?"),   wrong("???")}, FormId::Form3},
    {FormId::Form3,  {wrong("???"), right(),      wrong("?")},   FormId::Form4},
    {FormId::Form4,  {right(),      wrong("?"),   wrong("???")}, FormId::Form5},
    {FormId::Form5,  {right(),      wrong("?"),   wrong("???")}, FormId::Form6},
    {FormId::Form6,  {wrong("?"),   right(),      wrong("???")}, FormId::Form7},
    {FormId::Form7,  {right(),      wrong("???"), wrong("?")},   FormId::Form8},
    {FormId::Form8,  {wrong("?"),   wrong("???"), right()},      FormId::Form9},
    {FormId::Form9,  {wrong("?"),   wrong("???"), right()},      FormId::Form10},
    {FormId::Form10, {right(),      wrong("?"),   wrong("???")}, FormId::Form11},
}};
// clang-format on

constexpr const AnswerKey& answerKeyOf(FormId form) {
    return kAnswerKeys[indexOf(form)];
}

// Where the key's right option stands: 0 to 2, for Option1 to Option3.
constexpr std::size_t rightPlaceOf(const AnswerKey& key) {
    std::size_t place = 0;
    while (!key.options[place].right)
        ++place;
    return place;
}

static_assert(
    [] {
        for (std::size_t i = 0; i < kAnswerKeys.size(); ++i) {
            const auto& key = kAnswerKeys[i];
            int rights = 0;
            for (const auto& option : key.options)
                rights += option.right ? 1 : 0;
            if (key.form != formAt(i) || key.next != formAt(i + 1) || rights != 1)
                return false;
        }
        return true;
    }(),
    "every question window has exactly one right option and leads to the next window");

} // namespace kt
