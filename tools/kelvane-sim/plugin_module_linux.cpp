// Linux: the plug-in is linked into the tool, so its settings are read directly.

#include "config/settings.h"
#include "config/value_format.h"
#include "host/linux_entry.h"
#include "plugin_module.h"

namespace kelvane_sim {

void LoadPlugin() { kelvane::AttachPlugin(); }
void UnloadPlugin() { kelvane::DetachPlugin(); }

std::vector<std::pair<std::string, std::string>> EffectiveSettings() {
    std::vector<std::pair<std::string, std::string>> result;
    for (const kelvane::SettingField& field : kelvane::SettingFields) {
        result.emplace_back(std::string(field.key), kelvane::FormatSettingValue(field));
    }
    return result;
}

}  // namespace kelvane_sim
