#pragma once
// What the library entry does for each loader notification, shared by the Windows
// DllMain and the Linux build's attach/detach calls.

#include <cstdint>

namespace kelvane {

enum ModuleEvent : std::uint32_t {
    ProcessDetach = 0,
    ProcessAttach = 1,
    ThreadAttach = 2,
    ThreadDetach = 3,
};

// Registers the script main on process attach, unregisters it on process detach and
// ignores thread notifications. Never fails: the result is always TRUE (1).
int HandleModuleEvent(void* module, std::uint32_t reason);

}  // namespace kelvane
