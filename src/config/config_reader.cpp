#include "config/config_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <optional>

#include "config/int_conversion.h"
#include "config/number_text.h"
#include "config/settings.h"

namespace kelvane {

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The number that a line gives the key, if the line sets the key at all.
std::optional<float> ValueOfLine(std::string line, std::string_view key) {
    TrimBlanks(line);
    if (line.size() < 3 || line[0] == ';' || line[0] == '[') return std::nullopt;

    const std::size_t equals = line.find('=');
    std::string lineKey = line.substr(0, equals);
    TrimBlanks(lineKey);
    if (lineKey != key) return std::nullopt;
    if (equals == std::string::npos || equals + 1 == line.size()) return std::nullopt;

    const std::size_t valueStart = equals + 1;
    const std::size_t valueEnd = line.find('=', valueStart);
    std::string value = line.substr(valueStart, valueEnd == std::string::npos ? std::string::npos
                                                                               : valueEnd - valueStart);
    value = value.substr(0, value.find(';'));
    TrimBlanks(value);
    return ReadLeadingNumber(value);
}

void LoadFlag(std::string_view key, bool& flag) {
    float value = flag ? 1.0f : 0.0f;
    ReadSetting(key, value);
    flag = value == 1.0f;
}

void LoadInteger(std::string_view key, int& integer) {
    float value = static_cast<float>(integer);
    ReadSetting(key, value);
    integer = TruncateToInt(value);
}

void LoadFraction(std::string_view key, float& fraction) {
    ReadSetting(key, fraction);
    fraction = std::clamp(fraction, 0.0f, 1.0f);
}

}  // namespace

void TrimBlanks(std::string& text) {
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsBlank).base(), text.end());
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsBlank));
}

void ReadSetting(std::string_view key, float& value) {
    std::ifstream file(ConfigFileName);
    if (!file.is_open()) return;
    std::string line;
    while (std::getline(file, line)) {
        if (const std::optional<float> number = ValueOfLine(line, key)) value = *number;
    }
}

void LoadSettings() {
    for (const SettingField& field : SettingFields) {
        switch (field.rule) {
            case LoadRule::Flag: LoadFlag(field.key, *std::get<bool*>(field.value)); break;
            case LoadRule::Integer: LoadInteger(field.key, *std::get<int*>(field.value)); break;
            case LoadRule::Number: ReadSetting(field.key, *std::get<float*>(field.value)); break;
            case LoadRule::Fraction: LoadFraction(field.key, *std::get<float*>(field.value)); break;
        }
    }
}

}  // namespace kelvane
