#include "cab/cab_actions.h"

#include <algorithm>

#include "cab/cab_geometry.h"
#include "config/int_conversion.h"
#include "config/settings.h"
#include "dynamics/wrecks.h"
#include "host/natives.h"
#include "hud/drawing.h"

namespace kelvane {

namespace {

constexpr int EngineerSeat = -1;
constexpr int RightSeat = 0;

constexpr float SeatChangeCooldown = 3.0f;

// [E] starts its timer at 1.2 and counts down while held; a release while it is still
// above 1.0, less than 0.2 s of frame times later, is a command.
constexpr float HornKeyStart = 1.2f;
constexpr float HornKeyShortPress = 1.0f;

constexpr float EngineerMessageDuration = 5.0f;
constexpr float EngineerMessageY = 0.5f;
constexpr float EngineerMessageScale = 0.35f;
constexpr int OpaqueAlpha = 255;

// Indexed by EngineerMode.
constexpr const char* EngineerMessages[] = {
    "The engineer will keep the speed if you jump off the wagons.",
    "The engineer will stop the train if you jump off the wagons.",
    "The engineer will follow you if you jump off the wagons.",
};

// Where the player lands on jumping off, relative to the train (ahead, right) and above
// its origin.
constexpr float FreightJumpAhead = 1.0f;
constexpr float FreightReversingJumpAhead = 0.5f;
constexpr float FreightJumpHeight = 2.8f;
constexpr float TramJumpAhead = 4.0f;
constexpr float TramJumpRight = -2.5f;
constexpr float TramJumpHeight = 1.0f;
constexpr float DoorJumpHeight = 0.9f;

// Whoever sits in the engineer's seat, alive and not the player, takes commands and
// the train.
bool HasLiveEngineer(Vehicle train, Ped player) {
    const Ped engineer = GET_PED_IN_VEHICLE_SEAT(train, EngineerSeat);
    return engineer != 0 && !IS_ENTITY_DEAD(engineer) && engineer != player;
}

bool PlayerInRightSeat(Vehicle train) { return PLAYER_PED_ID() == GET_PED_IN_VEHICLE_SEAT(train, RightSeat); }

EngineerMode NextEngineerMode(EngineerMode mode) {
    return static_cast<EngineerMode>((static_cast<int>(mode) + 1) % 3);
}

// A freight cab's crew stays aboard unless it is the player or the train has derailed.
void LeaveFreightSeat(const CabState& state, int seat, Ped player) {
    const Ped occupant = GET_PED_IN_VEHICLE_SEAT(state.train, seat);
    if (occupant != 0 && (occupant == player || state.derailed)) TASK_LEAVE_VEHICLE(occupant, state.train, -1);
}

void OrderLeaving(const CabState& state, Ped player) {
    if (state.trainType == Freight) {
        LeaveFreightSeat(state, EngineerSeat, player);
        LeaveFreightSeat(state, RightSeat, player);
    } else {
        TASK_LEAVE_VEHICLE(player, state.train, -1);
    }
}

// The freight train goes on at the commanded speed, driven by the engineer.
void HandOverToEngineer(CabState& state) {
    state.autopilotTrain = state.train;
    state.autopilotPhase = AutopilotPhase::Undecided;
    state.autopilotSpeed = state.speed;
    SET_TRAIN_CRUISE_SPEED(state.train, state.speed);
}

// Off the train beside it, or at its door with the realistic entrance.
void PlaceLeavingPlayer(const CabState& state, Ped player, const Vector3& t, float fx, float fy) {
    const bool freight = state.trainType == Freight;
    PlanePoint at;
    float height = DoorJumpHeight;
    if (settings.Trains.EntranceType != 0) {
        at = CabDoor(freight, t.x, t.y, fx, fy);
    } else if (freight) {
        // Reversing, the train runs towards where the player lands: less far ahead.
        const float ahead = state.direction >= 0 ? FreightJumpAhead : FreightReversingJumpAhead;
        at = AlongTrain(t.x, t.y, fx, fy, ahead, 0.0f);
        height = FreightJumpHeight;
    } else {
        at = AlongTrain(t.x, t.y, fx, fy, TramJumpAhead, TramJumpRight);
        height = TramJumpHeight;
    }
    SET_ENTITY_COORDS(player, at.x, at.y, t.z + height, false, false, false, false);
}

}  // namespace

void RunSeatChange(CabState& state) {
    if (state.seatChangeCooldown > 0.0f) state.seatChangeCooldown -= GET_FRAME_TIME();
    const bool pressed = IS_CONTROL_JUST_RELEASED(ControlGroup, SeatLeftControl) ||
                         IS_CONTROL_JUST_RELEASED(ControlGroup, SeatRightControl);
    if (!pressed || !settings.KeyAction.ChangeSeat || state.trainType != Freight) return;
    if (!(state.seatChangeCooldown <= 0.0f)) return;
    state.seatChangeCooldown = SeatChangeCooldown;
    TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT(PLAYER_PED_ID(), state.train);
}

void RunFullBeam(CabState& state) {
    if (!IS_CONTROL_JUST_RELEASED(ControlGroup, FullBeamControl) || state.trainType != Freight) return;
    if (!PlayerInRightSeat(state.train)) return;
    state.fullBeam = !state.fullBeam;
    SET_VEHICLE_FULLBEAM(state.train, state.fullBeam);
}

void RunHornAndEngineerCommand(CabState& state) {
    // On a tram the timer never starts: the key neither sounds the horn nor commands.
    if (IS_CONTROL_JUST_PRESSED(ControlGroup, HornControl) && state.trainType == Freight) {
        state.hornKeyTimer = HornKeyStart;
    }
    if (IS_CONTROL_PRESSED(ControlGroup, HornControl)) {
        if (state.hornKeyTimer > HornKeyShortPress) {
            state.hornKeyTimer -= GET_FRAME_TIME();
        } else if (state.hornKeyTimer > 0.0f) {
            // Held long enough: the horn, once per hold, and only the right seat has it.
            state.hornKeyTimer = 0.0f;
            if (PlayerInRightSeat(state.train)) START_VEHICLE_HORN(state.train, 0, GET_HASH_KEY("NORMAL"), false);
        }
    }
    if (IS_CONTROL_JUST_RELEASED(ControlGroup, HornControl)) {
        if (settings.KeyAction.EngineerCommand && state.hornKeyTimer > HornKeyShortPress &&
            HasLiveEngineer(state.train, PLAYER_PED_ID())) {
            state.engineerMode = NextEngineerMode(state.engineerMode);
            state.engineerMessageTime = EngineerMessageDuration;
        }
        state.hornKeyTimer = 0.0f;
    }
}

void DrawEngineerMessage(CabState& state) {
    if (!(state.engineerMessageTime > 0.0f)) return;
    // Opaque until the last second, then fading; saturated so that a time grown huge
    // under a negative frame time still gives an alpha the game takes.
    const int alpha = std::min(OpaqueAlpha, TruncateToInt(state.engineerMessageTime * 255.0f));
    DrawCenteredText(EngineerMessageY, EngineerMessageScale, alpha,
                     EngineerMessages[static_cast<int>(state.engineerMode)]);
    state.engineerMessageTime -= GET_FRAME_TIME();
}

void RunLeaveCheck(CabState& state) {
    if (!IS_CONTROL_JUST_PRESSED(ControlGroup, LeaveControl)) return;
    if (state.cameraShaking) {
        state.cameraShaking = false;
        STOP_GAMEPLAY_CAM_SHAKING(false);
    }
    const Ped player = PLAYER_PED_ID();
    // Nobody left to command: the train keeps its speed.
    if (!HasLiveEngineer(state.train, player)) state.engineerMode = EngineerMode::KeepSpeed;
    OrderLeaving(state, player);

    if (state.derailed) {
        state.phase = CabPhase::OnFoot;
        state.autopilotTrain = 0;
        AppendWreck(state, state.train, state.trainType);
        return;
    }

    const float fx = GET_ENTITY_FORWARD_X(state.train);
    const float fy = GET_ENTITY_FORWARD_Y(state.train);
    const Vector3 t = GET_ENTITY_COORDS(state.train, true);
    state.phase = CabPhase::OnFoot;
    if (state.trainType == Freight) {
        HandOverToEngineer(state);
    } else {
        state.autopilotTrain = 0;
        SET_TRAIN_CRUISE_SPEED(state.train, 0.0f);
    }
    PlaceLeavingPlayer(state, player, t, fx, fy);
}

}  // namespace kelvane
