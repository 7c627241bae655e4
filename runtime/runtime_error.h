#pragma once

#include <exception>
#include <string_view>

namespace kt {

// An error raised inside an event handler. No handler catches it: it stops the handler, the
// program's dispatcher has the user told, and the program ends. The one error the windows can
// raise is a 16-bit overflow.
class RuntimeError : public std::exception {
public:
    int number() const { return 6; }
    std::string_view text() const { return "Переполнение"; } // UTF-8, as the user reads it
    const char* what() const noexcept override { return "overflow"; }
};

} // namespace kt
