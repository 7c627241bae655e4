#pragma once

#include "runtime/form.h"

#include <array>
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

    // Score1 to Score9: the counts of Form1 to Form9.
    std::array<double, 9> Score{};
    // The tenth count alone is a 16-bit integer, as the windows have always declared it: it is
    // rounded half to even as it is read, and a count beyond 16 bits raises the overflow error.
    // The other nine are kept exactly as read.
    std::int16_t Score10 = 0;
    double Total = 0;
    std::int32_t Mark = 0;
};

} // namespace kt
