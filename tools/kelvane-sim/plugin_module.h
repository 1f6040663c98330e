#pragma once
// How the tool gets the plug-in into the stand-in hook: the one place where the Linux
// tool (plug-in linked in) and the Windows tool (Kelvane.asi loaded) differ.

namespace kelvane_sim {

// Starts the plug-in as the game's loader would: afterwards its script is registered.
void LoadPlugin();
// Undoes LoadPlugin: the plug-in's script is unregistered.
void UnloadPlugin();

}  // namespace kelvane_sim
