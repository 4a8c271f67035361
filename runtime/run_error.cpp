#include "run_error.h"

namespace mensora {

std::u16string_view describe(RunError error) noexcept
{
    switch (error) {
    case RunError::None:
        break;
    case RunError::TypeMismatch:
        return u"The input could not be read as a number.";
    case RunError::Overflow:
        return u"The number is too large: the conversion overflowed, so no result was written.";
    case RunError::InvalidOperation:
        return u"The calculation did not give a number, so no result was written.";
    case RunError::OutOfMemory:
        return u"There was not enough memory to finish that.";
    case RunError::Internal:
        return u"Mensora could not finish that: something went wrong inside it.";
    }
    return {};
}

}  // namespace mensora
