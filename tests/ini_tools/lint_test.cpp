// kelvane-sim lint: what the report says about each kind of line, repeated and missing
// keys, and the exit status of the command.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

#include "commands.h"
#include "config/default_config_writer.h"
#include "config/settings.h"
#include "config/value_format.h"
#include "ini_lint.h"
#include "support/default_settings.h"
#include "support/temp_folder.h"

namespace kelvane_sim {
namespace {

using kelvane::LineKind;
using kelvane_test::TempFolder;
using kelvane_test::WriteFile;

// The default file as the plug-in writes it.
std::string DefaultFile() {
    const kelvane::Settings saved = kelvane::settings;
    kelvane::settings = kelvane_test::DefaultSettings();
    const std::string text = kelvane::DefaultConfigText();
    kelvane::settings = saved;
    return text;
}

// The default file with the line of one key replaced by another text.
std::string DefaultFileWith(const std::string& key, const std::string& replacement) {
    std::istringstream lines(DefaultFile());
    std::string result, line;
    while (std::getline(lines, line)) result += (line.starts_with(key + " ") ? replacement : line) + '\n';
    return result;
}

LintReport LintText(const std::string& text) {
    WriteFile("Kelvane.ini", text);
    const std::optional<LintReport> report = LintConfigFile("Kelvane.ini");
    if (!report) ADD_FAILURE() << "the file could not be read";
    return report.value_or(LintReport{});
}

struct LineCase {
    const char* name;
    const char* line;
    LineKind kind;
    const char* shown;  // Setting: the value the setting gets; NotAKey: the key probably meant
    const char* note;   // a note the line must carry, or ""
};

class LintLine : public testing::TestWithParam<LineCase> {
protected:
    TempFolder folder;
};

TEST_P(LintLine, SaysWhatTheReaderDoesWithIt) {
    const LineCase& c = GetParam();
    const LintReport report = LintText(std::string("; a comment\n[Common]\n\n") + c.line + "\n");
    ASSERT_EQ(report.lines.size(), 1u) << "comments, sections and blank lines need no remark";
    const LintedLine& line = report.lines[0];
    EXPECT_EQ(line.number, 4);
    EXPECT_EQ(line.read.kind, c.kind);
    if (c.kind == LineKind::Setting) {
        EXPECT_EQ(line.storedText, c.shown);
    }
    if (c.kind == LineKind::NotAKey) {
        EXPECT_EQ(line.probableKey, c.shown);
    }
    if (*c.note != '\0') {
        ASSERT_EQ(line.notes.size(), 1u);
        EXPECT_NE(line.notes[0].find(c.note), std::string::npos) << line.notes[0];
    } else {
        EXPECT_TRUE(line.notes.empty());
    }
    EXPECT_FALSE(report.Clean()) << "24 keys are missing";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LintLine,
    testing::Values(
        LineCase{"Number", "Train.SpeedForward = 50", LineKind::Setting, "50.0", ""},
        LineCase{"Flag", "Display.Speed = 1.0", LineKind::Setting, "1", ""},
        LineCase{"FlagOtherThanOne", "Display.Speed = 2", LineKind::Setting, "0", "2 is not 1"},
        LineCase{"IntegerTruncated", "Train.Seat = 1.9", LineKind::Setting, "1", "truncated toward zero to 1"},
        LineCase{"IntegerSaturated", "Displays.Position = 1e10", LineKind::Setting, "2147483647",
                 "beyond the 32-bit integer range"},
        LineCase{"FractionClampedHigh", "Train.Derailment = 1.5", LineKind::Setting, "1.0", "clamped"},
        LineCase{"FractionClampedLow", "Tram.Explosion = -3", LineKind::Setting, "0.0", "clamped"},
        LineCase{"LettersAfterTheNumber", "Train.Acceleration = 40abc", LineKind::Setting, "40.0", "ignores \"abc\""},
        LineCase{"SecondEquals", "Tram.Braking = 22 = 60", LineKind::Setting, "22.0", "second \"=\""},
        LineCase{"TooShort", "ab", LineKind::TooShort, "", ""},
        LineCase{"NoEquals", "Display.TrainDistance 1", LineKind::NoEquals, "", ""},
        LineCase{"NothingAfterEquals", "KeyAction.ChangeSeat =", LineKind::NothingAfterEquals, "", ""},
        LineCase{"NotANumber", "KeyAction.OpenCloseDoors = yes", LineKind::NotANumber, "", ""},
        LineCase{"OutOfRange", "Trains.EnterDelay = 1e39", LineKind::OutOfRange, "", ""},
        LineCase{"CaseDiffers", "display.doors = 1", LineKind::NotAKey, "Display.Doors", ""},
        LineCase{"DisplayForDisplays", "Display.Position = 1", LineKind::NotAKey, "Displays.Position", ""},
        LineCase{"OneLetterSwapped", "Train.SpeedFroward = 1", LineKind::NotAKey, "Train.SpeedForward", ""},
        LineCase{"FarFromAnyKey", "Volume = 3", LineKind::NotAKey, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class Lint : public testing::Test {
protected:
    TempFolder folder;
};

TEST_F(Lint, TheDefaultFileIsClean) {
    const LintReport report = LintText(DefaultFile());
    EXPECT_TRUE(report.Clean());
    EXPECT_EQ(report.lines.size(), 25u);
    EXPECT_TRUE(report.missing.empty());
    for (const LintedLine& line : report.lines) EXPECT_TRUE(line.notes.empty()) << line.text;
}

TEST_F(Lint, TheEffectiveSettingsOfTheDefaultFileAreTheDefaults) {
    const LintReport report = LintText(DefaultFile());
    const kelvane::Settings saved = kelvane::settings;
    kelvane::settings = kelvane_test::DefaultSettings();
    ASSERT_EQ(report.settings.size(), kelvane::SettingFields.size());
    for (std::size_t i = 0; i < report.settings.size(); ++i) {
        EXPECT_EQ(report.settings[i].first, kelvane::SettingFields[i].key);
        EXPECT_EQ(report.settings[i].second, kelvane::FormatSettingValue(kelvane::SettingFields[i]));
    }
    kelvane::settings = saved;
}

TEST_F(Lint, TheLastValidLineOfARepeatedKeyWins) {
    const LintReport report =
        LintText(DefaultFileWith("Train.SpeedForward", "Train.SpeedForward = 30\nTrain.SpeedForward = 35\n"
                                                   "Train.SpeedForward = 45\nTrain.SpeedForward = fast"));
    std::vector<const LintedLine*> speedLines;
    for (const LintedLine& line : report.lines) {
        if (line.read.key == "Train.SpeedForward") speedLines.push_back(&line);
    }
    ASSERT_EQ(speedLines.size(), 4u);
    const int winner = speedLines[2]->number;
    EXPECT_EQ(speedLines[0]->overriddenBy, winner);
    EXPECT_EQ(speedLines[1]->overriddenBy, winner);
    EXPECT_EQ(speedLines[2]->overriddenBy, 0);
    EXPECT_EQ(speedLines[2]->overrides, (std::vector<int>{speedLines[0]->number, speedLines[1]->number}));
    EXPECT_EQ(speedLines[3]->read.kind, LineKind::NotANumber) << "a later invalid line does not undo the winner";
    EXPECT_EQ(report.settings[12], (std::pair<std::string, std::string>{"Train.SpeedForward", "45.0"}));
}

TEST_F(Lint, AKeyWithoutAValidLineIsMissingAndStaysZero) {
    const LintReport report = LintText(DefaultFileWith("Train.Braking", "Train.Braking = strong"));
    ASSERT_EQ(report.missing.size(), 1u);
    const MissingKey& missing = report.missing[0];
    EXPECT_EQ(missing.key, "Train.Braking");
    EXPECT_EQ(missing.freshText, "0.0");
    EXPECT_EQ(missing.defaultText, "2.5");
    ASSERT_EQ(missing.nearLines.size(), 1u) << "the skipped line of the key is pointed to";
    EXPECT_EQ(report.settings[15], (std::pair<std::string, std::string>{"Train.Braking", "0.0"}));
    EXPECT_FALSE(report.Clean());
}

TEST_F(Lint, AKeyLeftOutIsMissingAndANearMissPointsToIt) {
    const LintReport report = LintText(DefaultFileWith("Displays.Position", "Display.Position = 1"));
    ASSERT_EQ(report.missing.size(), 1u);
    EXPECT_EQ(report.missing[0].key, "Displays.Position");
    EXPECT_EQ(report.missing[0].nearLines, std::vector<int>{10});
}

struct ProbableKeyCase {
    const char* name;
    const char* text;
    const char* key;
};

class ProbableKeyTest : public testing::TestWithParam<ProbableKeyCase> {};

TEST_P(ProbableKeyTest, NamesTheKeyProbablyMeant) { EXPECT_EQ(ProbableKey(GetParam().text), GetParam().key); }

INSTANTIATE_TEST_SUITE_P(
    Texts, ProbableKeyTest,
    testing::Values(ProbableKeyCase{"AllLowercase", "train.speedforward", "Train.SpeedForward"},
                    ProbableKeyCase{"AllUppercase", "TRAM.BRAKING", "Tram.Braking"},
                    ProbableKeyCase{"LetterMissing", "Display.Position", "Displays.Position"},
                    ProbableKeyCase{"LetterTooMany", "Trains.Seat", "Train.Seat"},
                    ProbableKeyCase{"Blank", "Train.Speed Forward", "Train.SpeedForward"},
                    ProbableKeyCase{"TwoEdits", "Trans.EntranceTyp", "Trains.EntranceType"},
                    ProbableKeyCase{"ThreeEdits", "Trans.EntrancTyp", ""}, ProbableKeyCase{"Unrelated", "Volume", ""},
                    ProbableKeyCase{"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

enum class FileContent { Default, NoEquals, OneKey, None };

struct ExitCase {
    const char* name;
    FileContent content;
    int status;
};

class LintExit : public testing::TestWithParam<ExitCase> {
protected:
    TempFolder folder;
};

TEST_P(LintExit, TellsCleanFromFaultyFromUnreadable) {
    switch (GetParam().content) {
        case FileContent::Default: WriteFile("Kelvane.ini", DefaultFile()); break;
        case FileContent::NoEquals: WriteFile("Kelvane.ini", DefaultFile() + "Train.Seat 1\n"); break;
        case FileContent::OneKey: WriteFile("Kelvane.ini", "Train.SpeedForward = 40\n"); break;
        case FileContent::None: break;
    }
    for (const bool json : {false, true}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunLintCommand("Kelvane.ini", json, out, err), GetParam().status) << (json ? "--json" : "text");
        if (json) {
            const nlohmann::json document = nlohmann::json::parse(out.str());
            EXPECT_EQ(document.contains("error"), GetParam().status == 2);
            if (GetParam().status != 2) {
                EXPECT_EQ(document["clean"], GetParam().status == 0);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, LintExit,
                         testing::Values(ExitCase{"DefaultFile", FileContent::Default, 0},
                                         ExitCase{"SkippedLine", FileContent::NoEquals, 1},
                                         ExitCase{"MissingKeys", FileContent::OneKey, 1},
                                         ExitCase{"NoFile", FileContent::None, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lint, ADirectoryCannotBeRead) {
    std::filesystem::create_directory("Kelvane.ini");
    std::ostringstream out, err;
    EXPECT_EQ(RunLintCommand("Kelvane.ini", false, out, err), 2);
    EXPECT_NE(err.str().find("cannot read Kelvane.ini"), std::string::npos);
}

TEST_F(Lint, TheJsonReportCarriesEveryLineAndSetting) {
    WriteFile("Kelvane.ini", DefaultFileWith("Train.Seat", "Train.Seat = 1.9\ntrain.seat = 0"));
    std::ostringstream out, err;
    EXPECT_EQ(RunLintCommand("Kelvane.ini", true, out, err), 1);
    const nlohmann::json document = nlohmann::json::parse(out.str());
    EXPECT_EQ(document["lines"].size(), 26u);
    EXPECT_EQ(document["settings"].size(), 25u);
    EXPECT_EQ(document["settings"]["Train.Seat"], "1");
    const nlohmann::json& seatLine = document["lines"][19];
    EXPECT_EQ(seatLine["text"], "train.seat = 0");
    EXPECT_EQ(seatLine["action"], "skipped");
    EXPECT_EQ(seatLine["reason"], "not a key");
    EXPECT_EQ(seatLine["probable_key"], "Train.Seat");
    EXPECT_EQ(document["missing"].size(), 0u);
}

}  // namespace
}  // namespace kelvane_sim
