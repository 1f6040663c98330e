#pragma once

namespace kelvane {

// The script main that the hook runs on its script thread: one-time start-up, then
// one frame update per game frame, forever.
void scriptMain();

}  // namespace kelvane
