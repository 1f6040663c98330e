#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kelvane {

// Loads the 25 file settings from Kelvane.ini, each by its load rule. A setting whose key
// is missing or whose value is no number keeps its value; nothing is reported.
void LoadSettings();

// LoadSettings from another file; kelvane-sim reads a player's file wherever it is.
void LoadSettingsFrom(const std::filesystem::path& file);

// Overwrites value with the number of the last line of Kelvane.ini that sets the key to
// a valid number; otherwise leaves it as it is.
void ReadSetting(std::string_view key, float& value);

// Removes leading and trailing white space (as isspace has it) in place.
void TrimBlanks(std::string& text);

// What a number read from the file becomes under the flag and fraction load rules (see
// LoadRule); integers convert with TruncateToInt (config/int_conversion.h).
bool FlagFromNumber(float number);
float FractionFromNumber(float number);

}  // namespace kelvane
