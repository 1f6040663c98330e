#include "config/default_config_writer.h"

#include <filesystem>
#include <fstream>
#include <string_view>

#include "config/settings.h"
#include "config/value_format.h"

namespace kelvane {

namespace {

constexpr std::string_view ContactAddress = "kelvane@example.org";
constexpr std::string_view SeeAlsoFirst = "https://example.org/kelvane/station-announcer";
constexpr std::string_view SeeAlsoSecond = "https://example.org/kelvane/level-crossings";

class ConfigText {
public:
    void Line(std::string_view line = {}) {
        text_ += line;
        text_ += '\n';
    }
    void EmptyLines(int count) {
        for (int i = 0; i < count; ++i) Line();
    }
    void Setting(std::string_view key) { Line(SettingText(key)); }
    void Setting(std::string_view key, std::string_view comment) {
        Line(PadToColumn(SettingText(key)) + '\t' + std::string(comment));
    }
    std::string Take() { return std::move(text_); }

private:
    static std::string SettingText(std::string_view key) {
        return std::string(key) + " = " + FormatSettingValue(FieldOf(key));
    }
    std::string text_;
};

bool MayExist(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::status(path, error).type() != std::filesystem::file_type::not_found;
}

}  // namespace

std::string DefaultConfigText() {
    ConfigText file;
    file.Line("; Kelvane 3.0.0 Configuration for Grand Theft Auto V (" + std::string(ContactAddress) + ")");
    file.Line();
    file.Line("; Reload Configuration:   Enter a train.");
    file.Line("; Reset Configuration:    Delete the ini-file and enter a train.");
    file.EmptyLines(3);
    file.Line("[Common]");
    file.Line();
    file.Setting(keys::DisplaysPosition, "; 0 - top, 1 - bottom");
    file.Setting(keys::DisplaySpeed, "; 0 - hide, 1 - show");
    file.Setting(keys::DisplayDerailment);
    file.Setting(keys::DisplayDoors);
    file.Setting(keys::DisplayTrainDistance);
    file.Line();
    file.Setting(keys::KeyActionManualDerailment,
                 "; [X]: 0 - stop automatic derailment, 1 - start manual derailment");
    file.Setting(keys::KeyActionOpenCloseDoors);
    file.Setting(keys::KeyActionEngineerCommand);
    file.Setting(keys::KeyActionChangeSeat);
    file.Line();
    file.Setting(keys::TrainsEntranceType,
                 "; 0 - normal entrance, 1 realistic entrance (Hint: If this parameter is set to 1 "
                 "(realistic entrance), then the player must be very close to the door of the cab to "
                 "enter the train. Freight Train: right door, Tram: door inside the tram)");
    file.Setting(keys::TrainsEnterDelay, "; train enter delay in s (second)");
    file.Setting(keys::TrainsDerailmentCameraShake,
                 "; camera shake just before derailment: 0 - disabled, 1 - enabled");
    file.Line();
    file.Line("[FreightTrain]");
    file.Line();
    file.Setting(keys::TrainSpeedForward,
                 "; speed in m/s (meter per second) (1 m/s = 3.6 km/h around 2.2369 mph)");
    file.Setting(keys::TrainSpeedBackward);
    file.Setting(keys::TrainAcceleration, "; acceleration in m/s^2 (meter per second squared)");
    file.Setting(keys::TrainBraking, "; braking in m/s^2");
    file.Setting(keys::TrainDerailment,
                 "; derailment sensitivity: 0 - disabled derailments, 1 - maximum derailment sensitivity");
    file.Setting(keys::TrainExplosion,
                 "; explosion sensitivity: 0 - disabled explosions, 1 - maximum explosion sensitivity");
    file.Setting(keys::TrainSeat,
                 "; seat after enter the cab: 0 - left seat, 1 - right seat (Hint: If this parameter is "
                 "set to 0 (left seat), then the engineer commands are not available, because the "
                 "engineer leaves the cab.)");
    file.Line();
    file.Line("[Tram]");
    file.Line();
    file.Setting(keys::TramSpeedForward);
    file.Setting(keys::TramSpeedBackward);
    file.Setting(keys::TramAcceleration);
    file.Setting(keys::TramBraking);
    file.Setting(keys::TramDerailment);
    file.Setting(keys::TramExplosion);
    file.EmptyLines(3);
    file.Line("; SEE ALSO");
    file.Line("; " + std::string(SeeAlsoFirst));
    file.Line("; " + std::string(SeeAlsoSecond));
    file.EmptyLines(2);
    return file.Take();
}

void WriteDefaultConfig() {
    if (std::ifstream(ConfigFileName).is_open()) return;
    ApplyDefaults();
    // A file that exists but cannot be read keeps its content: appending the defaults
    // to it would leave two sets of keys behind.
    if (MayExist(ConfigFileName)) return;
    std::ofstream file(ConfigFileName, std::ios::app);
    file << DefaultConfigText();
}

}  // namespace kelvane
