#include "host/linux_entry.h"
#include "plugin_module.h"

namespace kelvane_sim {

void LoadPlugin() { kelvane::AttachPlugin(); }
void UnloadPlugin() { kelvane::DetachPlugin(); }

}  // namespace kelvane_sim
