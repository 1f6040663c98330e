#include "config/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kelvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

}  // namespace

LeadingNumber ReadLeadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;

    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        if (text[at] == '-') number += '-';
        ++at;
    }
    const std::size_t mantissaStart = at;
    std::size_t end = SkipDigits(text, at);
    std::size_t digits = end - at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits += fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (digits == 0) return {};
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) end = exponentEnd;
    }
    number.append(text.substr(mantissaStart, end - mantissaStart));

    // from_chars gives the same correctly rounded double on every platform.
    double value = 0.0;
    const auto [rest, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) return {NumberStatus::OutOfRange, 0.0f, end};
    if (error != std::errc() || rest != number.data() + number.size()) return {};
    if (std::fabs(value) > std::numeric_limits<float>::max()) return {NumberStatus::OutOfRange, 0.0f, end};
    return {NumberStatus::Number, static_cast<float>(value), end};
}

}  // namespace kelvane
