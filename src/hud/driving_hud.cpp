#include "hud/driving_hud.h"

#include <cmath>
#include <string>

#include "config/int_conversion.h"
#include "config/settings.h"
#include "config/value_format.h"
#include "host/natives.h"
#include "hud/drawing.h"

namespace kelvane {

namespace {

// The text keeps its speed until the commanded one has moved this far from it, so that
// it does not flicker between two numbers.
constexpr double SpeedDeadBand = 0.2;
constexpr float KmhPerMetrePerSecond = 3.6f;
constexpr float MphPerKmh = 0.62137f;
constexpr float SpeedTextScale = 0.35f;

// The bar is full at 250 m, as far as the engineer follows the player.
constexpr float DistanceBarPerMetre = 0.004f;

constexpr int FullColour = 255;
constexpr int RiskFillGreenBlue = 127;

// Every element of the display sits at the top of the screen or at the bottom.
struct HudLine {
    float top;
    float bottom;
};
constexpr HudLine SpeedTextLine{0.01f, 0.956f};
constexpr HudLine RiskBarLine{0.005f, 0.99f};
constexpr HudLine DoorsBarLine{0.044f, 0.951f};
constexpr HudLine DistanceBarLine{0.005f, 0.99f};

float YOf(HudLine line) { return settings.Displays.Position == 0 ? line.top : line.bottom; }

void FollowSpeedWithDeadBand(CabState& state) {
    const double commanded = state.speed;
    const double shown = state.shownSpeed;
    if (shown < commanded - SpeedDeadBand || shown > commanded + SpeedDeadBand) state.shownSpeed = state.speed;
}

std::string SpeedText(float speed) {
    const float kmh = std::fabs(speed) * KmhPerMetrePerSecond;
    const float mph = kmh * MphPerKmh;
    return FormatInt(TruncateToInt(mph)) + " mph (" + FormatInt(TruncateToInt(kmh)) + " km/h)";
}

void DrawSpeedText(CabState& state) {
    FollowSpeedWithDeadBand(state);
    DrawCenteredTextOpaque(YOf(SpeedTextLine), SpeedTextScale, SpeedText(state.shownSpeed));
}

void DrawRiskBar(const CabState& state) {
    const float fraction = state.derailRisk > 1.0f ? 1.0f : state.derailRisk;
    DrawHudBar(YOf(RiskBarLine), fraction, RiskFillGreenBlue, RiskFillGreenBlue);
}

// Full while the doors are shut, empty when they are open.
void DrawDoorsBar(const CabState& state) {
    const float openRatio = GET_VEHICLE_DOOR_ANGLE_RATIO(state.train, 0);
    DrawHudBar(YOf(DoorsBarLine), 1.0f - openRatio, FullColour, FullColour);
}

}  // namespace

void DrawCabHud(CabState& state) {
    if (settings.Display.Speed) DrawSpeedText(state);
    if (settings.Display.Derailment) DrawRiskBar(state);
    if (settings.Display.Doors && state.trainType == Tram) DrawDoorsBar(state);
}

void DrawTrainDistanceBar(const CabState& state) {
    if (!settings.Display.TrainDistance) return;
    const Vector3 player = GET_ENTITY_COORDS(PLAYER_PED_ID(), true);
    const Vector3 train = GET_ENTITY_COORDS(state.autopilotTrain, true);
    const float dx = train.x - player.x;
    const float dy = train.y - player.y;
    const float distance = std::sqrt(dy * dy + dx * dx);
    // Until the engineer's next evaluation the train can be beyond 250 m: the bar holds
    // the fraction to a full fill.
    DrawHudBar(YOf(DistanceBarLine), distance * DistanceBarPerMetre, FullColour, FullColour);
}

}  // namespace kelvane
