#include "world/controls.h"

namespace sim {

void Controls::NextFrame(std::set<int> held) {
    previous_ = std::move(held_);
    held_ = std::move(held);
}

}  // namespace sim
