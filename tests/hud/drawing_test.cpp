// The drawing primitives as the game sees them: the natives they call, in order, with
// the raw argument slots read from the stand-in hook's call log.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "hook/hook.h"
#include "hud/drawing.h"
#include "support/case_name.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

namespace native = sim::native;

std::uint64_t FloatSlot(float value) { return std::bit_cast<std::uint32_t>(value); }
std::uint64_t IntSlot(std::int32_t value) { return static_cast<std::uint32_t>(value); }
float FloatIn(std::uint64_t slot) { return std::bit_cast<float>(static_cast<std::uint32_t>(slot)); }

// A native call as the game should receive it. Text arguments are checked through the
// texts that the handlers read during the call; their slots are left out here.
struct ExpectedCall {
    std::uint64_t hash;
    std::vector<std::uint64_t> slots;
};

void ExpectCalls(const std::vector<ExpectedCall>& expected) {
    const auto& log = sim::hook::CallLog();
    ASSERT_EQ(log.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(log[i].hash, expected[i].hash) << "call " << i;
        if (expected[i].slots.empty()) continue;
        ASSERT_EQ(log[i].argumentCount, static_cast<int>(expected[i].slots.size())) << "call " << i;
        for (std::size_t slot = 0; slot < expected[i].slots.size(); ++slot) {
            EXPECT_EQ(log[i].arguments[slot], expected[i].slots[slot]) << "call " << i << " slot " << slot;
        }
    }
}

class Drawing : public testing::Test {
protected:
    void SetUp() override {
        sim::hook::Reset();
        // The text must be read while the call runs: the caller's string may be gone after.
        sim::hook::RegisterNative(native::SET_TEXT_ENTRY, [this](sim::hook::NativeCall& call) {
            entries.push_back(call.TextArgument(0) != nullptr ? call.TextArgument(0) : "<null>");
        });
        sim::hook::RegisterNative(native::ADD_TEXT_COMPONENT_STRING, [this](sim::hook::NativeCall& call) {
            components.push_back(call.TextArgument(0) != nullptr ? call.TextArgument(0) : "<null>");
        });
    }
    void TearDown() override { sim::hook::Reset(); }

    std::vector<std::string> entries;
    std::vector<std::string> components;
};

// ---- Text ----

struct TextCase {
    const char* name;
    float y;
    float scale;
    int alpha;  // -1: drawn with DrawCenteredTextOpaque
    std::string text;
};

class DrawText : public Drawing, public testing::WithParamInterface<TextCase> {};

TEST_P(DrawText, SetsTheWholeStyleThenDrawsTheTextCentred) {
    const TextCase& c = GetParam();
    const bool opaque = c.alpha < 0;
    if (opaque) {
        DrawCenteredTextOpaque(c.y, c.scale, c.text);
    } else {
        DrawCenteredText(c.y, c.scale, c.alpha, c.text);
    }
    const int alpha = opaque ? 255 : c.alpha;
    ExpectCalls({
        {native::SET_TEXT_FONT, {IntSlot(0)}},
        {native::SET_TEXT_SCALE, {FloatSlot(c.scale), FloatSlot(c.scale)}},
        {native::SET_TEXT_COLOUR, {IntSlot(255), IntSlot(255), IntSlot(255), IntSlot(alpha)}},
        {native::SET_TEXT_WRAP, {FloatSlot(0.0f), FloatSlot(1.0f)}},
        {native::SET_TEXT_CENTRE, {IntSlot(1)}},
        {native::SET_TEXT_DROPSHADOW, {IntSlot(1), IntSlot(0), IntSlot(0), IntSlot(0), IntSlot(0)}},
        {native::SET_TEXT_EDGE, {IntSlot(1), IntSlot(0), IntSlot(0), IntSlot(0), IntSlot(205)}},
        {native::SET_TEXT_ENTRY, {}},
        {native::ADD_TEXT_COMPONENT_STRING, {}},
        {native::DRAW_TEXT, {FloatSlot(0.5f), FloatSlot(c.y)}},
    });
    EXPECT_EQ(entries, std::vector<std::string>{"STRING"});
    EXPECT_EQ(components, std::vector<std::string>{c.text});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawText,
    testing::Values(TextCase{"SpeedAtTheTop", 0.01f, 0.35f, -1, "27 mph | 43 km/h"},
                    TextCase{"SpeedAtTheBottom", 0.956f, 0.35f, -1, "0 mph | 0 km/h"},
                    TextCase{"BoardingPrompt", 0.51f, 0.3f, -1, "Hold key to enter the train ..."},
                    TextCase{"FadingMessage", 0.5f, 0.35f, 77, "The engineer will stop the train"},
                    TextCase{"Invisible", 0.5f, 0.35f, 0, "gone"}, TextCase{"FullAlpha", 0.5f, 0.35f, 255, "here"},
                    TextCase{"EmptyText", 0.5f, 0.35f, 128, ""}, TextCase{"EmptyOpaqueText", 0.01f, 0.35f, -1, ""},
                    // Longer than any short-string buffer: lives on the heap.
                    TextCase{"LongText", 0.5f, 0.35f, 200, std::string(300, 'x')}),
    kelvane_test::CaseName{});

