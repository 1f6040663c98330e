#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "config/settings.h"
#include "support/default_settings.h"
#include "support/temp_folder.h"

namespace kelvane {
namespace {

using kelvane_test::DefaultSettings;
using kelvane_test::ReadFile;
using kelvane_test::TempFolder;
using kelvane_test::WriteFile;

// The default file line by line; lines 1, 47 and 48 carry the maker's address and
// links, which are checked by their fixed parts only.
const std::vector<std::string> ExpectedLines = {
    "; Kelvane 3.0.0 Configuration for Grand Theft Auto V (<address>)",
    "",
    "; Reload Configuration:   Enter a train.",
    "; Reset Configuration:    Delete the ini-file and enter a train.",
    "",
    "",
    "",
    "[Common]",
    "",
    "Displays.Position = 0                        \t; 0 - top, 1 - bottom",
    "Display.Speed = 1                            \t; 0 - hide, 1 - show",
    "Display.Derailment = 1",
    "Display.Doors = 1",
    "Display.TrainDistance = 1",
    "",
    "KeyAction.ManualDerailment = 1               \t; [X]: 0 - stop automatic derailment, 1 - start manual derailment",
    "KeyAction.OpenCloseDoors = 1",
    "KeyAction.EngineerCommand = 1",
    "KeyAction.ChangeSeat = 1",
    "",
    "Trains.EntranceType = 0                      \t; 0 - normal entrance, 1 realistic entrance (Hint: If this "
    "parameter is set to 1 (realistic entrance), then the player must be very close to the door of the cab to enter "
    "the train. Freight Train: right door, Tram: door inside the tram)",
    "Trains.EnterDelay = 0.7                      \t; train enter delay in s (second)",
    "Trains.DerailmentCameraShake = 1             \t; camera shake just before derailment: 0 - disabled, 1 - enabled",
    "",
    "[FreightTrain]",
    "",
    "Train.SpeedForward = 40.0                    \t; speed in m/s (meter per second) (1 m/s = 3.6 km/h around 2.2369 "
    "mph)",
    "Train.SpeedBackward = 15.0",
    "Train.Acceleration = 1.0                     \t; acceleration in m/s^2 (meter per second squared)",
    "Train.Braking = 2.5                          \t; braking in m/s^2",
    "Train.Derailment = 0.88                      \t; derailment sensitivity: 0 - disabled derailments, 1 - maximum "
    "derailment sensitivity",
    "Train.Explosion = 0.9                        \t; explosion sensitivity: 0 - disabled explosions, 1 - maximum "
    "explosion sensitivity",
    "Train.Seat = 1                               \t; seat after enter the cab: 0 - left seat, 1 - right seat (Hint: "
    "If this parameter is set to 0 (left seat), then the engineer commands are not available, because the engineer "
    "leaves the cab.)",
    "",
    "[Tram]",
    "",
    "Tram.SpeedForward = 25.0",
    "Tram.SpeedBackward = 7.0",
    "Tram.Acceleration = 2.4",
    "Tram.Braking = 5.5",
    "Tram.Derailment = 0.88",
    "Tram.Explosion = 0.9",
    "",
    "",
    "",
    "; SEE ALSO",
    "; <first link>",
    "; <second link>",
    "",
    "",
};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class DefaultConfigWriter : public testing::Test {
protected:
    void SetUp() override { settings = Settings{}; }
    TempFolder folder;
};

TEST_F(DefaultConfigWriter, WritesTheFiftyLinesOfTheDefaultFile) {
    WriteDefaultConfig();
    const std::string text = ReadFile(ConfigFileName);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n') << "the last line ends with a line end";
    EXPECT_EQ(text.find('\r'), std::string::npos) << "this platform's text mode writes LF";

    const std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(lines.size(), ExpectedLines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        if (number == 1) {
            const std::string prefix = "; Kelvane 3.0.0 Configuration for Grand Theft Auto V (";
            EXPECT_EQ(lines[i].rfind(prefix, 0), 0u) << lines[i];
            EXPECT_GT(lines[i].size(), prefix.size() + 1);
            EXPECT_EQ(lines[i].back(), ')');
        } else if (number == 47 || number == 48) {
            EXPECT_EQ(lines[i].rfind("; http", 0), 0u) << "line " << number << ": " << lines[i];
        } else {
            EXPECT_EQ(lines[i], ExpectedLines[i]) << "line " << number;
        }
    }
}

TEST_F(DefaultConfigWriter, AppliesTheDefaultsWhenTheFileIsMissing) {
    WriteDefaultConfig();
    EXPECT_TRUE(settings == DefaultSettings());
}

TEST_F(DefaultConfigWriter, DefaultsRoundTripThroughTheFile) {
    WriteDefaultConfig();
    settings = Settings{};
    LoadSettings();
    EXPECT_TRUE(settings == DefaultSettings());
}

TEST_F(DefaultConfigWriter, LeavesAnExistingFileAndTheSettingsAlone) {
    for (const std::string& content : {std::string(), std::string("Train.SpeedForward = 12\n"),
                                      std::string("garbage without a line end")}) {
        WriteFile(ConfigFileName, content);
        settings = Settings{};
        WriteDefaultConfig();
        EXPECT_EQ(ReadFile(ConfigFileName), content);
        EXPECT_TRUE(settings == Settings{}) << "no default may be applied";
    }
}

TEST_F(DefaultConfigWriter, RecreatesADeletedFile) {
    WriteDefaultConfig();
    const std::string first = ReadFile(ConfigFileName);
    settings.SpeedForward[Freight] = 99.0f;
    std::filesystem::remove(ConfigFileName);
    WriteDefaultConfig();
    EXPECT_EQ(ReadFile(ConfigFileName), first);
    EXPECT_EQ(settings.SpeedForward[Freight], 40.0f);
}

TEST(SettingsRecord, StartsZeroWithTheFixedEngineerValues) {
    settings = Settings{};
    for (const SettingField& field : SettingFields) {
        std::visit([&](auto* value) { EXPECT_EQ(*value, 0) << field.key; }, field.value);
    }
    EXPECT_EQ(settings.EngineerAcceleration, 3.0f);
    EXPECT_EQ(settings.EngineerTopSpeed, 60.0f);
    EXPECT_EQ(settings.EngineerBraking, 4.0f);
}

TEST(SettingsRecord, DefaultsKeepTheFixedEngineerValues) {
    settings = Settings{};
    ApplyDefaults();
    EXPECT_EQ(settings.EngineerAcceleration, 3.0f);
    EXPECT_EQ(settings.EngineerTopSpeed, 60.0f);
    EXPECT_EQ(settings.EngineerBraking, 4.0f);
}

}  // namespace
}  // namespace kelvane
