#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace kt {

// The eleven window classes, in the order of the registry's slots.
enum class FormId { Form1, Form2, Form3, Form4, Form5, Form6, Form7, Form8, Form9, Form10, Form11 };

inline constexpr std::size_t kFormCount = 11;

inline constexpr std::array<FormId, kFormCount> kAllForms = {
    FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4,  FormId::Form5, FormId::Form6,
    FormId::Form7, FormId::Form8, FormId::Form9, FormId::Form10, FormId::Form11};

constexpr std::size_t indexOf(FormId id) {
    return static_cast<std::size_t>(id);
}

constexpr FormId formAt(std::size_t index) {
    return static_cast<FormId>(index);
}

// The question window of number n (1 to 10), or the result window for 11.
constexpr FormId formNumber(int n) {
    return static_cast<FormId>(n - 1);
}

constexpr bool isQuestion(FormId id) {
    return id != FormId::Form11;
}

} // namespace kt
