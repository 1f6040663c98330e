#include "dynamics/derailment.h"

#include <cmath>

#include "config/settings.h"
#include "dynamics/derailment_target.h"
#include "dynamics/float_range.h"
#include "dynamics/formulas.h"
#include "dynamics/wrecks.h"
#include "host/natives.h"

namespace kelvane {

namespace {

constexpr float ManualRiskRate = 0.6f;      // per second while the key is held
constexpr float ManualMinimumSpeed = 2.0f;  // m/s; slower, the key only freezes the risk
constexpr float RiskSmoothing = 0.05f;      // of the remaining gap, per frame
constexpr float ShakeStartRisk = 0.5f;
constexpr float ShakeAmplitudeScale = 2.0f * 3.0f;  // amplitude 3 at the threshold
constexpr const char* WarningShake = "SKY_DIVING_SHAKE";
constexpr float DerailThreshold = 1.0f;
constexpr double DerailDelay = 0.3;  // s above the threshold before the train leaves the rails

// The tram's second car stands this far along its own heading when it is recreated.
constexpr double TramSecondCarShift = 0.9;
constexpr double SpawnLift = 0.2;  // m above the ground under the car
// Far more than any train has; a game that kept answering would otherwise hang here.
constexpr int MaxCarriages = 1000;

// What the risk moves towards while the key is not held: the turn rate against the
// sensitivity, scaled up at speed.
void UpdateAutomaticRisk(CabState& state, float hx, float hy) {
    const TrainType type = state.trainType;
    const float sensitivity = settings.Derailment[type];
    float target = 0.0f;
    if (sensitivity > 0.0f) {
        const float frameTime = GET_FRAME_TIME();
        // No time passed, no turn rate: the risk stays where it was.
        if (!IsUsableFrameTime(frameTime)) return;
        const float turnRate = AngleBetween2D(hx, hy, state.prevForwardX, state.prevForwardY) / frameTime;
        target = DerailmentTarget(turnRate, state.speed, sensitivity, settings.SpeedForward[type]);
    }
    const float step = std::fabs(state.derailRisk - target) * RiskSmoothing;
    if (state.derailRisk < target) state.derailRisk = FiniteOrZero(state.derailRisk + step);
    if (state.derailRisk > target) state.derailRisk -= step;
}

void UpdateRisk(CabState& state, float hx, float hy) {
    if (!IS_CONTROL_PRESSED(ControlGroup, DerailControl)) {
        UpdateAutomaticRisk(state, hx, hy);
        return;
    }
    // Held: raises the risk by hand at speed, or freezes it.
    if (settings.KeyAction.ManualDerailment && std::fabs(state.speed) > ManualMinimumSpeed) {
        const float frameTime = GET_FRAME_TIME();
        if (IsUsableFrameTime(frameTime)) {
            state.derailRisk = FiniteOrZero(state.derailRisk + frameTime * ManualRiskRate);
        }
    }
}

void StopWarningShake(CabState& state) {
    state.cameraShaking = false;
    STOP_GAMEPLAY_CAM_SHAKING(false);
}

void UpdateWarningShake(CabState& state) {
    if (state.derailRisk > ShakeStartRisk) {
        if (!state.cameraShaking) {
            SHAKE_GAMEPLAY_CAM(WarningShake, 0.0f);
            state.cameraShaking = true;
        }
        SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE(FiniteOrZero((state.derailRisk - ShakeStartRisk) * ShakeAmplitudeScale));
    } else if (state.cameraShaking) {
        StopWarningShake(state);
    }
}

// Where a car's free replacement appears: on the ground under it, lifted a little.
Vector3 SpawnPoint(const CabState& state, Vehicle car, int index, const Vector3& position) {
    double x = position.x, y = position.y, z = position.z;
    if (state.trainType == Tram && index == 1) {
        const Vector3 forward = GET_ENTITY_FORWARD_VECTOR(car);
        x += TramSecondCarShift * forward.x;
        y += TramSecondCarShift * forward.y;
        z += TramSecondCarShift * forward.z;
    }
    z -= GET_ENTITY_HEIGHT_ABOVE_GROUND(car);
    z += SpawnLift;
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// The car recreated as a free vehicle of the same model, rotation and speed; 0 when the
// game could not create it.
Vehicle RecreateFree(const CabState& state, Vehicle car, int index) {
    const Vector3 position = GET_ENTITY_COORDS(car, true);
    const Vector3 rotation = GET_ENTITY_ROTATION(car, 0);
    const float speed = SignedTrainSpeed(car);
    const Hash model = GET_ENTITY_MODEL(car);
    const Vector3 spawn = SpawnPoint(state, car, index, position);
    const Vehicle vehicle = CREATE_VEHICLE(model, spawn.x, spawn.y, spawn.z, 0.0f, false, true);
    if (vehicle == 0) return 0;
    SET_ENTITY_ROTATION(vehicle, rotation.x, rotation.y, rotation.z, 0, false);
    SET_ENTITY_CAN_BE_DAMAGED(vehicle, true);
    SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED(vehicle, true);
    SET_VEHICLE_FORWARD_SPEED(vehicle, speed);
    return vehicle;
}

void MoveOccupants(const CabState& state, Vehicle lead) {
    if (state.trainType == Tram) {
        SET_PED_INTO_VEHICLE(PLAYER_PED_ID(), lead, -1);
        return;
    }
    const Ped driver = GET_PED_IN_VEHICLE_SEAT(state.train, -1);
    const Ped passenger = GET_PED_IN_VEHICLE_SEAT(state.train, 0);
    if (driver != 0) SET_PED_INTO_VEHICLE(driver, lead, -1);
    if (passenger != 0) SET_PED_INTO_VEHICLE(passenger, lead, 0);
}

// The train leaves the rails: every car becomes a free vehicle, the crew moves into the
// new lead vehicle, and the game's trains are removed.
void Derail(CabState& state) {
    if (state.cameraShaking) StopWarningShake(state);
    Vehicle lead = 0;
    for (int index = 0; index < MaxCarriages; ++index) {
        const Vehicle car = GET_TRAIN_CARRIAGE(state.train, index);
        if (car == 0) break;
        const Vehicle replacement = RecreateFree(state, car, index);
        if (index == 0) {
            lead = replacement;
        } else if (replacement != 0) {
            AppendWreck(state, replacement, state.trainType);
        }
    }
    // Without a new lead vehicle (the train had vanished, or the game created none) nobody
    // is put into a vehicle that does not exist, and the cab keeps the old handle, which the
    // leave control can still leave.
    if (lead != 0) {
        MoveOccupants(state, lead);
        state.train = lead;
    }
    DELETE_ALL_TRAINS();
    state.derailed = true;
}

}  // namespace

void RunDerailmentStep(CabState& state) {
    const float hx = GET_ENTITY_FORWARD_X(state.train);
    const float hy = GET_ENTITY_FORWARD_Y(state.train);
    UpdateRisk(state, hx, hy);
    state.prevForwardX = hx;
    state.prevForwardY = hy;
    if (settings.Trains.DerailmentCameraShake) UpdateWarningShake(state);

    if (state.derailRisk > DerailThreshold) {
        const float frameTime = GET_FRAME_TIME();
        if (IsUsableFrameTime(frameTime)) state.derailOverTime += frameTime;
        if (static_cast<double>(state.derailOverTime) > DerailDelay) Derail(state);
    } else {
        state.derailOverTime = 0.0f;
    }
}

}  // namespace kelvane
