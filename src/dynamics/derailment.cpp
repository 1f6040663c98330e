#include "dynamics/derailment.h"

namespace kelvane {

void RunDerailmentStep(CabState&) {}

}  // namespace kelvane
