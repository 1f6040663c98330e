#include "bench/frame_player.h"

#include <chrono>

#include "bench/minimal_world.h"
#include "cab/frame_update.h"
#include "config/settings.h"
#include "hook/hook.h"
#include "script_hook.h"

namespace kelvane_sim {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Enter = 23;
constexpr int Throttle = 71;

// The script's side: frame updates, each timed where it runs.
struct Slice {
    const PhaseFrame* phase = nullptr;
    int frames = 0;
    kelvane::CabState state;
    double seconds = 0.0;
    int nativeCalls = 0;
};
Slice slice;

void TimedFrameScript() {
    for (;;) {
        double seconds = 0.0;
        for (int frame = 0; frame < slice.frames; ++frame) {
            if (slice.phase != nullptr) slice.state = slice.phase->state;
            sim::hook::ClearCallLog();
            const Clock::time_point start = Clock::now();
            if (slice.phase != nullptr) kelvane::UpdateFrame(slice.state);
            seconds += std::chrono::duration<double>(Clock::now() - start).count();
        }
        slice.seconds = seconds;
        slice.nativeCalls = static_cast<int>(sim::hook::CallLog().size());
        scriptWait(0);
    }
}

kelvane::CabState InCab() {
    kelvane::CabState state;
    state.phase = kelvane::CabPhase::InCab;
    state.train = BenchTrain;
    state.scannedModel = kelvane::FreightLocomotiveModel;
    state.speed = 10.0f;
    state.direction = 1;
    state.prevForwardY = 1.0f;
    return state;
}

// Handed to the engineer, who follows the player 100 m ahead at 10 m/s.
kelvane::CabState LeftToTheEngineer(int framesSinceEvaluation) {
    kelvane::CabState state;
    state.train = BenchTrain;
    state.autopilotTrain = BenchTrain;
    state.engineerMode = kelvane::EngineerMode::FollowPlayer;
    state.autopilotPhase = kelvane::AutopilotPhase::DriveForward;
    state.autopilotSpeed = 10.0f;
    state.autopilotFrameCount = framesSinceEvaluation;
    return state;
}

// On foot among 20 wrecks at rest that have been watched long enough to explode.
kelvane::CabState AmongWrecks(float timeSincePass) {
    kelvane::CabState state;
    for (int i = 0; i < 20; ++i) {
        const BenchPoint at = BenchWreckPosition(BenchFirstWreck + i);
        kelvane::WreckRecord wreck;
        wreck.vehicle = BenchFirstWreck + i;
        wreck.lastPosition = {at.x, at.y, at.z};
        wreck.samples = 4;
        state.wrecks.push_back(wreck);
    }
    state.wreckCount = 20;
    state.wreckCheckTime = timeSincePass;
    return state;
}

}  // namespace

std::vector<PhaseFrame> PhaseFrames() {
    kelvane::CabState boarding;
    boarding.phase = kelvane::CabPhase::Boarding;
    boarding.train = BenchTrain;
    boarding.scannedModel = kelvane::FreightLocomotiveModel;
    kelvane::CabState derailed = InCab();
    derailed.derailed = true;
    return {
        {"on foot", kelvane::CabState{}, {}},
        {"boarding", boarding, {Enter}},
        {"in the cab", InCab(), {Throttle}},
        {"derailed", derailed, {}},
        // The evaluation comes when the count passes 20.
        {"autopilot, evaluation frame", LeftToTheEngineer(20), {}},
        {"autopilot, plain frame", LeftToTheEngineer(0), {}},
        {"20 wrecks, plain frame", AmongWrecks(0.0f), {}},
        // More than 0.2 s since the last pass: this frame samples every wreck.
        {"20 wrecks, sampling pass", AmongWrecks(0.25f), {}},
    };
}

void FramePlayer::Install() {
    if (installed_) return;
    sim::hook::Reset();
    RegisterMinimalWorld();
    kelvane::ApplyDefaults();
    scriptRegister(&module_, TimedFrameScript);
    lastPhase_ = nullptr;
    installed_ = true;
}

FrameCost FramePlayer::Play(const PhaseFrame& phase, int frames) {
    if (lastPhase_ != &phase) HoldControls(phase.heldControls);
    lastPhase_ = &phase;
    slice.phase = &phase;
    slice.frames = frames;
    sim::hook::RunScripts(0);
    return {slice.seconds, slice.nativeCalls};
}

double FramePlayer::TimeNothing(int frames) {
    slice.phase = nullptr;
    slice.frames = frames;
    sim::hook::RunScripts(0);
    return slice.seconds;
}

void FramePlayer::PlayEmpty() {
    slice.frames = 0;
    sim::hook::RunScripts(0);
}

}  // namespace kelvane_sim
