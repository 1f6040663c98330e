#include "config/value_format.h"

#include <cmath>
#include <cstdio>

namespace kelvane {

namespace {
constexpr std::size_t CommentColumn = 45;
}  // namespace

std::string PadToColumn(std::string text) {
    if (text.size() < CommentColumn) text.resize(CommentColumn, ' ');
    return text;
}

std::string FormatFlag(bool value) { return value ? "1" : "0"; }

std::string FormatInt(std::int32_t value) { return std::to_string(value); }

std::string FormatFloat(float value) {
    const double wide = value;
    char text[32];
    std::snprintf(text, sizeof text, "%g", wide);
    std::string result = text;
    if (wide == std::trunc(wide)) result += ".0";
    return result;
}

std::string FormatSettingValue(const SettingField& field) {
    struct Formatter {
        std::string operator()(const bool* value) const { return FormatFlag(*value); }
        std::string operator()(const int* value) const { return FormatInt(*value); }
        std::string operator()(const float* value) const { return FormatFloat(*value); }
    };
    return std::visit(Formatter{}, field.value);
}

}  // namespace kelvane
