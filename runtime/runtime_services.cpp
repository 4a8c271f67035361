#include "runtime_services.h"

#include <new>

namespace mensora {

void RuntimeServices::raise(Handler handler) noexcept
{
    try {
        if (handler != nullptr) handler(*this);
    } catch (...) {
        showCurrentException();
    }
}

void RuntimeServices::showCurrentException() noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        showRunError(RunError::OutOfMemory);
    } catch (...) {
        showRunError(RunError::Internal);
    }
}

}  // namespace mensora
