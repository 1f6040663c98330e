// Kelvane.asi loaded and unloaded 50 times in one process, as a game that reloads its
// plug-ins does. Each round: the loader's DllMain registers the script, frames run its
// start-up (it writes Kelvane.ini in the current folder), FreeLibrary unloads the module
// and its DllMain unregisters the script, and frames go on without it.
// Run in an empty folder, beside Kelvane.asi and the stand-in ScriptHookV.dll.

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "host_api/kelvane_sim_host.h"

namespace {

constexpr int Rounds = 50;
constexpr float FrameTime = 1.0f / 60.0f;

std::filesystem::path PluginPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return L"Kelvane.asi";
    return std::filesystem::path(path).parent_path() / L"Kelvane.asi";
}

bool Check(bool condition, int round, const char* what) {
    if (!condition) std::printf("round %d: %s\n", round, what);
    return condition;
}

bool RunRound(const std::filesystem::path& plugin, int round) {
    std::error_code ignored;
    std::filesystem::remove("Kelvane.ini", ignored);
    const unsigned long long framesBefore = KsimFrameNumber();

    HMODULE module = LoadLibraryW(plugin.c_str());
    if (!Check(module != nullptr, round, "LoadLibrary failed")) return false;
    bool ok = Check(KsimRegisteredScriptCount() == 1, round, "DllMain did not register exactly one script");

    KsimRunFrames(3, FrameTime);
    ok &= Check(std::filesystem::exists("Kelvane.ini"), round, "the script's start-up did not run");

    ok &= Check(FreeLibrary(module) != 0, round, "FreeLibrary failed");
    ok &= Check(GetModuleHandleW(L"Kelvane.asi") == nullptr, round, "the module is still loaded");
    ok &= Check(KsimRegisteredScriptCount() == 0, round, "a script is still registered after FreeLibrary");

    // The unloaded script's code is gone: resuming it now would crash.
    KsimRunFrames(2, FrameTime);
    ok &= Check(KsimFrameNumber() == framesBefore + 5, round, "frames did not run");
    return ok;
}

}  // namespace

int main() {
    const std::filesystem::path plugin = PluginPath();
    KsimReset();
    for (int round = 1; round <= Rounds; ++round) {
        if (!RunRound(plugin, round)) return 1;
    }
    std::printf("loaded and unloaded %d times; %llu frames, %d scripts registered at the end\n", Rounds,
                KsimFrameNumber(), KsimRegisteredScriptCount());
    return 0;
}
