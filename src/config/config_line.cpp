#include "config/config_line.h"

#include <algorithm>

#include "config/config_reader.h"
#include "config/number_text.h"
#include "config/settings.h"

namespace kelvane {

namespace {

bool IsKey(const std::string& text) {
    return std::any_of(SettingFields.begin(), SettingFields.end(),
                       [&](const SettingField& field) { return field.key == text; });
}

}  // namespace

ConfigLine ReadConfigLine(std::string line) {
    ConfigLine result;
    TrimBlanks(line);
    if (line.empty()) return result;
    result.kind = line[0] == ';' ? LineKind::Comment : line[0] == '[' ? LineKind::Section : LineKind::TooShort;
    if (result.kind != LineKind::TooShort || line.size() < 3) return result;

    const std::size_t equals = line.find('=');
    result.key = line.substr(0, equals);
    TrimBlanks(result.key);
    if (equals == std::string::npos) {
        result.kind = LineKind::NoEquals;
        return result;
    }
    if (!IsKey(result.key)) {
        result.kind = LineKind::NotAKey;
        return result;
    }
    if (equals + 1 == line.size()) {
        result.kind = LineKind::NothingAfterEquals;
        return result;
    }

    // The value runs to the next "=" and loses an inline comment.
    const std::size_t valueStart = equals + 1;
    const std::size_t valueEnd = line.find('=', valueStart);
    std::string value = line.substr(valueStart, valueEnd == std::string::npos ? std::string::npos
                                                                               : valueEnd - valueStart);
    const std::size_t comment = value.find(';');
    result.valueEndsAtEquals = valueEnd != std::string::npos && comment == std::string::npos;
    value.resize(std::min(comment, value.size()));
    TrimBlanks(value);
    result.valueText = value;

    const LeadingNumber number = ReadLeadingNumber(value);
    result.numberLength = number.length;
    switch (number.status) {
        case NumberStatus::Number:
            result.kind = LineKind::Setting;
            result.value = number.value;
            break;
        case NumberStatus::NoNumber: result.kind = LineKind::NotANumber; break;
        case NumberStatus::OutOfRange: result.kind = LineKind::OutOfRange; break;
    }
    return result;
}

bool IsLayoutLine(LineKind kind) {
    return kind == LineKind::Blank || kind == LineKind::Comment || kind == LineKind::Section;
}

}  // namespace kelvane
