#include "cab/frame_update.h"

#include "cab/boarding.h"
#include "dynamics/driving.h"

namespace kelvane {

void UpdateFrame(CabState& state) {
    // Each frame runs the steps of one phase only, so a transition made during a frame
    // takes effect in the next one.
    switch (state.phase) {
        case CabPhase::OnFoot:
            RunBoardingScan(state);
            break;
        case CabPhase::Boarding:
            RunBoardingHold(state);
            break;
        case CabPhase::InCab:
            if (!state.derailed) {
                RunDrivingControls(state);
            }
            break;
    }
}

}  // namespace kelvane
