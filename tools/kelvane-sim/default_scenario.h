#pragma once

namespace kelvane_sim {

// The default ride, scenarios/default_ride.toml, built into the tool.
extern const char* const DefaultScenarioText;

}  // namespace kelvane_sim
