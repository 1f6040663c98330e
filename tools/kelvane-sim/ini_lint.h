#pragma once
// What the plug-in's reader does with each line of a Kelvane.ini, and what it leaves out:
// the report behind `kelvane-sim lint`.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/config_line.h"

namespace kelvane_sim {

struct LintedLine {
    int number = 0;    // from 1
    std::string text;  // as in the file, without its line end
    kelvane::ConfigLine read;
    std::string numberText;          // Setting: the part of the value that is the number
    std::string storedText;          // Setting: what the setting becomes by its load rule
    std::vector<std::string> notes;  // Setting: what the loader changes or ignores
    std::string probableKey;         // NotAKey: the key probably meant, if any
    bool caseDiffers = false;        // NotAKey: probableKey differs only in case
    int overriddenBy = 0;            // Setting: a later line that sets the key again
    std::vector<int> overrides;      // Setting: earlier lines of the key that this one beats
};

struct MissingKey {
    std::string key;
    std::string freshText;      // its value after a fresh start: zero
    std::string defaultText;    // the value the writer's default file would give it
    std::vector<int> nearLines;  // skipped lines that name this key or probably mean it
};

struct LintReport {
    std::filesystem::path file;
    std::vector<LintedLine> lines;  // every line but blank lines, comments and section headers
    std::vector<MissingKey> missing;
    // The 25 settings after a fresh start with this file, as "Key" and value text.
    std::vector<std::pair<std::string, std::string>> settings;

    // Every line that looks like a setting sets one, and no key is missing.
    bool Clean() const;
};

// The report on a file; nothing when the file cannot be read.
std::optional<LintReport> LintConfigFile(const std::filesystem::path& file);

// The key probably meant by a text that is no key: a key that differs only in case, or
// one a couple of typed characters away. Empty when none is that close.
std::string ProbableKey(const std::string& text);

// Why the reader skips a line of this kind, in a few words ("not a number").
std::string SkipReason(kelvane::LineKind kind);

}  // namespace kelvane_sim
