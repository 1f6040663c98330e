#include "cab/doors.h"

namespace kelvane {

void UpdateDoors(CabState&) {}

}  // namespace kelvane
