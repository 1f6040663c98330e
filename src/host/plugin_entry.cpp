#include "host/plugin_entry.h"

#include "host/script_hook.h"
#include "host/script_main.h"

namespace kelvane {

int HandleModuleEvent(void* module, std::uint32_t reason) {
    if (reason == ProcessAttach) {
        scriptRegister(module, scriptMain);
    } else if (reason == ProcessDetach) {
        scriptUnregister(module);
    }
    return 1;
}

}  // namespace kelvane
