#include "core/inputs.h"

#include "core/numeric.h"
#include "core/numeric_error.h"

namespace core {

Fixed4 ReadInput(std::string_view text, int input, Accepts accepts) {
    Fixed4 value;
    try {
        value = ParseFixed4(text);
    } catch (const NumericError& error) {
        throw NumericError(error.kind(), input);
    }
    const bool refused = accepts == Accepts::Positive ? value.units <= 0 : value.units < 0;
    if (refused) throw NumericError(NumericErrorKind::OutOfRange, input);
    return value;
}

} // namespace core
