#pragma once
// Value texts as the configuration file shows them.

#include <cstdint>
#include <string>

#include "config/settings.h"

namespace kelvane {

// The text followed by blanks up to 45 characters; unchanged when it is already that long.
std::string PadToColumn(std::string text);

std::string FormatFlag(bool value);              // "1" or "0"
std::string FormatInt(std::int32_t value);       // decimal, "-" when negative
// printf "%g" of the value widened to double, then ".0" appended when the value is a
// whole number, also after an exponent form ("1e+06.0"): the reader takes either.
std::string FormatFloat(float value);

// The value text of a setting, by the setting's type.
std::string FormatSettingValue(const SettingField& field);

}  // namespace kelvane
