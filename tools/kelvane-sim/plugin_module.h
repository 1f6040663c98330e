#pragma once
// How the tool gets the plug-in into the stand-in hook: the one place where the Linux
// tool (plug-in linked in) and the Windows tool (Kelvane.asi loaded) differ.

#include <string>
#include <utility>
#include <vector>

namespace kelvane_sim {

// Starts the plug-in as the game's loader would: afterwards its script is registered.
void LoadPlugin();
// Undoes LoadPlugin: the plug-in's script is unregistered.
void UnloadPlugin();

// The 25 settings, as "Key" and value text in file order, that the plug-in holds after
// its start-up in the current folder.
std::vector<std::pair<std::string, std::string>> EffectiveSettings();

}  // namespace kelvane_sim
