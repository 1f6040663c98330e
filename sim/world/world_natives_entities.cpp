#include "hook/hook.h"
#include "world/native_hashes.h"
#include "world/world.h"
#include "world/world_natives.h"

namespace sim {

using hook::NativeCall;
using hook::RegisterNative;

namespace {

void ReturnVec(NativeCall& call, const Vec3& v) {
    call.ReturnVector(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

}  // namespace

void RegisterEntityNatives(World& world) {
    RegisterNative(native::PLAYER_PED_ID, [&world](NativeCall& call) { call.ReturnInt(world.PlayerPed()); });
    RegisterNative(native::IS_PED_IN_ANY_VEHICLE, [&world](NativeCall& call) {
        const Ped* ped = world.FindPed(call.IntArgument(0));
        call.ReturnBool(ped != nullptr && ped->vehicle != 0);
    });
    RegisterNative(native::IS_PED_IN_ANY_TRAIN, [&world](NativeCall& call) {
        const Ped* ped = world.FindPed(call.IntArgument(0));
        const Vehicle* vehicle = ped ? world.FindVehicle(ped->vehicle) : nullptr;
        call.ReturnBool(vehicle != nullptr && vehicle->train >= 0);
    });
    RegisterNative(native::GET_VEHICLE_PED_IS_USING,
                   [&world](NativeCall& call) { call.ReturnInt(world.VehiclePedIsUsing(call.IntArgument(0))); });
    RegisterNative(native::GET_PED_NEARBY_VEHICLES, [&world](NativeCall& call) {
        // Element 0 holds the capacity; vehicle k goes to element 2k+2 (the low half of
        // the k+1th 8-byte slot).
        auto* buffer = call.PointerArgument<std::int32_t>(1);
        if (buffer == nullptr) return;
        const int capacity = buffer[0];
        const std::vector<Handle> near = world.NearbyVehicles(call.IntArgument(0));
        int count = 0;
        for (Handle vehicle : near) {
            if (count >= capacity) break;
            buffer[2 * count + 2] = vehicle;
            ++count;
        }
        call.ReturnInt(count);
    });
    RegisterNative(native::GET_PED_IN_VEHICLE_SEAT, [&world](NativeCall& call) {
        call.ReturnInt(world.PedInSeat(call.IntArgument(0), call.IntArgument(1)));
    });
    RegisterNative(native::SET_PED_INTO_VEHICLE, [&world](NativeCall& call) {
        world.SetPedIntoVehicle(call.IntArgument(0), call.IntArgument(1), call.IntArgument(2));
    });
    RegisterNative(native::TASK_LEAVE_VEHICLE, [&world](NativeCall& call) {
        world.TaskLeaveVehicle(call.IntArgument(0), call.IntArgument(1));
    });
    RegisterNative(native::TASK_LEAVE_ANY_VEHICLE, [&world](NativeCall& call) {
        world.TaskLeaveVehicle(call.IntArgument(0), 0);
    });
    RegisterNative(native::TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT, [&world](NativeCall& call) {
        world.TaskShuffleSeat(call.IntArgument(0), call.IntArgument(1));
    });
    RegisterNative(native::DOES_ENTITY_EXIST,
                   [&world](NativeCall& call) { call.ReturnBool(world.Exists(call.IntArgument(0))); });
    RegisterNative(native::IS_ENTITY_DEAD, [&world](NativeCall& call) {
        const Ped* ped = world.FindPed(call.IntArgument(0));
        call.ReturnBool(ped != nullptr && ped->dead);
    });
    RegisterNative(native::GET_ENTITY_COORDS, [&world](NativeCall& call) {
        if (const auto position = world.PositionOf(call.IntArgument(0))) ReturnVec(call, *position);
    });
    RegisterNative(native::SET_ENTITY_COORDS, [&world](NativeCall& call) {
        const Vec3 position{call.FloatArgument(1), call.FloatArgument(2), call.FloatArgument(3)};
        if (std::isfinite(position.x) && std::isfinite(position.y) && std::isfinite(position.z)) {
            world.SetEntityCoords(call.IntArgument(0), position);
        }
    });
    RegisterNative(native::GET_ENTITY_ROTATION, [&world](NativeCall& call) {
        if (const auto forward = world.ForwardOf(call.IntArgument(0))) {
            ReturnVec(call, {PitchDegrees(*forward), 0.0, YawDegrees(*forward)});
        }
    });
    RegisterNative(native::SET_ENTITY_ROTATION, [&world](NativeCall& call) {
        world.SetRotation(call.IntArgument(0), call.FloatArgument(1), call.FloatArgument(3));
    });
    RegisterNative(native::GET_ENTITY_FORWARD_X, [&world](NativeCall& call) {
        if (const auto forward = world.ForwardOf(call.IntArgument(0))) call.ReturnFloat(static_cast<float>(forward->x));
    });
    RegisterNative(native::GET_ENTITY_FORWARD_Y, [&world](NativeCall& call) {
        if (const auto forward = world.ForwardOf(call.IntArgument(0))) call.ReturnFloat(static_cast<float>(forward->y));
    });
    RegisterNative(native::GET_ENTITY_FORWARD_VECTOR, [&world](NativeCall& call) {
        if (const auto forward = world.ForwardOf(call.IntArgument(0))) ReturnVec(call, *forward);
    });
    RegisterNative(native::GET_ENTITY_SPEED, [&world](NativeCall& call) {
        if (const auto velocity = world.VelocityOf(call.IntArgument(0))) {
            call.ReturnFloat(static_cast<float>(Length(*velocity)));
        }
    });
    RegisterNative(native::GET_ENTITY_SPEED_VECTOR, [&world](NativeCall& call) {
        const auto velocity = world.VelocityOf(call.IntArgument(0));
        const auto forward = world.ForwardOf(call.IntArgument(0));
        if (!velocity || !forward) return;
        if (call.BoolArgument(1)) {
            // Relative to the entity: x to its right, y along its heading.
            const Vec3 right = Normalized({forward->y, -forward->x, 0.0}, {1.0, 0.0, 0.0});
            ReturnVec(call, {Dot(*velocity, right), Dot(*velocity, *forward), velocity->z});
        } else {
            ReturnVec(call, *velocity);
        }
    });
    RegisterNative(native::GET_ENTITY_MODEL, [&world](NativeCall& call) {
        if (const Vehicle* vehicle = world.FindVehicle(call.IntArgument(0))) {
            call.ReturnInt(static_cast<std::int32_t>(vehicle->model));
        } else if (world.FindPed(call.IntArgument(0)) != nullptr) {
            call.ReturnInt(static_cast<std::int32_t>(HashKey("player_zero")));
        }
    });
    RegisterNative(native::GET_ENTITY_HEIGHT_ABOVE_GROUND, [&world](NativeCall& call) {
        if (world.Exists(call.IntArgument(0))) {
            call.ReturnFloat(static_cast<float>(world.HeightAboveGround(call.IntArgument(0))));
        }
    });
    RegisterNative(native::SET_ENTITY_DYNAMIC, [&world](NativeCall& call) {
        if (Vehicle* vehicle = world.FindVehicle(call.IntArgument(0))) vehicle->dynamic = call.BoolArgument(1);
    });
    RegisterNative(native::SET_ENTITY_CAN_BE_DAMAGED, [&world](NativeCall& call) {
        if (Vehicle* vehicle = world.FindVehicle(call.IntArgument(0))) vehicle->canBeDamaged = call.BoolArgument(1);
    });
}

}  // namespace sim
