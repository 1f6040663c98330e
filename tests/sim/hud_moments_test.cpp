// Which frames of a run the HUD sheet shows, and why.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "scenario/hud_moments.h"

namespace sim {
namespace {

// A gauge as the plug-in draws it: the translucent background, then the fill.
void AddBar(FrameRecord& frame, float y, float fill, bool red = false) {
    DrawnRect background{0.5f, y, 0.1f, 0.005f, {255, 255, 255, 63}};
    const float width = 0.1f * fill;
    DrawnRect filled{0.45f + width / 2.0f, y, width, 0.005f, {255, red ? 127 : 255, red ? 127 : 255, 255}};
    frame.rects.push_back(background);
    frame.rects.push_back(filled);
}

void AddText(FrameRecord& frame, float y, int alpha, const std::string& text) {
    DrawnText drawn;
    drawn.text = text;
    drawn.x = 0.5f;
    drawn.y = y;
    drawn.style.colour[3] = alpha;
    frame.texts.push_back(drawn);
}

struct Moment {
    int frame;
    std::string caption;
};

struct MomentCase {
    const char* name;
    int frames;
    std::function<void(FrameRecord&, int)> draw;  // frame i's draw list
    std::vector<Moment> expected;
};

class HudMoments : public testing::TestWithParam<MomentCase> {};

TEST_P(HudMoments, AreTheFramesWorthSeeing) {
    const MomentCase& c = GetParam();
    HudMomentPicker picker;
    for (int i = 0; i < c.frames; ++i) {
        FrameRecord frame;
        c.draw(frame, i);
        picker.Frame(static_cast<std::uint64_t>(i), i * 0.5, frame);
    }
    const std::vector<HudMoment> moments = picker.Moments();
    ASSERT_EQ(moments.size(), c.expected.size());
    for (std::size_t i = 0; i < moments.size(); ++i) {
        EXPECT_DOUBLE_EQ(moments[i].time, c.expected[i].frame * 0.5) << moments[i].caption;
        EXPECT_EQ(moments[i].caption, c.expected[i].caption);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HudMoments,
    testing::Values(
        MomentCase{"FillingGaugeHalfFull", 10, [](FrameRecord& f, int i) { AddBar(f, 0.5f, i / 9.0f); },
                   {{5, "boarding bar half full"}}},
        MomentCase{"EmptyingGaugeHalfEmpty", 10, [](FrameRecord& f, int i) { AddBar(f, 0.951f, 1.0f - i / 9.0f); },
                   {{5, "doors bar half empty"}}},
        MomentCase{"GaugeThatStaysLowAtItsFullest", 12,
                   [](FrameRecord& f, int i) { AddBar(f, 0.99f, i <= 6 ? 0.02f * (i + 1) : 0.14f - 0.02f * (i - 6)); },
                   {{6, "distance bar at its fullest, 14 %"}}},
        MomentCase{"StillGaugeWhenItAppears", 6,
                   [](FrameRecord& f, int i) {
                       if (i >= 2) AddBar(f, 0.005f, 0.0f, true);
                   },
                   {{2, "derailment bar appears"}}},
        MomentCase{"FadingTextAppearsAndHalfFades", 10,
                   [](FrameRecord& f, int i) { AddText(f, 0.5f, 255 - 25 * i, "The engineer will keep the speed"); },
                   {{0, "message appears"}, {6, "message half faded"}}},
        MomentCase{"ReasonsOnOneFrameMakeOneMoment", 4,
                   [](FrameRecord& f, int i) {
                       if (i == 0) return;
                       AddText(f, 0.01f, 255, std::to_string(i) + " mph (" + std::to_string(2 * i) + " km/h)");
                       AddBar(f, 0.005f, 0.0f, true);
                   },
                   {{1, "speed text appears; derailment bar appears"}}},
        MomentCase{"EmptyScreenHasNone", 5, [](FrameRecord&, int) {}, {}}),
    [](const testing::TestParamInfo<MomentCase>& info) { return std::string(info.param.name); });

TEST(HudMoments, NameTheGaugesInTheOrderTheyShowed) {
    HudMomentPicker picker;
    FrameRecord boarding, driving;
    AddBar(boarding, 0.5f, 0.3f);
    AddBar(driving, 0.005f, 0.1f, true);
    picker.Frame(0, 0.0, boarding);
    picker.Frame(1, 0.5, driving);
    picker.Frame(2, 1.0, boarding);
    EXPECT_EQ(picker.GaugesShown(), (std::vector<std::string>{"boarding bar", "derailment bar"}));
}

}  // namespace
}  // namespace sim
