// The runtime's run-time errors: what can stop a conversion or any other
// handler. Each is shown to the user in plain words; none ends the program.
#pragma once

#include <cstdint>
#include <string_view>

namespace mensora {

enum class RunError : std::uint8_t {
    None,
    TypeMismatch,      // a text that had to be a number is not one
    Overflow,          // a number or a result beyond the range of a double
    InvalidOperation,  // a result that is not a number
    OutOfMemory,       // not enough memory to finish
    Internal,          // a fault of the program's own
};

// The plain-words message for a run-time error, as its message box shows it.
[[nodiscard]] std::u16string_view describe(RunError error) noexcept;

}  // namespace mensora
