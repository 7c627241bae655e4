#include "ui/web/accessibility.h"

#include "questions/question_texts.h"

#include <array>

namespace kt::web {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isCount(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

AccessibleText describeWindow(FormId form) {
    if (!isQuestion(form))
        return {"Результат теста", {}};
    return {"Вопрос " + std::to_string(indexOf(form) + 1) + " из 10", {}};
}

AccessibleText describeControl(FormId form, std::string_view control) {
    if (!isQuestion(form))
        return {};
    const QuestionText& text = kQuestionTexts[indexOf(form)];
    if (control == "Picture1")
        return {"Вопрос " + std::to_string(indexOf(form) + 1), std::string(text.statement)};
    if (control == "Picture2")
        return {std::string(text.graphName), std::string(text.graph)};
    constexpr std::array<std::string_view, 3> options = {"Option1", "Option2", "Option3"};
    for (std::size_t i = 0; i < options.size(); ++i)
        if (control == options[i])
            return {std::string(text.choices[i]), {}};
    return {};
}

std::string spokenCaption(FormId form, std::string_view control, std::string_view caption) {
    if (control != "Label2" || trimmed(caption).empty())
        return std::string(caption);
    if (!isQuestion(form))
        return "Оценка: " + std::string(trimmed(caption));
    // A question window's label shows a wrong answer's mark ("???" or "?"), which a screen
    // reader would spell out sign by sign; its count is written only as the window goes.
    return isCount(caption) ? std::string(caption) : std::string(kWrongAnswerSpoken);
}

} // namespace kt::web