// ---- Rectangles and bars ----

TEST_F(Drawing, RectIsOneThinRectangleWithFullRed) {
    DrawHudRect(0.3f, 0.7f, 0.2f, 10, 20, 30);
    ExpectCalls({{native::DRAW_RECT,
                  {FloatSlot(0.3f), FloatSlot(0.7f), FloatSlot(0.2f), FloatSlot(0.005f), IntSlot(255), IntSlot(10),
                   IntSlot(20), IntSlot(30)}}});
}

struct BarCase {
    const char* name;
    float fraction;
    float fillX;
    float fillWidth;
};

class DrawBar : public Drawing, public testing::WithParamInterface<BarCase> {};

TEST_P(DrawBar, DrawsTheBackgroundThenAFillFromItsLeftEdge) {
    const BarCase& c = GetParam();
    DrawHudBar(0.99f, c.fraction, 127, 126);
    ExpectCalls({
        {native::DRAW_RECT,
         {FloatSlot(0.5f), FloatSlot(0.99f), FloatSlot(0.1f), FloatSlot(0.005f), IntSlot(255), IntSlot(255),
          IntSlot(255), IntSlot(63)}},
        {native::DRAW_RECT, {}},
    });
    const sim::hook::LoggedCall& fill = sim::hook::CallLog().at(1);
    ASSERT_EQ(fill.argumentCount, 8);
    EXPECT_NEAR(FloatIn(fill.arguments[0]), c.fillX, 1e-7f);
    EXPECT_EQ(fill.arguments[1], FloatSlot(0.99f));
    EXPECT_NEAR(FloatIn(fill.arguments[2]), c.fillWidth, 1e-7f);
    EXPECT_EQ(fill.arguments[3], FloatSlot(0.005f));
    EXPECT_EQ(fill.arguments[4], IntSlot(255));
    EXPECT_EQ(fill.arguments[5], IntSlot(127));
    EXPECT_EQ(fill.arguments[6], IntSlot(126));
    EXPECT_EQ(fill.arguments[7], IntSlot(255));
}

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Infinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Fractions, DrawBar,
                         testing::Values(BarCase{"Empty", 0.0f, 0.45f, 0.0f}, BarCase{"Half", 0.5f, 0.475f, 0.05f},
                                         BarCase{"Quarter", 0.25f, 0.4625f, 0.025f}, BarCase{"Full", 1.0f, 0.5f, 0.1f},
                                         // Outside 0..1 the fill stops at the background's ends.
                                         BarCase{"AboveOne", 1.7f, 0.5f, 0.1f},
                                         BarCase{"Infinite", Infinity, 0.5f, 0.1f},
                                         BarCase{"Negative", -0.2f, 0.45f, 0.0f},
                                         BarCase{"NegativeInfinite", -Infinity, 0.45f, 0.0f},
                                         BarCase{"NaN", NaN, 0.45f, 0.0f}),
                         kelvane_test::CaseName{});

TEST_F(Drawing, EmptyAndFullBarsAreExact) {
    DrawHudBar(0.5f, 0.0f, 255, 255);
    DrawHudBar(0.5f, 1.0f, 255, 255);
    DrawHudBar(0.5f, NaN, 255, 255);
    DrawHudBar(0.5f, -0.0f, 255, 255);
    const auto& log = sim::hook::CallLog();
    ASSERT_EQ(log.size(), 8u);
    // The full fill covers the background exactly: same centre, same width.
    EXPECT_EQ(log[3].arguments[0], log[2].arguments[0]);
    EXPECT_EQ(log[3].arguments[2], log[2].arguments[2]);
    // An empty fill is a zero-width rectangle at the left edge, never NaN or -0.
    for (std::size_t fill : {1u, 5u, 7u}) {
        EXPECT_EQ(log[fill].arguments[0], FloatSlot(0.45f)) << "fill " << fill;
        EXPECT_EQ(log[fill].arguments[2], FloatSlot(0.0f)) << "fill " << fill;
    }
}

TEST_F(Drawing, BarFillNeverLeavesItsBackground) {
    std::vector<float> fractions = {-FLT_MAX, -1.0f, FLT_TRUE_MIN, 0.999999f, 1.000001f, FLT_MAX};
    for (int i = -50; i <= 250; ++i) fractions.push_back(static_cast<float>(i) / 100.0f);
    for (float fraction : fractions) {
        sim::hook::ClearCallLog();
        DrawHudBar(0.5f, fraction, 255, 255);
        const auto& log = sim::hook::CallLog();
        ASSERT_EQ(log.size(), 2u);
        const float x = FloatIn(log[1].arguments[0]);
        const float w = FloatIn(log[1].arguments[2]);
        ASSERT_TRUE(std::isfinite(x) && std::isfinite(w)) << fraction;
        EXPECT_GE(w, 0.0f) << fraction;
        EXPECT_GE(x - w / 2.0f, 0.45f - 1e-7f) << fraction;
        EXPECT_LE(x + w / 2.0f, 0.55f + 1e-7f) << fraction;
    }
}

}  // namespace
}  // namespace kelvane
