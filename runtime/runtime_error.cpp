#include "runtime/runtime_error.h"

namespace kt {

int RuntimeError::number() const {
    switch (m_kind) {
    case RuntimeErrorKind::Overflow:
        return 6;
    }
    return 0;
}

std::string_view RuntimeError::text() const {
    switch (m_kind) {
    case RuntimeErrorKind::Overflow:
        return "Переполнение";
    }
    return "Неизвестная ошибка";
}

const char* RuntimeError::what() const noexcept {
    switch (m_kind) {
    case RuntimeErrorKind::Overflow:
        return "overflow";
    }
    return "runtime error";
}

} // namespace kt
