// The Windows tool serves no play page.

#include <iostream>

#include "commands.h"

namespace kelvane_sim {

int RunPlayCommand(const PlayOptions&) {
    std::cerr << "kelvane-sim: play runs in the Linux tool only\n";
    return 2;
}

}  // namespace kelvane_sim
