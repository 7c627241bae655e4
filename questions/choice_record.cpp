#include "questions/choice_record.h"

#include "questions/answer_key.h"

#include <algorithm>
#include <limits>

namespace kt {

namespace {

constexpr int kMostTries = std::numeric_limits<std::int16_t>::max();

} // namespace

std::variant<ChoiceRecord, ChoiceRecord::Fault> ChoiceRecord::read(std::string_view text) {
    ChoiceRecord record;
    std::size_t window = 0;
    int wrongTries = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        int times = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            if (at == start && text[at] == '0')
                return Fault{start, "a count starts with 0"};
            times = times * 10 + (text[at++] - '0');
            if (times > kMostTries)
                return Fault{start, "a count beyond 32767"};
        }
        if (at == start)
            times = 1;
        if (at == text.size() || text[at] < 'a' || text[at] > 'c')
            return Fault{at, "an option other than a, b or c"};
        if (window == kAnswerKeys.size())
            return Fault{start, "a choice after the last question"};
        const int option = text[at++] - 'a';
        if (kAnswerKeys[window].options[static_cast<std::size_t>(option)].right) {
            if (times != 1)
                return Fault{start, "a right answer counted more than once"};
            ++window;
            wrongTries = 0;
        } else if ((wrongTries += times) > kMostTries) {
            return Fault{start, "more wrong tries in one window than its counter holds"};
        }
        record.m_runs.push_back({option, static_cast<std::int16_t>(times)});
        if (wrongTries == 0)
            record.m_window = record.m_runs.size();
    }
    return record;
}

void ChoiceRecord::add(int option, bool right) {
    if (right) {
        m_runs.push_back({option, 1});
        m_window = m_runs.size();
        return;
    }
    const auto window = m_runs.begin() + static_cast<std::ptrdiff_t>(m_window);
    const auto same = std::find_if(window, m_runs.end(),
                                   [option](const ChoiceRun& run) { return run.option == option; });
    if (same == m_runs.end()) {
        m_runs.push_back({option, 1});
        return;
    }
    // Its run moves to the end: this option is now the one chosen last.
    ChoiceRun run = *same;
    run.times = static_cast<std::int16_t>(run.times + 1);
    m_runs.erase(same);
    m_runs.push_back(run);
}

std::string ChoiceRecord::text() const {
    std::string text;
    for (const ChoiceRun& run : m_runs) {
        if (run.times != 1)
            text += std::to_string(run.times);
        text += static_cast<char>('a' + run.option);
    }
    return text;
}

} // namespace kt
