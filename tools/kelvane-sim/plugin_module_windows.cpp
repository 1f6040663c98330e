// Windows: Kelvane.asi is loaded from the tool's own folder with LoadLibrary, as the
// game's loader does; the loader calls its DllMain, which registers with the stand-in
// ScriptHookV.dll beside it.

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "config/settings.h"
#include "config/value_format.h"
#include "plugin_module.h"

namespace kelvane_sim {

namespace {

HMODULE plugin = nullptr;

std::filesystem::path PluginPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) throw std::runtime_error("cannot find the tool's own folder");
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return std::filesystem::path(path).parent_path() / L"Kelvane.asi";
}

}  // namespace

void LoadPlugin() {
    if (plugin != nullptr) return;
    const std::filesystem::path path = PluginPath();
    plugin = LoadLibraryW(path.c_str());
    if (plugin == nullptr) {
        throw std::runtime_error("cannot load " + path.string() + " (error " + std::to_string(GetLastError()) + ")");
    }
}

void UnloadPlugin() {
    if (plugin == nullptr) return;
    FreeLibrary(plugin);
    plugin = nullptr;
}

// The DLL's settings live in the DLL's own copy of the configuration code, out of
// reach. The tool runs the same start-up steps with the same code in the same folder,
// after the DLL's start-up ran, from the same all-zero record. That gives exactly the
// DLL's settings in every case: a file the DLL just wrote is read in full; a file that
// existed is read from zero, as the DLL read it; in a folder that cannot be written,
// or with a file that cannot be read, both apply the defaults and read nothing.
std::vector<std::pair<std::string, std::string>> EffectiveSettings() {
    kelvane::settings = {};
    kelvane::WriteDefaultConfig();
    kelvane::LoadSettings();
    std::vector<std::pair<std::string, std::string>> result;
    for (const kelvane::SettingField& field : kelvane::SettingFields) {
        result.emplace_back(std::string(field.key), kelvane::FormatSettingValue(field));
    }
    return result;
}

}  // namespace kelvane_sim
