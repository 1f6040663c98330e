#include <iostream>

#include "commands.h"
#include "host_api/kelvane_sim_host.h"
#include "plugin_module.h"

namespace kelvane_sim {

int RunConfigCommand() {
    KsimReset();
    LoadPlugin();
    // The start-up (default file, then the reader) runs within the script's first slice.
    KsimRunFrames(1, 1.0f / 60.0f);
    for (const auto& [key, value] : EffectiveSettings()) std::cout << key << " = " << value << '\n';
    UnloadPlugin();
    return 0;
}

}  // namespace kelvane_sim
