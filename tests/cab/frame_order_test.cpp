// The order of one in-cab frame, read from the native log: driving, seat change, full
// beam, horn and command, doors, derailment, display, engineer message, leave check.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/settings.h"
#include "support/cab_frames.h"
#include "support/cab_setup.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::AddStraightTrain;
using kelvane_test::CabFrames;
using kelvane_test::FreightCars;
using kelvane_test::PutPlayerInCab;

// A call that only one step of the frame makes, and the step it stands for.
struct Marker {
    const char* step;
    std::uint64_t hash;
    std::int32_t control = -1;  // for control polls: the control asked about
    float y = -1.0f;            // for texts and rectangles: the line they are drawn on
};

float FloatOf(std::uint64_t slot) { return std::bit_cast<float>(static_cast<std::uint32_t>(slot)); }

bool Matches(const Marker& marker, const sim::hook::LoggedCall& call) {
    if (call.hash != marker.hash) return false;
    if (marker.control >= 0) return static_cast<std::int32_t>(call.arguments[1]) == marker.control;
    if (marker.y >= 0.0f) return FloatOf(call.arguments[1]) == marker.y;
    return true;
}

TEST(FrameOrder, TheInCabStepsRunInTheirFixedOrder) {
    settings = Settings{};
    ApplyDefaults();
    CabFrames frames;
    const sim::Handle lead = AddStraightTrain(frames.world(), FreightCars(1), 5.0);
    PutPlayerInCab(frames, lead, Freight, 0);
    frames.state.engineerMessageTime = 3.0f;  // a message still shows
    frames.Frame();

    using namespace sim::native;
    const std::vector<Marker> markers = {
        {"driving", IS_CONTROL_PRESSED, 71},
        {"driving", SET_TRAIN_SPEED},
        {"seat change", IS_CONTROL_JUST_RELEASED, 34},
        {"full beam", IS_CONTROL_JUST_RELEASED, 74},
        {"horn and command", IS_CONTROL_JUST_PRESSED, 86},
        {"doors", IS_CONTROL_JUST_PRESSED, 113},
        {"derailment", IS_CONTROL_PRESSED, 73},
        {"display: speed", DRAW_TEXT, -1, 0.01f},
        {"display: derailment bar", DRAW_RECT, -1, 0.005f},
        {"engineer message", DRAW_TEXT, -1, 0.5f},
        {"leave check", IS_CONTROL_JUST_PRESSED, 75},
    };
    const auto& log = sim::hook::CallLog();
    std::size_t previous = 0;
    std::string previousStep = "the frame's start";
    for (const Marker& marker : markers) {
        std::size_t at = log.size();
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (Matches(marker, log[i])) {
                at = i;
                break;
            }
        }
        ASSERT_LT(at, log.size()) << marker.step << " made no call";
        EXPECT_GE(at, previous) << marker.step << " ran before " << previousStep;
        previous = at;
        previousStep = marker.step;
    }
}

}  // namespace
}  // namespace kelvane
