#include "result/result_form.h"

#include "result/result_window.h"
#include "runtime/runtime_numbers.h"
#include "runtime/window_registry.h"

#include <string>

namespace kt {

std::int32_t markFor(double total) {
    const double difference = 20.0 - total;
    return roundToInt32(difference) / 4; // C++ division already cuts toward zero
}

ResultForm::ResultForm(WindowRegistry& registry) : Form(FormId::Form11, kResultWindow, registry) {}

void ResultForm::Form_Load() {
    auto countOf = [this](int window) {
        return numericPrefixParse(registry().name(formNumber(window)).Caption(ControlId::Label2));
    };
    for (std::size_t i = 0; i < Score.size(); ++i)
        Score[i] = countOf(static_cast<int>(i) + 1);
    Score10 = roundToInt16(countOf(10));

    Total = Score[0]; // added strictly from left to right
    for (std::size_t i = 1; i < Score.size(); ++i)
        Total += Score[i];
    Total += Score10;

    Mark = markFor(Total);
    setCaption(ControlId::Label2, signedNumberText(Mark), "Оценка: " + std::to_string(Mark));
    if (AttemptReporter* reporter = registry().reporter())
        reporter->resultShown(Mark, Total);
}

void ResultForm::Command1_Click() {
    registry().End();
}

} // namespace kt
