#include "host/script_main.h"

#include <cstdlib>

#include "cab/cab_state.h"
#include "cab/frame_update.h"
#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "host/script_hook.h"
#include "host/tick_count.h"

namespace kelvane {

void scriptMain() {
    std::srand(TickCount());
    WriteDefaultConfig();
    LoadSettings();
    CabState state;
    for (;;) {
        UpdateFrame(state);
        scriptWait(0);
    }
}

}  // namespace kelvane
