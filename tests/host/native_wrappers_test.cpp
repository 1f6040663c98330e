// The typed wrappers against the stand-in hook: each sends its own native's hash and
// arguments, encoded as the hook protocol has them, and decodes results the same way.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "hook/hook.h"
#include "host/natives.h"
#include "support/all_natives.h"

namespace kelvane {
namespace {

using kelvane_test::AllNatives;
using kelvane_test::NativeCase;


class NativeWrappers : public testing::Test {
protected:
    void SetUp() override { sim::hook::Reset(); }
    void TearDown() override { sim::hook::Reset(); }

    // The single call the wrapper made.
    static const sim::hook::LoggedCall& OnlyCall() {
        const auto& log = sim::hook::CallLog();
        EXPECT_EQ(log.size(), 1u);
        return log.back();
    }
};

TEST_F(NativeWrappers, EachSendsTheHashAndArgumentCountOfItsNative) {
    std::set<std::uint64_t> hashes;
    for (const NativeCase& native : AllNatives) {
        sim::hook::ClearCallLog();
        native.call();
        const auto& log = sim::hook::CallLog();
        ASSERT_EQ(log.size(), 1u) << native.name;
        EXPECT_EQ(log[0].hash, native.hash) << native.name;
        EXPECT_EQ(log[0].argumentCount, native.argumentCount) << native.name;
        hashes.insert(native.hash);
    }
    EXPECT_EQ(hashes.size(), std::size(AllNatives)) << "every native has a hash of its own";
}

TEST_F(NativeWrappers, IntegersFillTheLowHalfWithoutSignExtension) {
    GET_PED_IN_VEHICLE_SEAT(7, -1);
    const auto& call = OnlyCall();
    EXPECT_EQ(call.arguments[0], 0x0000000000000007u);
    EXPECT_EQ(call.arguments[1], 0x00000000FFFFFFFFu);
}

TEST_F(NativeWrappers, HashesAboveTheSignedRangeStayUnsigned) {
    START_VEHICLE_HORN(5, 0, 0xD24D37CCu, false);
    EXPECT_EQ(OnlyCall().arguments[2], 0x00000000D24D37CCu);
}

TEST_F(NativeWrappers, FloatsTravelAsTheirSinglePrecisionBits) {
    SET_TRAIN_SPEED(3, 0.5f);
    EXPECT_EQ(OnlyCall().arguments[1], 0x000000003F000000u);
    sim::hook::ClearCallLog();
    SET_TRAIN_SPEED(3, -0.5f);
    EXPECT_EQ(OnlyCall().arguments[1], 0x00000000BF000000u);
}

TEST_F(NativeWrappers, BoolsTravelAsOneOrZero) {
    SET_ENTITY_COORDS(1, 0.0f, 0.0f, 0.0f, true, false, true, false);
    const auto& call = OnlyCall();
    EXPECT_EQ(call.arguments[4], 1u);
    EXPECT_EQ(call.arguments[5], 0u);
    EXPECT_EQ(call.arguments[6], 1u);
    EXPECT_EQ(call.arguments[7], 0u);
}

TEST_F(NativeWrappers, TextsTravelAsTheirWholeAddress) {
    std::string seen;
    sim::hook::RegisterNative(0x25FBB336DF1804CB, [&](sim::hook::NativeCall& call) { seen = call.TextArgument(0); });
    const char* entry = "STRING";
    _SET_TEXT_ENTRY(entry);
    EXPECT_EQ(OnlyCall().arguments[0], reinterpret_cast<std::uintptr_t>(entry));
    EXPECT_EQ(seen, "STRING");
}

TEST_F(NativeWrappers, HandleVariablesAreWrittenThroughTheirAddress) {
    sim::hook::RegisterNative(0xEA386986E786A54F,
                              [](sim::hook::NativeCall& call) { *call.PointerArgument<std::int32_t>(0) = 0; });
    Vehicle vehicle = 42;
    DELETE_VEHICLE(&vehicle);
    EXPECT_EQ(vehicle, 0);
}

TEST_F(NativeWrappers, ResultsAreReadFromTheLowHalfOfSlotZero) {
    // The game leaves the high half undefined; the wrappers must not read it.
    sim::hook::RegisterNative(0xBB40DD2270B65366,
                              [](sim::hook::NativeCall& call) { call.result[0] = 0xDEADBEEFFFFFFFFFu; });
    sim::hook::RegisterNative(0x7239B21A38F536BA,
                              [](sim::hook::NativeCall& call) { call.result[0] = 0xFFFFFFFF00000000u; });
    sim::hook::RegisterNative(0x6F972C1AB75A1ED0, [](sim::hook::NativeCall& call) { call.result[0] = 0x2u; });
    sim::hook::RegisterNative(0x15C40837039FFAF7,
                              [](sim::hook::NativeCall& call) { call.result[0] = 0x123456783F000000u; });
    sim::hook::RegisterNative(0x9F47B058362C84B5,
                              [](sim::hook::NativeCall& call) { call.result[0] = 0xAAAAAAAAD24D37CCu; });
    EXPECT_EQ(GET_PED_IN_VEHICLE_SEAT(1, 0), -1);
    EXPECT_FALSE(DOES_ENTITY_EXIST(1));
    EXPECT_TRUE(IS_PED_IN_ANY_TRAIN(1)) << "any non-zero result counts as true";
    EXPECT_EQ(GET_FRAME_TIME(), 0.5f);
    EXPECT_EQ(GET_ENTITY_MODEL(1), 0xD24D37CCu);
}

TEST_F(NativeWrappers, VectorResultsAreCopiedBeforeTheNextCall) {
    int calls = 0;
    sim::hook::RegisterNative(0x3FEF770D40960D5A, [&](sim::hook::NativeCall& call) {
        ++calls;
        const float base = calls == 1 ? 1.0f : 4.0f;
        call.ReturnVector(base, base + 1.0f, base + 2.0f);
        call.result[1] |= 0x7777777700000000u;  // junk in the unused half
    });
    const Vector3 first = GET_ENTITY_COORDS(1, true);
    const Vector3 second = GET_ENTITY_COORDS(2, true);
    EXPECT_EQ(first.x, 1.0f);
    EXPECT_EQ(first.y, 2.0f);
    EXPECT_EQ(first.z, 3.0f);
    EXPECT_EQ(second.x, 4.0f);
    EXPECT_EQ(second.y, 5.0f);
    EXPECT_EQ(second.z, 6.0f);
}

TEST_F(NativeWrappers, NearbyVehicleBufferIsPassedWholeAndFilledByTheGame) {
    sim::hook::RegisterNative(0xCFF869CBFA210D82, [](sim::hook::NativeCall& call) {
        auto* buffer = call.PointerArgument<std::int32_t>(1);
        EXPECT_EQ(buffer[0], 10) << "the capacity stands in element 0";
        buffer[2] = 31;
        buffer[4] = 32;
        call.ReturnInt(2);
    });
    std::int32_t buffer[22] = {10};
    EXPECT_EQ(GET_PED_NEARBY_VEHICLES(1, buffer), 2);
    EXPECT_EQ(buffer[2], 31);
    EXPECT_EQ(buffer[4], 32);
}

TEST_F(NativeWrappers, UnknownNativesAnswerZero) {
    // No handler at all: the stand-in answers zeros, as for a native the game rejects.
    EXPECT_EQ(PLAYER_PED_ID(), 0);
    EXPECT_EQ(GET_ENTITY_SPEED(3), 0.0f);
    const Vector3 coords = GET_ENTITY_COORDS(3, true);
    EXPECT_EQ(coords.x, 0.0f);
    EXPECT_EQ(coords.z, 0.0f);
    EXPECT_EQ(sim::hook::UnknownNatives().count(0xD80958FC74E988A6), 1u);
}

}  // namespace
}  // namespace kelvane
