#pragma once
// What the reader makes of one line of Kelvane.ini. The loader and kelvane-sim's lint
// share this one classification, so the tool explains exactly what the plug-in does.

#include <cstddef>
#include <string>

namespace kelvane {

enum class LineKind {
    Setting,             // sets the key to the number
    Blank,               // nothing but white space
    Comment,             // begins with ";"
    Section,             // begins with "["; sections are not tracked
    TooShort,            // fewer than 3 characters
    NoEquals,            // no "=" in the line
    NotAKey,             // the text before "=" is none of the 25 keys
    NothingAfterEquals,  // the "=" ends the line
    NotANumber,          // no number stands at the start of the value
    OutOfRange,          // the number does not fit a 32-bit float
};

struct ConfigLine {
    LineKind kind = LineKind::Blank;
    std::string key;            // the text before the first "=", trimmed; the whole line without one
    std::string valueText;      // the value as handed to the number conversion
    float value = 0.0f;         // the number read, when kind is Setting
    std::size_t numberLength = 0;  // characters of valueText that the number takes
    bool valueEndsAtEquals = false;  // a second "=" cut the value off before any comment
};

// Every line is one of these; only a Setting line changes a setting.
ConfigLine ReadConfigLine(std::string line);

// Blank lines, comments and section headers: skipped, and rightly so.
bool IsLayoutLine(LineKind kind);

}  // namespace kelvane
