#pragma once

#include <optional>
#include <string_view>

namespace kelvane {

// Reads the longest decimal number at the start of a text: optional blanks, an optional
// sign, digits with an optional decimal point, and an exponent only when it has digits.
// The rest of the text is ignored ("40abc" reads 40, "1e" reads 1, "0x10" reads 0).
// Infinity and NaN forms are no numbers. Returns nothing when no number stands at the
// start, or when the number does not fit a 32-bit float; a tiny number that underflows
// comes back as the narrowing gives it (1e-50 as 0).
std::optional<float> ReadLeadingNumber(std::string_view text);

}  // namespace kelvane
