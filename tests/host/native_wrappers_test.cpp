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

namespace kelvane {
namespace {

struct NativeCase {
    const char* name;
    std::uint64_t hash;
    int argumentCount;
    std::function<void()> call;
};

std::int32_t nearbyBuffer[22];
Vehicle vehicleHandle = 5;

#define NATIVE(name, hash, count, ...) NativeCase{#name, hash, count, [] { (void)name(__VA_ARGS__); }}

// The 58 natives as the game knows them, written down here apart from the wrappers.
const NativeCase AllNatives[] = {
    NATIVE(SET_TEXT_FONT, 0x66E0276CC5F6B9DA, 1, 0),
    NATIVE(SET_TEXT_SCALE, 0x07C837F9A01C34C9, 2, 0.3f, 0.3f),
    NATIVE(SET_TEXT_COLOUR, 0xBE6B23FFA53FB442, 4, 255, 255, 255, 255),
    NATIVE(SET_TEXT_WRAP, 0x63145D9C883A1A70, 2, 0.0f, 1.0f),
    NATIVE(SET_TEXT_CENTRE, 0xC02F4DBFB51D988B, 1, true),
    NATIVE(SET_TEXT_DROPSHADOW, 0x465C84BC39F1C351, 5, 1, 0, 0, 0, 0),
    NATIVE(SET_TEXT_EDGE, 0x441603240D202FA6, 5, 1, 0, 0, 0, 205),
    NATIVE(_SET_TEXT_ENTRY, 0x25FBB336DF1804CB, 1, "STRING"),
    NATIVE(_ADD_TEXT_COMPONENT_STRING, 0x6C188BE134E074AA, 1, "text"),
    NATIVE(_DRAW_TEXT, 0xCD015E5BB0D96A57, 2, 0.5f, 0.5f),
    NATIVE(DRAW_RECT, 0x3A618A217E5154F0, 8, 0.5f, 0.5f, 0.1f, 0.005f, 255, 255, 255, 63),
    NATIVE(IS_CONTROL_PRESSED, 0xF3A21BCD95725A4A, 2, 2, 71),
    NATIVE(IS_CONTROL_JUST_PRESSED, 0x580417101DDB492F, 2, 2, 23),
    NATIVE(IS_CONTROL_JUST_RELEASED, 0x50F940259D3841E6, 2, 2, 86),
    NATIVE(IS_CONTROL_RELEASED, 0x648EE3E7F38877DD, 2, 2, 23),
    NATIVE(GET_FRAME_TIME, 0x15C40837039FFAF7, 0),
    NATIVE(GET_HASH_KEY, 0xD24D37CC275948CC, 1, "NORMAL"),
    NATIVE(PLAYER_PED_ID, 0xD80958FC74E988A6, 0),
    NATIVE(IS_PED_IN_ANY_VEHICLE, 0x997ABD671D25CA0B, 2, 1, true),
    NATIVE(IS_PED_IN_ANY_TRAIN, 0x6F972C1AB75A1ED0, 1, 1),
    NATIVE(GET_VEHICLE_PED_IS_USING, 0x6094AD011A2EA87D, 1, 1),
    NATIVE(GET_PED_NEARBY_VEHICLES, 0xCFF869CBFA210D82, 2, 1, nearbyBuffer),
    NATIVE(GET_PED_IN_VEHICLE_SEAT, 0xBB40DD2270B65366, 2, 5, -1),
    NATIVE(SET_PED_INTO_VEHICLE, 0xF75B0D629E1C063D, 3, 1, 5, 0),
    NATIVE(TASK_LEAVE_VEHICLE, 0xD3DBCE61A490BE02, 3, 1, 5, -1),
    NATIVE(TASK_LEAVE_ANY_VEHICLE, 0x504D54DF3F6F2247, 3, 1, 5, -1),
    NATIVE(TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT, 0x7AA80209BDA643EB, 2, 1, 5),
    NATIVE(DOES_ENTITY_EXIST, 0x7239B21A38F536BA, 1, 5),
    NATIVE(IS_ENTITY_DEAD, 0x5F9532F3B5CC2551, 1, 5),
    NATIVE(GET_ENTITY_COORDS, 0x3FEF770D40960D5A, 2, 5, true),
    NATIVE(SET_ENTITY_COORDS, 0x06843DA7060A026B, 8, 5, 1.0f, 2.0f, 3.0f, false, false, false, false),
    NATIVE(GET_ENTITY_ROTATION, 0xAFBD61CC738D9EB9, 2, 5, 0),
    NATIVE(SET_ENTITY_ROTATION, 0x8524A8B0171D5E07, 6, 5, 0.0f, 0.0f, 90.0f, 0, false),
    NATIVE(GET_ENTITY_FORWARD_X, 0x8BB4EF4214E0E6D5, 1, 5),
    NATIVE(GET_ENTITY_FORWARD_Y, 0x866A4A5FAE349510, 1, 5),
    NATIVE(GET_ENTITY_FORWARD_VECTOR, 0x0A794A5A57F8DF91, 1, 5),
    NATIVE(GET_ENTITY_SPEED, 0xD5037BA82E12416F, 1, 5),
    NATIVE(GET_ENTITY_SPEED_VECTOR, 0x9A8D700A51CB7B0D, 2, 5, false),
    NATIVE(GET_ENTITY_MODEL, 0x9F47B058362C84B5, 1, 5),
    NATIVE(GET_ENTITY_HEIGHT_ABOVE_GROUND, 0x1DD55701034110E5, 1, 5),
    NATIVE(SET_ENTITY_DYNAMIC, 0x1718DE8E3F2823CA, 2, 5, true),
    NATIVE(SET_ENTITY_CAN_BE_DAMAGED, 0x1760FFA8AB074D66, 2, 5, true),
    NATIVE(SET_TRAIN_SPEED, 0xAA0BC91BE0B796E3, 2, 5, 10.0f),
    NATIVE(SET_TRAIN_CRUISE_SPEED, 0x16469284DB8C62B5, 2, 5, 0.0f),
    NATIVE(GET_TRAIN_CARRIAGE, 0x08AAFD0814722BC3, 2, 5, 1),
    NATIVE(DELETE_ALL_TRAINS, 0x736A718577F39C7D, 0),
    NATIVE(CREATE_VEHICLE, 0xAF35D0D2583051B0, 7, 0x3D6AAA9Bu, 1.0f, 2.0f, 3.0f, 0.0f, false, true),
    NATIVE(DELETE_VEHICLE, 0xEA386986E786A54F, 1, &vehicleHandle),
    NATIVE(SET_VEHICLE_FORWARD_SPEED, 0xAB54A438726D25D5, 2, 5, 10.0f),
    NATIVE(SET_VEHICLE_CAN_BE_VISIBLY_DAMAGED, 0x4C7028F78FFD3681, 2, 5, true),
    NATIVE(GET_VEHICLE_DOOR_ANGLE_RATIO, 0xFE3F9C29F7B32BD5, 2, 5, 0),
    NATIVE(SET_VEHICLE_DOOR_CONTROL, 0xF2BFA0430F0A0FCB, 4, 5, 1, 0, 0.5f),
    NATIVE(SET_VEHICLE_FULLBEAM, 0x8B7FD87F0DDB421E, 2, 5, true),
    NATIVE(START_VEHICLE_HORN, 0x9C8C6504B5B63D2C, 4, 5, 0, 0x4C6A8D1Bu, false),
    NATIVE(SHAKE_GAMEPLAY_CAM, 0xFD55E49555E017CF, 2, "SKY_DIVING_SHAKE", 0.0f),
    NATIVE(SET_GAMEPLAY_CAM_SHAKE_AMPLITUDE, 0xA87E00932DB4D85D, 1, 3.0f),
    NATIVE(STOP_GAMEPLAY_CAM_SHAKING, 0x0EF93E9F3D08C178, 1, false),
    NATIVE(ADD_EXPLOSION, 0xE3AD2BDBAEE269AC, 8, 1.0f, 2.0f, 3.0f, 37, 0.5f, true, false, 0.5f),
};

#undef NATIVE

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
