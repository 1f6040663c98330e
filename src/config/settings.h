#pragma once
// The one global record of tuning values. Fields mirror the INI keys: the setting of
// key "Display.Speed" is settings.Display.Speed, and a per-type pair such as
// "Train.SpeedForward" / "Tram.SpeedForward" is settings.SpeedForward[trainType].

#include <array>
#include <string_view>
#include <variant>

namespace kelvane {

enum TrainType : int { Freight = 0, Tram = 1 };

// Indexed by TrainType: element Freight from the "Train." key, element Tram from "Tram.".
using PerTrainType = float[2];

struct Settings {
    struct DisplaysGroup {
        int Position = 0;
        bool operator==(const DisplaysGroup&) const = default;
    } Displays;
    struct DisplayGroup {
        bool Speed = false;
        bool Derailment = false;
        bool Doors = false;
        bool TrainDistance = false;
        bool operator==(const DisplayGroup&) const = default;
    } Display;
    struct KeyActionGroup {
        bool ManualDerailment = false;
        bool OpenCloseDoors = false;
        bool EngineerCommand = false;
        bool ChangeSeat = false;
        bool operator==(const KeyActionGroup&) const = default;
    } KeyAction;
    struct TrainsGroup {
        int EntranceType = 0;
        float EnterDelay = 0.0f;
        bool DerailmentCameraShake = false;
        bool operator==(const TrainsGroup&) const = default;
    } Trains;
    PerTrainType SpeedForward = {};
    PerTrainType SpeedBackward = {};
    PerTrainType Acceleration = {};
    PerTrainType Braking = {};
    PerTrainType Derailment = {};
    PerTrainType Explosion = {};
    struct TrainGroup {
        int Seat = 0;
        bool operator==(const TrainGroup&) const = default;
    } Train;

    // The engineer's driving parameters: fixed, no INI key.
    float EngineerAcceleration = 3.0f;
    float EngineerTopSpeed = 60.0f;
    float EngineerBraking = 4.0f;

    bool operator==(const Settings&) const = default;
};

// Written only by ApplyDefaults and the loader; read everywhere.
extern Settings settings;

// Sets every file setting and the three fixed values to their defaults.
void ApplyDefaults();

inline constexpr const char* ConfigFileName = "Kelvane.ini";

// How a value read from the file becomes a setting.
enum class LoadRule {
    Flag,      // true exactly when the number read equals 1
    Integer,   // truncated toward zero, saturated at the 32-bit range
    Number,    // stored as read
    Fraction,  // clamped to 0..1 at every load
};

struct SettingField {
    std::string_view key;
    LoadRule rule;
    std::variant<bool*, int*, float*> value;
};

// The 25 INI keys; every key is spelled here and only here.
namespace keys {
inline constexpr std::string_view DisplaysPosition = "Displays.Position";
inline constexpr std::string_view DisplaySpeed = "Display.Speed";
inline constexpr std::string_view DisplayDerailment = "Display.Derailment";
inline constexpr std::string_view DisplayDoors = "Display.Doors";
inline constexpr std::string_view DisplayTrainDistance = "Display.TrainDistance";
inline constexpr std::string_view KeyActionManualDerailment = "KeyAction.ManualDerailment";
inline constexpr std::string_view KeyActionOpenCloseDoors = "KeyAction.OpenCloseDoors";
inline constexpr std::string_view KeyActionEngineerCommand = "KeyAction.EngineerCommand";
inline constexpr std::string_view KeyActionChangeSeat = "KeyAction.ChangeSeat";
inline constexpr std::string_view TrainsEntranceType = "Trains.EntranceType";
inline constexpr std::string_view TrainsEnterDelay = "Trains.EnterDelay";
inline constexpr std::string_view TrainsDerailmentCameraShake = "Trains.DerailmentCameraShake";
inline constexpr std::string_view TrainSpeedForward = "Train.SpeedForward";
inline constexpr std::string_view TrainSpeedBackward = "Train.SpeedBackward";
inline constexpr std::string_view TrainAcceleration = "Train.Acceleration";
inline constexpr std::string_view TrainBraking = "Train.Braking";
inline constexpr std::string_view TrainDerailment = "Train.Derailment";
inline constexpr std::string_view TrainExplosion = "Train.Explosion";
inline constexpr std::string_view TrainSeat = "Train.Seat";
inline constexpr std::string_view TramSpeedForward = "Tram.SpeedForward";
inline constexpr std::string_view TramSpeedBackward = "Tram.SpeedBackward";
inline constexpr std::string_view TramAcceleration = "Tram.Acceleration";
inline constexpr std::string_view TramBraking = "Tram.Braking";
inline constexpr std::string_view TramDerailment = "Tram.Derailment";
inline constexpr std::string_view TramExplosion = "Tram.Explosion";
}  // namespace keys

// The 25 file settings in file order.
inline constexpr std::array<SettingField, 25> SettingFields = {{
    {keys::DisplaysPosition, LoadRule::Integer, &settings.Displays.Position},
    {keys::DisplaySpeed, LoadRule::Flag, &settings.Display.Speed},
    {keys::DisplayDerailment, LoadRule::Flag, &settings.Display.Derailment},
    {keys::DisplayDoors, LoadRule::Flag, &settings.Display.Doors},
    {keys::DisplayTrainDistance, LoadRule::Flag, &settings.Display.TrainDistance},
    {keys::KeyActionManualDerailment, LoadRule::Flag, &settings.KeyAction.ManualDerailment},
    {keys::KeyActionOpenCloseDoors, LoadRule::Flag, &settings.KeyAction.OpenCloseDoors},
    {keys::KeyActionEngineerCommand, LoadRule::Flag, &settings.KeyAction.EngineerCommand},
    {keys::KeyActionChangeSeat, LoadRule::Flag, &settings.KeyAction.ChangeSeat},
    {keys::TrainsEntranceType, LoadRule::Integer, &settings.Trains.EntranceType},
    {keys::TrainsEnterDelay, LoadRule::Number, &settings.Trains.EnterDelay},
    {keys::TrainsDerailmentCameraShake, LoadRule::Flag, &settings.Trains.DerailmentCameraShake},
    {keys::TrainSpeedForward, LoadRule::Number, &settings.SpeedForward[Freight]},
    {keys::TrainSpeedBackward, LoadRule::Number, &settings.SpeedBackward[Freight]},
    {keys::TrainAcceleration, LoadRule::Number, &settings.Acceleration[Freight]},
    {keys::TrainBraking, LoadRule::Number, &settings.Braking[Freight]},
    {keys::TrainDerailment, LoadRule::Fraction, &settings.Derailment[Freight]},
    {keys::TrainExplosion, LoadRule::Fraction, &settings.Explosion[Freight]},
    {keys::TrainSeat, LoadRule::Integer, &settings.Train.Seat},
    {keys::TramSpeedForward, LoadRule::Number, &settings.SpeedForward[Tram]},
    {keys::TramSpeedBackward, LoadRule::Number, &settings.SpeedBackward[Tram]},
    {keys::TramAcceleration, LoadRule::Number, &settings.Acceleration[Tram]},
    {keys::TramBraking, LoadRule::Number, &settings.Braking[Tram]},
    {keys::TramDerailment, LoadRule::Fraction, &settings.Derailment[Tram]},
    {keys::TramExplosion, LoadRule::Fraction, &settings.Explosion[Tram]},
}};

// The field of a key, looked up in SettingFields; the key must be one of the 25.
const SettingField& FieldOf(std::string_view key);

}  // namespace kelvane
