#pragma once

#include <cstddef>
#include <string_view>

namespace kelvane {

enum class NumberStatus {
    Number,      // a number stands at the start and fits a 32-bit float
    NoNumber,    // no number stands at the start
    OutOfRange,  // the number lies beyond the double range or the 32-bit float range
};

struct LeadingNumber {
    NumberStatus status = NumberStatus::NoNumber;
    float value = 0.0f;      // the number, when status is Number
    std::size_t length = 0;  // characters of the text that the number takes, leading blanks included
};

// Reads the longest decimal number at the start of a text: optional blanks, an optional
// sign, digits with an optional decimal point, and an exponent only when it has digits.
// The rest of the text is ignored ("40abc" reads 40, "1e" reads 1, "0x10" reads 0).
// Infinity and NaN forms are no numbers. A tiny number that underflows the float comes
// back as the narrowing gives it (1e-50 as 0).
LeadingNumber ReadLeadingNumber(std::string_view text);

}  // namespace kelvane
