#include "cab/frame_update.h"

namespace kelvane {

void UpdateFrame(CabState& state) {
    // Each frame runs the steps of one phase only, so a transition made during a frame
    // takes effect in the next one.
    switch (state.phase) {
        case CabPhase::OnFoot:
            break;
        case CabPhase::Boarding:
            break;
        case CabPhase::InCab:
            break;
    }
}

}  // namespace kelvane
