#pragma once

#include <exception>
#include <string_view>

namespace kt {

// An error raised inside an event handler. Nothing in the program catches it: it stops the
// handler, the user is told, and the program ends.
enum class RuntimeErrorKind { Overflow };

class RuntimeError : public std::exception {
public:
    explicit RuntimeError(RuntimeErrorKind kind) : m_kind(kind) {}

    RuntimeErrorKind kind() const { return m_kind; }
    int number() const;
    std::string_view text() const; // UTF-8, as the user reads it
    const char* what() const noexcept override;

private:
    RuntimeErrorKind m_kind;
};

} // namespace kt
