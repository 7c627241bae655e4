#include "support/test_program.h"

#include <gtest/gtest.h>

#include <random>

namespace kt::test {
namespace {

// The mark sheet as the school gives it, written out band by band.
int markFromSheet(int total) {
    struct Band {
        int from, to, mark;
    };
    const Band bands[] = {{0, 0, 5},   {1, 4, 4},   {5, 8, 3},    {9, 12, 2},
                          {13, 16, 1}, {17, 23, 0}, {24, 27, -1}, {28, 31, -2}};
    for (const auto& band : bands)
        if (total >= band.from && total <= band.to)
            return band.mark;
    return -2 - (total - 28) / 4; // one less for every further four
}

std::string markText(int mark) {
    return (mark < 0 ? "-" : " ") + std::to_string(std::abs(mark));
}

TEST(RandomSequences, TheMarkAlwaysFollowsTheSheet) {
    std::mt19937 random(20261207);
    for (int run = 0; run < 1000; ++run) {
        TestProgram t;
        int total = 0;
        std::string trace;
        for (int n = 1; n <= 10; ++n) {
            // Clicks before any option is chosen count for nothing.
            const int idle = std::uniform_int_distribution(0, 2)(random);
            for (int i = 0; i < idle; ++i)
                t.window(n).clickCommand1();
            const int wrong = std::uniform_int_distribution(0, run % 7)(random);
            for (int i = 0; i < wrong; ++i) {
                std::vector<ControlId> wrongOptions;
                for (ControlId o : kAllOptions)
                    if (o != rightOption(n))
                        wrongOptions.push_back(o);
                const ControlId option = wrongOptions[std::uniform_int_distribution(0, 1)(random)];
                t.click(n, option);
                trace += controlName(option).back();
            }
            total += wrong;
            t.answerRight(n);
            trace += '|';
        }
        ASSERT_NE(t.slot(11), nullptr) << "run " << run << ": " << trace;
        ASSERT_EQ(t.slot(11)->Caption(ControlId::Label2), markText(markFromSheet(total)))
            << "run " << run << ", total " << total << ": " << trace;
    }
}

} // namespace
} // namespace kt::test
