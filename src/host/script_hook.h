#pragma once
// The six functions that the script hook (ScriptHookV.dll) exports to plug-ins.
// Declared with C linkage under plain names: on Windows an import library made from
// cmake/ScriptHookV.def maps each plain name to the hook's decorated export; on Linux
// the stand-in hook defines them directly.

#include <cstdint>

extern "C" {

using ScriptMainFunction = void (*)();

// HINSTANCE is an opaque pointer; DWORD is a 32-bit unsigned integer.
void scriptRegister(void* module, ScriptMainFunction scriptMain);
void scriptUnregister(void* module);
void scriptWait(std::uint32_t milliseconds);

void nativeInit(std::uint64_t hash);
void nativePush64(std::uint64_t value);
std::uint64_t* nativeCall();

}  // extern "C"
