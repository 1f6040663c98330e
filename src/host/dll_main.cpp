// The library entry of Kelvane.asi: the Windows loader calls it, and it only
// registers or unregisters the script main with the script hook.

#include <windows.h>

#include "host/plugin_entry.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    return kelvane::HandleModuleEvent(module, reason);
}
