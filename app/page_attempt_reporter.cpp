#include "app/page_attempt_reporter.h"

#include <array>
#include <string>
#include <variant>

#include <emscripten/emscripten.h>

// clang-format off
EM_JS(int, kt_attempt_saved, (char* buffer, int size), {
    const text = ktAttempt.saved();
    if (lengthBytesUTF8(text) >= size) return -1;
    return stringToUTF8(text, buffer, size), lengthBytesUTF8(text);
});
EM_JS(void, kt_attempt_complain, (const char* text, int length), {
    ktAttempt.complain(UTF8ToString(text, length));
});
EM_JS(void, kt_attempt_started, (), { ktAttempt.started(); });
EM_JS(void, kt_attempt_tried, (int question, int option, int rightOption, int right,
                               const char* words, int wordsLength, const char* choices, int choicesLength), {
    ktAttempt.tried(question, option, rightOption, right !== 0, UTF8ToString(words, wordsLength),
                    UTF8ToString(choices, choicesLength));
});
EM_JS(void, kt_attempt_result, (int mark, double total), { ktAttempt.result(mark, total); });
EM_JS(void, kt_attempt_ended, (), { ktAttempt.ended(); });
// clang-format on

namespace kt::web {

ChoiceRecord PageAttemptReporter::earlierChoices() {
    std::array<char, 4097> buffer{}; // the most a SCORM 1.2 platform keeps, and its end
    const int length = kt_attempt_saved(buffer.data(), static_cast<int>(buffer.size()));
    if (length < 0) {
        const std::string_view why = "the platform's saved data is too long to be choices";
        kt_attempt_complain(why.data(), static_cast<int>(why.size()));
        return {};
    }
    auto read = ChoiceRecord::read({buffer.data(), static_cast<std::size_t>(length)});
    if (const auto* fault = std::get_if<ChoiceRecord::Fault>(&read)) {
        const std::string why = "the platform's saved data is not a record of choices: at " +
                                std::to_string(fault->offset) + ", " + std::string(fault->message);
        kt_attempt_complain(why.data(), static_cast<int>(why.size()));
        return {};
    }
    m_choices = std::get<ChoiceRecord>(std::move(read));
    return m_choices;
}

void PageAttemptReporter::started() {
    kt_attempt_started();
}

void PageAttemptReporter::tried(const AnswerTry& answer) {
    m_choices.add(answer.option, answer.right);
    const std::string choices = m_choices.text();
    kt_attempt_tried(static_cast<int>(indexOf(answer.form)) + 1, answer.option, answer.rightOption,
                     answer.right ? 1 : 0, answer.question.data(),
                     static_cast<int>(answer.question.size()), choices.data(),
                     static_cast<int>(choices.size()));
}

void PageAttemptReporter::resultShown(std::int32_t mark, double total) {
    kt_attempt_result(mark, total);
}

void PageAttemptReporter::ended() {
    kt_attempt_ended();
}

} // namespace kt::web
