#include "bench/minimal_world.h"

#include "hook/hook.h"
#include "world/native_hashes.h"

namespace kelvane_sim {

namespace {

using sim::hook::NativeCall;
using sim::hook::RegisterNative;
namespace native = sim::native;

constexpr unsigned FreightModel = 0x3D6AAA9B;

void Answer(std::uint64_t hash, void (*answer)(NativeCall&)) { RegisterNative(hash, answer); }
void Nothing(NativeCall&) {}

std::set<int> held;

void Position(NativeCall& call) {
    const int entity = call.IntArgument(0);
    if (entity == BenchPlayer) {
        call.ReturnVector(0.0f, 100.0f, 1.0f);
    } else if (entity >= BenchFirstWreck) {
        const BenchPoint at = BenchWreckPosition(entity);
        call.ReturnVector(at.x, at.y, at.z);
    } else {
        call.ReturnVector(0.0f, 0.0f, 1.0f);
    }
}

}  // namespace

BenchPoint BenchWreckPosition(int wreck) {
    return {20.0f, 10.0f * static_cast<float>(wreck - BenchFirstWreck), 0.5f};
}

void HoldControls(const std::set<int>& controls) { held = controls; }

void RegisterMinimalWorld() {
    Answer(native::IS_CONTROL_PRESSED, [](NativeCall& call) { call.ReturnBool(held.count(call.IntArgument(1)) != 0); });
    Answer(native::IS_CONTROL_RELEASED, [](NativeCall& call) { call.ReturnBool(held.count(call.IntArgument(1)) == 0); });
    // Nothing changes from one frame to the next: nothing is just pressed or released.
    Answer(native::IS_CONTROL_JUST_PRESSED, [](NativeCall& call) { call.ReturnBool(false); });
    Answer(native::IS_CONTROL_JUST_RELEASED, [](NativeCall& call) { call.ReturnBool(false); });
    Answer(native::GET_FRAME_TIME, [](NativeCall& call) { call.ReturnFloat(1.0f / 60.0f); });
    Answer(native::GET_HASH_KEY, [](NativeCall& call) { call.ReturnInt(0x1234); });
    Answer(native::PLAYER_PED_ID, [](NativeCall& call) { call.ReturnInt(BenchPlayer); });
    Answer(native::IS_PED_IN_ANY_VEHICLE, [](NativeCall& call) { call.ReturnBool(false); });
    Answer(native::IS_PED_IN_ANY_TRAIN, [](NativeCall& call) { call.ReturnBool(false); });
    Answer(native::GET_VEHICLE_PED_IS_USING, [](NativeCall& call) { call.ReturnInt(0); });
    Answer(native::GET_PED_NEARBY_VEHICLES, [](NativeCall& call) { call.ReturnInt(0); });
    Answer(native::GET_PED_IN_VEHICLE_SEAT, [](NativeCall& call) {
        call.ReturnInt(call.IntArgument(1) == -1 ? BenchEngineer : BenchPlayer);
    });
    Answer(native::DOES_ENTITY_EXIST, [](NativeCall& call) { call.ReturnBool(true); });
    Answer(native::IS_ENTITY_DEAD, [](NativeCall& call) { call.ReturnBool(false); });
    Answer(native::GET_ENTITY_COORDS, Position);
    Answer(native::GET_ENTITY_ROTATION, [](NativeCall& call) { call.ReturnVector(0.0f, 0.0f, 0.0f); });
    Answer(native::GET_ENTITY_FORWARD_X, [](NativeCall& call) { call.ReturnFloat(0.0f); });
    Answer(native::GET_ENTITY_FORWARD_Y, [](NativeCall& call) { call.ReturnFloat(1.0f); });
    Answer(native::GET_ENTITY_FORWARD_VECTOR, [](NativeCall& call) { call.ReturnVector(0.0f, 1.0f, 0.0f); });
    Answer(native::GET_ENTITY_SPEED, [](NativeCall& call) { call.ReturnFloat(10.0f); });
    Answer(native::GET_ENTITY_SPEED_VECTOR, [](NativeCall& call) { call.ReturnVector(0.0f, 10.0f, 0.0f); });
    Answer(native::GET_ENTITY_MODEL, [](NativeCall& call) { call.ReturnInt(static_cast<int>(FreightModel)); });
    Answer(native::GET_ENTITY_HEIGHT_ABOVE_GROUND, [](NativeCall& call) { call.ReturnFloat(1.0f); });
    Answer(native::GET_TRAIN_CARRIAGE, [](NativeCall& call) {
        call.ReturnInt(call.IntArgument(1) == 1 ? BenchCarriage : 0);
    });
    Answer(native::CREATE_VEHICLE, [](NativeCall& call) { call.ReturnInt(BenchCarriage + 1); });
    Answer(native::GET_VEHICLE_DOOR_ANGLE_RATIO, [](NativeCall& call) { call.ReturnFloat(0.0f); });
    for (std::uint64_t hash :
         {native::SET_TEXT_FONT, native::SET_TEXT_SCALE, native::SET_TEXT_COLOUR, native::SET_TEXT_WRAP,
          native::SET_TEXT_CENTRE, native::SET_TEXT_DROPSHADOW, native::SET_TEXT_EDGE, native::SET_TEXT_ENTRY,
          native::ADD_TEXT_COMPONENT_STRING, native::DRAW_TEXT, native::DRAW_RECT, native::SET_PED_INTO_VEHICLE,
          native::TASK_LEAVE_VEHICLE, native::TASK_LEAVE_ANY_VEHICLE, native::TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT,
          native::SET_ENTITY_COORDS, native::SET_ENTITY_ROTATION, native::SET_ENTITY_DYNAMIC,
          native::SET_ENTITY_CAN_BE_DAMAGED, native::SET_TRAIN_SPEED, native::SET_TRAIN_CRUISE_SPEED,
          native::DELETE_ALL_TRAINS, native::DELETE_VEHICLE, native::SET_VEHICLE_FORWARD_SPEED,
          native::SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED, native::SET_VEHICLE_DOOR_CONTROL, native::SET_VEHICLE_FULLBEAM,
          native::START_VEHICLE_HORN, native::SHAKE_GAMEPLAY_CAM, native::SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE,
          native::STOP_GAMEPLAY_CAM_SHAKING, native::ADD_EXPLOSION}) {
        Answer(hash, Nothing);
    }
}

}  // namespace kelvane_sim
