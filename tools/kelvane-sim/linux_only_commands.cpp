// The Windows tool drives the stand-in only through ScriptHookV.dll's plain-C host API;
// the commands that need its C++ side are in the Linux tool.

#include <iostream>

#include "commands.h"

namespace kelvane_sim {

int RunSoakCommand(const SoakOptions&) {
    std::cerr << "kelvane-sim: soak runs in the Linux build of kelvane-sim only\n";
    return 2;
}

int RunBenchCommand(const BenchOptions&) {
    std::cerr << "kelvane-sim: bench runs in the Linux build of kelvane-sim only\n";
    return 2;
}

}  // namespace kelvane_sim
