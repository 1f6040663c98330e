#include "hud/driving_hud.h"

namespace kelvane {

void DrawCabHud(CabState&) {}
void DrawTrainDistanceBar(const CabState&) {}

}  // namespace kelvane
