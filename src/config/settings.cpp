#include "config/settings.h"

#include <stdexcept>

namespace kelvane {

Settings settings;

void ApplyDefaults() {
    settings.Displays.Position = 0;
    settings.Display.Speed = true;
    settings.Display.Derailment = true;
    settings.Display.Doors = true;
    settings.Display.TrainDistance = true;
    settings.KeyAction.ManualDerailment = true;
    settings.KeyAction.OpenCloseDoors = true;
    settings.KeyAction.EngineerCommand = true;
    settings.KeyAction.ChangeSeat = true;
    settings.Trains.EntranceType = 0;
    settings.Trains.EnterDelay = 0.7f;
    settings.Trains.DerailmentCameraShake = true;
    settings.SpeedForward[Freight] = 40.0f;
    settings.SpeedBackward[Freight] = 15.0f;
    settings.Acceleration[Freight] = 1.0f;
    settings.Braking[Freight] = 2.5f;
    settings.Derailment[Freight] = 0.88f;
    settings.Explosion[Freight] = 0.9f;
    settings.Train.Seat = 1;
    settings.SpeedForward[Tram] = 25.0f;
    settings.SpeedBackward[Tram] = 7.0f;
    settings.Acceleration[Tram] = 2.4f;
    settings.Braking[Tram] = 5.5f;
    settings.Derailment[Tram] = 0.88f;
    settings.Explosion[Tram] = 0.9f;
    settings.EngineerAcceleration = 3.0f;
    settings.EngineerTopSpeed = 60.0f;
    settings.EngineerBraking = 4.0f;
}

const SettingField& FieldOf(std::string_view key) {
    for (const SettingField& field : SettingFields) {
        if (field.key == key) return field;
    }
    throw std::out_of_range("no setting has this key");
}

}  // namespace kelvane
