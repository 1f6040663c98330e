#include <nlohmann/json.hpp>

#include <iostream>
#include <string>

#include "commands.h"
#include "ini_lint.h"

namespace kelvane_sim {

namespace {

using kelvane::LineKind;
using Json = nlohmann::ordered_json;

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

std::string LineList(const std::vector<int>& numbers) {
    std::string text = numbers.size() == 1 ? "line " : "lines ";
    for (std::size_t i = 0; i < numbers.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    return text;
}

std::string SettingMessage(const LintedLine& line) {
    std::string text = "sets " + line.read.key + " to " + line.storedText;
    for (const std::string& note : line.notes) text += "; " + note;
    if (line.overriddenBy != 0) text += "; line " + std::to_string(line.overriddenBy) + " sets it again and wins";
    if (!line.overrides.empty()) text += "; wins over " + LineList(line.overrides);
    return text;
}

std::string SkipMessage(const LintedLine& line) {
    const kelvane::ConfigLine& read = line.read;
    std::string text = "skipped, " + SkipReason(read.kind);
    switch (read.kind) {
        case LineKind::TooShort:
        case LineKind::NoEquals: return text + ": " + Quoted(line.text);
        case LineKind::NotAKey:
            text += ": " + Quoted(read.key);
            if (line.caseDiffers) return text + " (keys are case-sensitive: " + line.probableKey + ")";
            if (!line.probableKey.empty()) return text + " (probably meant " + line.probableKey + ")";
            return text;
        case LineKind::NothingAfterEquals: return text + " for " + read.key;
        case LineKind::NotANumber: return text + ": " + Quoted(read.valueText) + " for " + read.key;
        case LineKind::OutOfRange:
            return text + ": " + Quoted(read.valueText) + " for " + read.key + " is beyond the 32-bit float range";
        default: return text;
    }
}

std::string MissingMessage(const MissingKey& key) {
    std::string text = key.key + " is missing: it keeps its previous value, " + key.freshText +
                       " after a fresh start (the default is " + key.defaultText + ")";
    if (!key.nearLines.empty()) text += "; see " + LineList(key.nearLines);
    return text;
}

void PrintText(const LintReport& report, std::ostream& out) {
    const std::string file = report.file.string();
    int skipped = 0;
    for (const LintedLine& line : report.lines) {
        const bool sets = line.read.kind == LineKind::Setting;
        if (!sets) ++skipped;
        out << file << ':' << line.number << ": " << (sets ? SettingMessage(line) : SkipMessage(line)) << '\n';
    }
    for (const MissingKey& key : report.missing) out << file << ": " << MissingMessage(key) << '\n';
    out << file << ": " << report.lines.size() << " setting lines, " << report.lines.size() - skipped << " set a key, "
        << skipped << " skipped; " << report.missing.size() << " of " << report.settings.size() << " keys missing\n";
    out << "\nThe settings after a fresh start with this file:\n";
    for (const auto& [key, value] : report.settings) out << key << " = " << value << '\n';
}

Json LineJson(const LintedLine& line) {
    Json entry = {{"line", line.number}, {"text", line.text}};
    const kelvane::ConfigLine& read = line.read;
    if (read.kind == LineKind::Setting) {
        entry["action"] = "sets";
        entry["key"] = read.key;
        entry["number"] = line.numberText;
        entry["value"] = line.storedText;
        entry["notes"] = line.notes;
        if (line.overriddenBy != 0) entry["overridden_by"] = line.overriddenBy;
        if (!line.overrides.empty()) entry["overrides"] = line.overrides;
        return entry;
    }
    entry["action"] = "skipped";
    entry["reason"] = SkipReason(read.kind);
    entry["message"] = SkipMessage(line);
    if (read.kind != LineKind::TooShort) entry["key"] = read.key;
    if (!line.probableKey.empty()) entry["probable_key"] = line.probableKey;
    return entry;
}

void PrintJson(const LintReport& report, std::ostream& out) {
    Json lines = Json::array();
    for (const LintedLine& line : report.lines) lines.push_back(LineJson(line));
    Json missing = Json::array();
    for (const MissingKey& key : report.missing) {
        missing.push_back({{"key", key.key}, {"fresh_start_value", key.freshText}, {"default", key.defaultText},
                           {"see_lines", key.nearLines}});
    }
    Json settings = Json::object();
    for (const auto& [key, value] : report.settings) settings[key] = value;
    const Json document = {{"file", report.file.string()}, {"clean", report.Clean()}, {"lines", lines},
                           {"missing", missing},          {"settings", settings}};
    out << document.dump(2) << '\n';
}

}  // namespace

int RunLintCommand(const std::filesystem::path& file, bool json, std::ostream& out, std::ostream& err) {
    const std::optional<LintReport> report = LintConfigFile(file);
    if (!report) {
        if (json) out << Json{{"file", file.string()}, {"error", "cannot read the file"}}.dump(2) << '\n';
        err << "kelvane-sim: cannot read " << file.string() << '\n';
        return 2;
    }
    if (json) {
        PrintJson(*report, out);
    } else {
        PrintText(*report, out);
    }
    return report->Clean() ? 0 : 1;
}

}  // namespace kelvane_sim
