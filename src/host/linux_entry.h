#pragma once
// The Linux build has no loader to call DllMain: whoever links the plug-in in calls
// these instead, with the same effect as process attach and detach.

namespace kelvane {

void AttachPlugin();
void DetachPlugin();

}  // namespace kelvane
