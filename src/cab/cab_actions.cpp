#include "cab/cab_actions.h"

namespace kelvane {

void RunSeatChange(CabState&) {}
void RunFullBeam(CabState&) {}
void RunHornAndEngineerCommand(CabState&) {}
void DrawEngineerMessage(CabState&) {}
void RunLeaveCheck(CabState&) {}

}  // namespace kelvane
