#include "host/linux_entry.h"

#include "host/plugin_entry.h"

namespace kelvane {

namespace {
// Stands in for the module handle Windows would pass: any stable, unique address.
char moduleMarker;
}  // namespace

void AttachPlugin() { HandleModuleEvent(&moduleMarker, ProcessAttach); }
void DetachPlugin() { HandleModuleEvent(&moduleMarker, ProcessDetach); }

}  // namespace kelvane
