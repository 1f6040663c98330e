#include "ini_lint.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <map>

#include "config/config_reader.h"
#include "config/int_conversion.h"
#include "config/settings.h"
#include "config/value_format.h"

namespace kelvane_sim {

namespace fs = std::filesystem;
using kelvane::ConfigLine;
using kelvane::LineKind;
using kelvane::LoadRule;
using kelvane::SettingField;

namespace {

// A typed character too many, too few, wrong or swapped with its neighbour counts one.
constexpr std::size_t NearMissEdits = 2;

std::string Lowercase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Optimal string alignment distance: insertions, deletions, substitutions and swaps of
// neighbours.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

// The value text a field shows for a number read from the file, by the field's load rule,
// and a note on what the rule did to the number on the way, if anything.
std::pair<std::string, std::string> StoredValue(const SettingField& field, float number, const std::string& numberText) {
    switch (field.rule) {
        case LoadRule::Flag: {
            const bool flag = kelvane::FlagFromNumber(number);
            if (number == 0.0f || number == 1.0f) return {kelvane::FormatFlag(flag), ""};
            return {kelvane::FormatFlag(flag), numberText + " is not 1, so the flag is false (only 1 makes it true)"};
        }
        case LoadRule::Integer: {
            const std::string integer = kelvane::FormatInt(kelvane::TruncateToInt(number));
            const bool inRange = number >= -2147483648.0f && number < 2147483648.0f;
            if (inRange && std::trunc(number) == number) return {integer, ""};
            if (inRange) return {integer, numberText + " is truncated toward zero to " + integer};
            return {integer, numberText + " is beyond the 32-bit integer range, so it is saturated at " + integer};
        }
        case LoadRule::Number: return {kelvane::FormatFloat(number), ""};
        case LoadRule::Fraction: {
            const float fraction = kelvane::FractionFromNumber(number);
            return {kelvane::FormatFloat(fraction), fraction == number ? "" : numberText + " is clamped to the range 0 to 1"};
        }
    }
    return {};
}

void DescribeSetting(LintedLine& line) {
    const ConfigLine& read = line.read;
    line.numberText = read.valueText.substr(0, read.numberLength);
    const auto [stored, change] = StoredValue(kelvane::FieldOf(read.key), read.value, line.numberText);
    line.storedText = stored;
    if (!change.empty()) line.notes.push_back(change);
    if (read.numberLength < read.valueText.size()) {
        line.notes.push_back("ignores " + Quoted(read.valueText.substr(read.numberLength)) + " after the number");
    }
    if (read.valueEndsAtEquals) line.notes.push_back("the value ends at the second \"=\"");
}

std::vector<LintedLine> ReadLines(std::ifstream& in) {
    std::vector<LintedLine> lines;
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        ConfigLine read = kelvane::ReadConfigLine(text);
        if (kelvane::IsLayoutLine(read.kind)) continue;
        LintedLine line;
        line.number = number;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        line.text = text;
        line.read = std::move(read);
        if (line.read.kind == LineKind::Setting) DescribeSetting(line);
        if (line.read.kind == LineKind::NotAKey) {
            line.probableKey = ProbableKey(line.read.key);
            line.caseDiffers = !line.probableKey.empty() && Lowercase(line.probableKey) == Lowercase(line.read.key);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The last line that sets a key wins over the earlier ones.
void MarkRepeatedKeys(std::vector<LintedLine>& lines) {
    std::map<std::string, std::vector<LintedLine*>> byKey;
    for (LintedLine& line : lines) {
        if (line.read.kind == LineKind::Setting) byKey[line.read.key].push_back(&line);
    }
    for (auto& [key, setters] : byKey) {
        LintedLine& winner = *setters.back();
        setters.pop_back();
        for (LintedLine* earlier : setters) {
            earlier->overriddenBy = winner.number;
            winner.overrides.push_back(earlier->number);
        }
    }
}

// The settings a fresh start gives: the record starts all zero, and no default applies
// because the file exists.
template <typename Step>
std::vector<std::pair<std::string, std::string>> SettingsAfter(Step step) {
    const kelvane::Settings saved = kelvane::settings;
    kelvane::settings = {};
    step();
    std::vector<std::pair<std::string, std::string>> result;
    for (const SettingField& field : kelvane::SettingFields) {
        result.emplace_back(std::string(field.key), kelvane::FormatSettingValue(field));
    }
    kelvane::settings = saved;
    return result;
}

std::vector<MissingKey> MissingKeys(const std::vector<LintedLine>& lines) {
    const auto defaults = SettingsAfter(kelvane::ApplyDefaults);
    const auto zeros = SettingsAfter([] {});
    std::vector<MissingKey> missing;
    for (std::size_t i = 0; i < kelvane::SettingFields.size(); ++i) {
        const std::string key(kelvane::SettingFields[i].key);
        MissingKey entry{key, zeros[i].second, defaults[i].second, {}};
        bool set = false;
        for (const LintedLine& line : lines) {
            if (line.read.key == key && line.read.kind == LineKind::Setting) set = true;
            if (line.read.kind != LineKind::Setting && (line.read.key == key || line.probableKey == key)) {
                entry.nearLines.push_back(line.number);
            }
        }
        if (!set) missing.push_back(std::move(entry));
    }
    return missing;
}

}  // namespace

bool LintReport::Clean() const {
    return missing.empty() && std::all_of(lines.begin(), lines.end(), [](const LintedLine& line) {
               return line.read.kind == LineKind::Setting;
           });
}

std::string ProbableKey(const std::string& text) {
    const std::string lower = Lowercase(text);
    std::string best;
    std::size_t bestDistance = NearMissEdits + 1;
    for (const SettingField& field : kelvane::SettingFields) {
        const std::size_t distance = EditDistance(lower, Lowercase(std::string(field.key)));
        if (distance < bestDistance) {
            best = field.key;
            bestDistance = distance;
        }
    }
    return best;
}

std::string SkipReason(LineKind kind) {
    switch (kind) {
        case LineKind::TooShort: return "too short";
        case LineKind::NoEquals: return "no \"=\"";
        case LineKind::NotAKey: return "not a key";
        case LineKind::NothingAfterEquals: return "nothing after \"=\"";
        case LineKind::NotANumber: return "not a number";
        case LineKind::OutOfRange: return "out of range";
        case LineKind::Setting:
        case LineKind::Blank:
        case LineKind::Comment:
        case LineKind::Section: break;
    }
    return "";
}

std::optional<LintReport> LintConfigFile(const fs::path& file) {
    std::error_code error;
    if (fs::is_directory(file, error)) return std::nullopt;
    std::ifstream in(file);
    if (!in.is_open()) return std::nullopt;
    LintReport report;
    report.file = file;
    report.lines = ReadLines(in);
    if (in.bad()) return std::nullopt;
    MarkRepeatedKeys(report.lines);
    report.missing = MissingKeys(report.lines);
    report.settings = SettingsAfter([&] { kelvane::LoadSettingsFrom(file); });
    return report;
}

}  // namespace kelvane_sim
