#include "hook/hook.h"
#include "world/native_hashes.h"
#include "world/world.h"
#include "world/world_natives.h"

namespace sim {

using hook::NativeCall;
using hook::RegisterNative;

void RegisterVehicleNatives(World& world) {
    RegisterNative(native::SET_TRAIN_SPEED, [&world](NativeCall& call) {
        world.SetTrainSpeed(call.IntArgument(0), call.FloatArgument(1));
    });
    RegisterNative(native::SET_TRAIN_CRUISE_SPEED, [&world](NativeCall& call) {
        world.SetTrainCruiseSpeed(call.IntArgument(0), call.FloatArgument(1));
    });
    RegisterNative(native::GET_TRAIN_CARRIAGE, [&world](NativeCall& call) {
        call.ReturnInt(world.TrainCarriage(call.IntArgument(0), call.IntArgument(1)));
    });
    RegisterNative(native::DELETE_ALL_TRAINS, [&world](NativeCall&) { world.DeleteAllTrains(); });
    RegisterNative(native::CREATE_VEHICLE, [&world](NativeCall& call) {
        const Vec3 position{call.FloatArgument(1), call.FloatArgument(2), call.FloatArgument(3)};
        const double heading = call.FloatArgument(4);
        if (!std::isfinite(position.x) || !std::isfinite(position.y) || !std::isfinite(position.z) ||
            !std::isfinite(heading)) {
            return;  // the game creates nothing where nothing can stand
        }
        call.ReturnInt(world.CreateVehicle(call.UintArgument(0), position, heading));
    });
    RegisterNative(native::DELETE_VEHICLE, [&world](NativeCall& call) {
        // The game deletes the vehicle the variable names and clears the variable.
        auto* handle = call.PointerArgument<std::int32_t>(0);
        if (handle == nullptr) return;
        world.DeleteVehicle(*handle);
        *handle = 0;
    });
    RegisterNative(native::SET_VEHICLE_FORWARD_SPEED, [&world](NativeCall& call) {
        world.SetForwardSpeed(call.IntArgument(0), call.FloatArgument(1));
    });
    RegisterNative(native::SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED, [&world](NativeCall& call) {
        if (Vehicle* vehicle = world.FindVehicle(call.IntArgument(0))) vehicle->visiblyDamageable = call.BoolArgument(1);
    });
    RegisterNative(native::GET_VEHICLE_DOOR_ANGLE_RATIO, [&world](NativeCall& call) {
        const Vehicle* vehicle = world.FindVehicle(call.IntArgument(0));
        const int door = call.IntArgument(1);
        if (vehicle != nullptr && door >= 0 && door < DoorCount) call.ReturnFloat(vehicle->doors[door]);
    });
    RegisterNative(native::SET_VEHICLE_DOOR_CONTROL, [&world](NativeCall& call) {
        world.SetDoorRatio(call.IntArgument(0), call.IntArgument(1), call.FloatArgument(3));
    });
    RegisterNative(native::SET_VEHICLE_FULLBEAM, [&world](NativeCall& call) {
        if (Vehicle* vehicle = world.FindVehicle(call.IntArgument(0))) vehicle->fullBeam = call.BoolArgument(1);
    });
    RegisterNative(native::START_VEHICLE_HORN, [&world](NativeCall& call) {
        if (world.FindVehicle(call.IntArgument(0)) == nullptr) return;
        world.Frame().horns.push_back(
            {call.IntArgument(0), call.IntArgument(1), call.UintArgument(2), call.BoolArgument(3)});
    });
}

}  // namespace sim
