// The stand-in hook on its own: script slices, waits, native dispatch and the call log.

#include <gtest/gtest.h>

#include "hook/hook.h"
#include "script_hook.h"
#include "world/native_hashes.h"
#include "world/simulation.h"

namespace sim {
namespace {

int slices = 0;
void CountingScript() {
    for (;;) {
        ++slices;
        scriptWait(0);
    }
}

int sleeperWakeups = 0;
void SleepingScript() {
    for (;;) {
        ++sleeperWakeups;
        scriptWait(100);
    }
}

void CallingScript() {
    for (;;) {
        nativeInit(native::GET_FRAME_TIME);
        nativeCall();
        nativeInit(0x1234);  // no such native
        nativePush64(7);
        nativeCall();
        scriptWait(0);
    }
}

void ReturningScript() { ++slices; }

char moduleA, moduleB;

class StandInHook : public testing::Test {
protected:
    void SetUp() override { slices = sleeperWakeups = 0; }
    void TearDown() override { hook::Reset(); }
    Simulation simulation;
};

TEST_F(StandInHook, RunsEachScriptOneSlicePerFrame) {
    scriptRegister(&moduleA, CountingScript);
    EXPECT_EQ(slices, 0) << "registering does not run the script";
    simulation.RunFrames(5, 0.02f);
    EXPECT_EQ(slices, 5);
}

TEST_F(StandInHook, ScriptWaitSleepsForTheGivenGameTime) {
    scriptRegister(&moduleA, SleepingScript);
    simulation.RunFrames(30, 0.02f);  // 600 ms: wakes at 0, 100, ... 500 ms
    EXPECT_EQ(sleeperWakeups, 6);
}

TEST_F(StandInHook, UnregisterStopsOnlyThatModulesScript) {
    scriptRegister(&moduleA, CountingScript);
    scriptRegister(&moduleB, SleepingScript);
    simulation.RunFrames(2, 0.02f);
    scriptUnregister(&moduleA);
    EXPECT_EQ(hook::RegisteredScriptCount(), 1);
    simulation.RunFrames(10, 0.02f);
    EXPECT_EQ(slices, 2);
    EXPECT_GT(sleeperWakeups, 1);
}

TEST_F(StandInHook, AScriptMainThatReturnsIsNotRunAgain) {
    scriptRegister(&moduleA, ReturningScript);
    simulation.RunFrames(3, 0.02f);
    EXPECT_EQ(slices, 1);
}

TEST_F(StandInHook, LogsTheCallsOfTheCurrentFrameAndAnswersUnknownNativesWithZeros) {
    scriptRegister(&moduleA, CallingScript);
    simulation.RunFrames(3, 0.25f);
    const auto& log = hook::CallLog();
    ASSERT_EQ(log.size(), 2u) << "the log holds one frame";
    EXPECT_EQ(log[0].hash, native::GET_FRAME_TIME);
    EXPECT_TRUE(log[0].known);
    EXPECT_EQ(log[0].result[0], 0x3E800000u) << "0.25 as float bits";
    EXPECT_EQ(log[1].hash, 0x1234u);
    EXPECT_FALSE(log[1].known);
    EXPECT_EQ(log[1].argumentCount, 1);
    EXPECT_EQ(log[1].arguments[0], 7u);
    EXPECT_EQ(log[1].result, (std::array<std::uint64_t, hook::ResultSlots>{}));
    EXPECT_EQ(hook::UnknownNatives(), std::set<std::uint64_t>{0x1234});
    EXPECT_EQ(hook::TotalNativeCalls(), 6u);
}

TEST_F(StandInHook, AReservedLogTakesTheCallsOfABusyFrameWithoutMoving) {
    nativeInit(native::GET_FRAME_TIME);
    nativeCall();
    hook::ReserveCallLog(5000);
    ASSERT_EQ(hook::CallLog().size(), 1u) << "the calls of the frame stay";
    EXPECT_EQ(hook::CallLog()[0].hash, native::GET_FRAME_TIME);
    const std::uint64_t* const reserved = &hook::CallLog().front().hash;
    for (int i = 1; i < 5000; ++i) {
        nativeInit(native::GET_FRAME_TIME);
        nativeCall();
    }
    ASSERT_EQ(hook::CallLog().size(), 5000u);
    EXPECT_EQ(&hook::CallLog().front().hash, reserved);
    hook::ClearCallLog();
    hook::ReserveCallLog(10);  // less than there is room for: nothing shrinks
    for (int i = 0; i < 5000; ++i) {
        nativeInit(native::GET_FRAME_TIME);
        nativeCall();
    }
    EXPECT_EQ(&hook::CallLog().front().hash, reserved);
}

TEST_F(StandInHook, ExtraArgumentsBeyondTheSlotsAreDroppedSafely) {
    nativeInit(0x42);
    for (int i = 0; i < 100; ++i) nativePush64(i);
    const std::uint64_t* result = nativeCall();
    EXPECT_EQ(result[0], 0u);
    EXPECT_EQ(hook::CallLog().back().argumentCount, hook::MaxArguments);
}

TEST_F(StandInHook, ScriptWaitOnTheHostSideNeitherSwitchesNorDelaysAnyScript) {
    scriptRegister(&moduleA, SleepingScript);
    scriptRegister(&moduleB, CountingScript);
    simulation.RunFrames(1, 0.02f);
    ASSERT_EQ(sleeperWakeups, 1);
    // No script runs here, so there is nothing to switch from, and no script's wait to set.
    scriptWait(0);
    scriptWait(1000);
    EXPECT_EQ(slices, 1) << "no script was resumed";
    simulation.RunFrames(5, 0.02f);  // to 120 ms: the sleeper wakes at 100 ms as it asked
    EXPECT_EQ(slices, 6);
    EXPECT_EQ(sleeperWakeups, 2);
}

}  // namespace
}  // namespace sim
