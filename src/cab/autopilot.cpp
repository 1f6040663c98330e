#include "cab/autopilot.h"

namespace kelvane {

void RunAutopilot(CabState&) {}

}  // namespace kelvane
