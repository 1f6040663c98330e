#include "cab/frame_update.h"

#include "cab/autopilot.h"
#include "cab/boarding.h"
#include "cab/cab_actions.h"
#include "cab/doors.h"
#include "dynamics/derailment.h"
#include "dynamics/driving.h"
#include "dynamics/wrecks.h"
#include "hud/driving_hud.h"

namespace kelvane {

namespace {

void RunCabFrame(CabState& state) {
    RunDrivingControls(state);
    RunSeatChange(state);
    RunFullBeam(state);
    RunHornAndEngineerCommand(state);
    UpdateDoors(state);
    // The steps after it still run in the frame in which the train derails.
    RunDerailmentStep(state);
    DrawCabHud(state);
    DrawEngineerMessage(state);
    RunLeaveCheck(state);
}

}  // namespace

void UpdateFrame(CabState& state) {
    // Each frame runs the steps of one phase only, so a transition made during a frame
    // takes effect in the next one.
    switch (state.phase) {
        case CabPhase::OnFoot:
            if (state.autopilotTrain > 0) RunAutopilot(state);
            RunBoardingScan(state);
            break;
        case CabPhase::Boarding:
            RunBoardingHold(state);
            break;
        case CabPhase::InCab:
            if (state.derailed) {
                RunLeaveCheck(state);
            } else {
                RunCabFrame(state);
            }
            break;
    }
    if (state.wreckCount > 0) RunWreckUpkeep(state);
}

}  // namespace kelvane
