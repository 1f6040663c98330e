#include "hook/hook.h"
#include "world/native_hashes.h"
#include "world/world.h"
#include "world/world_natives.h"

namespace sim {

using hook::NativeCall;
using hook::RegisterNative;

void RegisterScreenNatives(World& world) {
    // Text style calls shape the next text drawn; the game forgets them after each draw.
    RegisterNative(native::SET_TEXT_FONT,
                   [&world](NativeCall& call) { world.PendingTextStyle().font = call.IntArgument(0); });
    RegisterNative(native::SET_TEXT_SCALE, [&world](NativeCall& call) {
        world.PendingTextStyle().scaleX = call.FloatArgument(0);
        world.PendingTextStyle().scaleY = call.FloatArgument(1);
    });
    RegisterNative(native::SET_TEXT_COLOUR, [&world](NativeCall& call) {
        for (int i = 0; i < 4; ++i) world.PendingTextStyle().colour[i] = call.IntArgument(i);
    });
    RegisterNative(native::SET_TEXT_WRAP, [&world](NativeCall& call) {
        world.PendingTextStyle().wrapStart = call.FloatArgument(0);
        world.PendingTextStyle().wrapEnd = call.FloatArgument(1);
    });
    RegisterNative(native::SET_TEXT_CENTRE,
                   [&world](NativeCall& call) { world.PendingTextStyle().centre = call.BoolArgument(0); });
    RegisterNative(native::SET_TEXT_DROPSHADOW, [&world](NativeCall& call) {
        for (int i = 0; i < 5; ++i) world.PendingTextStyle().dropShadow[i] = call.IntArgument(i);
    });
    RegisterNative(native::SET_TEXT_EDGE, [&world](NativeCall& call) {
        for (int i = 0; i < 5; ++i) world.PendingTextStyle().edge[i] = call.IntArgument(i);
    });
    RegisterNative(native::SET_TEXT_ENTRY, [&world](NativeCall& call) {
        const char* entry = call.TextArgument(0);
        world.PendingTextStyle().entry = entry ? entry : "";
        world.PendingTextStyle().text.clear();
    });
    RegisterNative(native::ADD_TEXT_COMPONENT_STRING, [&world](NativeCall& call) {
        if (const char* text = call.TextArgument(0)) world.PendingTextStyle().text += text;
    });
    RegisterNative(native::DRAW_TEXT, [&world](NativeCall& call) {
        TextStyle& style = world.PendingTextStyle();
        world.Frame().texts.push_back({style.text, call.FloatArgument(0), call.FloatArgument(1), style});
        style = TextStyle{};
    });
    RegisterNative(native::DRAW_RECT, [&world](NativeCall& call) {
        DrawnRect rect{call.FloatArgument(0), call.FloatArgument(1), call.FloatArgument(2), call.FloatArgument(3)};
        for (int i = 0; i < 4; ++i) rect.colour[i] = call.IntArgument(4 + i);
        world.Frame().rects.push_back(rect);
    });
    RegisterNative(native::SHAKE_GAMEPLAY_CAM, [&world](NativeCall& call) {
        const char* name = call.TextArgument(0);
        world.Camera() = {true, name ? name : "", call.FloatArgument(1)};
    });
    RegisterNative(native::SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE, [&world](NativeCall& call) {
        if (world.Camera().active) world.Camera().amplitude = call.FloatArgument(0);
    });
    RegisterNative(native::STOP_GAMEPLAY_CAM_SHAKING, [&world](NativeCall&) { world.Camera() = CameraShake{}; });
    RegisterNative(native::ADD_EXPLOSION, [&world](NativeCall& call) {
        // Recorded only: explosions push nothing in this world.
        world.Frame().explosions.push_back({{call.FloatArgument(0), call.FloatArgument(1), call.FloatArgument(2)},
                                            call.IntArgument(3),
                                            call.FloatArgument(4),
                                            call.BoolArgument(5),
                                            call.BoolArgument(6),
                                            call.FloatArgument(7)});
        world.CountExplosion();
    });
}

}  // namespace sim
