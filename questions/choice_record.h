#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kt {

// The same option (0 to 2: Option1 to Option3) chosen `times` times in a row in one window.
struct ChoiceRun {
    int option = 0;
    std::int16_t times = 1;
    friend bool operator==(const ChoiceRun&, const ChoiceRun&) = default;
};

// The pupil's choices so far: what an attempt left halfway needs to be continued, replayed
// through the windows. Of each window's wrong tries it keeps how many of each option there were,
// the option chosen last at the end: the counts and the mark on screen come out the same, and a
// window's runs stay two at most however the pupil alternates, so that even a count at the
// 16-bit limit takes a few characters.
//
// As text, one run after the other: the count in decimal (left out for 1), then the option as a
// letter, a to c. "3bc" is three tries of Option2, then Option3.
class ChoiceRecord {
public:
    // Where `text` stops making sense, and why.
    struct Fault {
        std::size_t offset = 0;
        std::string_view message;
    };

    // Takes only what the windows' answer keys allow: a right option moves on at once, no window
    // counts more wrong tries than its 16-bit counter holds, nothing follows the last question.
    static std::variant<ChoiceRecord, Fault> read(std::string_view text);

    // A try in the window the record has come to.
    void add(int option, bool right);

    const std::vector<ChoiceRun>& runs() const { return m_runs; }
    std::string text() const;

private:
    std::vector<ChoiceRun> m_runs;
    std::size_t m_window = 0; // where the runs of the window not yet passed begin
};

} // namespace kt
