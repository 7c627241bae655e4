#include "app/page_attempt_reporter.h"

#include <array>
#include <string>
#include <variant>

namespace kt::web {

ChoiceRecord PageAttemptReporter::earlierChoices() {
    std::array<char, 4097> buffer{}; // the most a SCORM 1.2 platform keeps, and its end
    const int length = kt_page_attempt_saved(buffer.data(), buffer.size());
    if (length < 0) {
        kt_page_attempt_complain("the platform's saved data is too long to be choices");
        return {};
    }
    auto read = ChoiceRecord::read({buffer.data(), static_cast<std::size_t>(length)});
    if (const auto* fault = std::get_if<ChoiceRecord::Fault>(&read)) {
        const std::string why = "the platform's saved data is not a record of choices: at " +
                                std::to_string(fault->offset) + ", " + std::string(fault->message);
        kt_page_attempt_complain(why.c_str());
        return {};
    }
    m_choices = std::get<ChoiceRecord>(std::move(read));
    return m_choices;
}

void PageAttemptReporter::tried(const AnswerTry& answer) {
    m_choices.add(answer.option, answer.right);
    kt_page_attempt_tried(static_cast<int>(indexOf(answer.form)) + 1, answer.option,
                          answer.rightOption, answer.right, std::string(answer.question).c_str(),
                          m_choices.text().c_str());
}

} // namespace kt::web
