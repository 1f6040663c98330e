#include "config/config_reader.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "config/config_line.h"
#include "config/int_conversion.h"
#include "config/settings.h"

namespace kelvane {

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

void ReadSettingIn(const std::filesystem::path& file, std::string_view key, float& value) {
    std::ifstream in(file);
    if (!in.is_open()) return;
    std::string line;
    while (std::getline(in, line)) {
        const ConfigLine read = ReadConfigLine(line);
        if (read.kind == LineKind::Setting && read.key == key) value = read.value;
    }
}

void LoadFlag(const std::filesystem::path& file, std::string_view key, bool& flag) {
    float value = flag ? 1.0f : 0.0f;
    ReadSettingIn(file, key, value);
    flag = FlagFromNumber(value);
}

void LoadInteger(const std::filesystem::path& file, std::string_view key, int& integer) {
    float value = static_cast<float>(integer);
    ReadSettingIn(file, key, value);
    integer = TruncateToInt(value);
}

void LoadFraction(const std::filesystem::path& file, std::string_view key, float& fraction) {
    ReadSettingIn(file, key, fraction);
    fraction = FractionFromNumber(fraction);
}

}  // namespace

void TrimBlanks(std::string& text) {
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsBlank).base(), text.end());
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsBlank));
}

bool FlagFromNumber(float number) { return number == 1.0f; }

float FractionFromNumber(float number) { return std::clamp(number, 0.0f, 1.0f); }

void ReadSetting(std::string_view key, float& value) { ReadSettingIn(ConfigFileName, key, value); }

void LoadSettingsFrom(const std::filesystem::path& file) {
    for (const SettingField& field : SettingFields) {
        switch (field.rule) {
            case LoadRule::Flag: LoadFlag(file, field.key, *std::get<bool*>(field.value)); break;
            case LoadRule::Integer: LoadInteger(file, field.key, *std::get<int*>(field.value)); break;
            case LoadRule::Number: ReadSettingIn(file, field.key, *std::get<float*>(field.value)); break;
            case LoadRule::Fraction: LoadFraction(file, field.key, *std::get<float*>(field.value)); break;
        }
    }
}

void LoadSettings() { LoadSettingsFrom(ConfigFileName); }

}  // namespace kelvane
