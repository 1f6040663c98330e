#include <iostream>

#include "commands.h"
#include "config/settings.h"
#include "config/value_format.h"
#include "plugin_module.h"
#include "world/simulation.h"

namespace kelvane_sim {

int RunConfigCommand() {
    sim::Simulation simulation;
    LoadPlugin();
    // The start-up (default file, then the reader) runs within the script's first slice.
    simulation.RunFrames(1, 1.0f / 60.0f);
    for (const kelvane::SettingField& field : kelvane::SettingFields) {
        std::cout << field.key << " = " << kelvane::FormatSettingValue(field) << '\n';
    }
    UnloadPlugin();
    return 0;
}

}  // namespace kelvane_sim
