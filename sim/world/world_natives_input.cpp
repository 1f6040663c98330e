#include "hook/hook.h"
#include "world/native_hashes.h"
#include "world/world.h"
#include "world/world_natives.h"

namespace sim {

using hook::NativeCall;
using hook::RegisterNative;

namespace {

// The timeline drives input group 2; other groups see nothing pressed.
constexpr int TimelineControlGroup = 2;

template <typename Query>
void RegisterControlQuery(World& world, std::uint64_t hash, bool otherGroups, Query query) {
    RegisterNative(hash, [&world, otherGroups, query](NativeCall& call) {
        const bool timelineGroup = call.IntArgument(0) == TimelineControlGroup;
        call.ReturnBool(timelineGroup ? query(world.Input(), call.IntArgument(1)) : otherGroups);
    });
}

}  // namespace

void RegisterInputNatives(World& world) {
    RegisterControlQuery(world, native::IS_CONTROL_PRESSED, false,
                         [](const Controls& controls, int control) { return controls.Pressed(control); });
    RegisterControlQuery(world, native::IS_CONTROL_JUST_PRESSED, false,
                         [](const Controls& controls, int control) { return controls.JustPressed(control); });
    RegisterControlQuery(world, native::IS_CONTROL_JUST_RELEASED, false,
                         [](const Controls& controls, int control) { return controls.JustReleased(control); });
    RegisterControlQuery(world, native::IS_CONTROL_RELEASED, true,
                         [](const Controls& controls, int control) { return controls.Released(control); });
    RegisterNative(native::GET_FRAME_TIME, [&world](NativeCall& call) { call.ReturnFloat(world.FrameTime()); });
    RegisterNative(native::GET_HASH_KEY, [](NativeCall& call) {
        const char* text = call.TextArgument(0);
        call.ReturnInt(static_cast<std::int32_t>(HashKey(text ? text : "")));
    });
}

}  // namespace sim
