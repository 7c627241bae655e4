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
    double* const scores[] = {&Score1, &Score2, &Score3, &Score4, &Score5,
                              &Score6, &Score7, &Score8, &Score9};
    for (int window = 1; window <= 9; ++window)
        *scores[window - 1] = countOf(window);
    Score10 = roundToInt16(countOf(10));

    Total = Score1;
    for (int window = 2; window <= 9; ++window)
        Total += *scores[window - 1];
    Total += Score10;

    Mark = markFor(Total);
    setCaption(ControlId::Label2, signedNumberText(Mark), "Оценка: " + std::to_string(Mark));
}

void ResultForm::Command1_Click() {
    registry().End();
}

} // namespace kt
