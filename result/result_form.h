#pragma once

#include "runtime/form.h"

#include <cstdint>

namespace kt {

// (20 - total) \ 4: the left side rounded half to even to 32 bits, the quotient cut toward zero.
std::int32_t markFor(double total);

// Form11: gathers the ten counts left in the question windows' Label2 and shows the mark.
class ResultForm final : public Form {
public:
    explicit ResultForm(WindowRegistry& registry);

    void Form_Load() override;
    void Command1_Click() override;

    double Score1 = 0, Score2 = 0, Score3 = 0, Score4 = 0, Score5 = 0, Score6 = 0, Score7 = 0,
           Score8 = 0, Score9 = 0;
    // The tenth count alone is a 16-bit integer, as the windows have always declared it: it is
    // rounded half to even as it is read, and a count beyond 16 bits raises the overflow error.
    // The other nine are kept exactly as read.
    std::int16_t Score10 = 0;
    double Total = 0;
    std::int32_t Mark = 0;
};

} // namespace kt
