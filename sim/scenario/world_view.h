#pragma once
// How a run describes what the game shows: the player's place, trains by name.

#include <string>

#include "world/world.h"

namespace sim {

// "on foot", "freight car 0 seat 0", "free vehicle 12 seat -1".
std::string DescribePlayerPlace(const World& world);

// The name of the train a vehicle belongs to, or "" for a free vehicle.
std::string TrainNameOf(const World& world, Handle vehicle);

// Whether the player sits where a scenario says: "none", "any", "free", a train's name
// (any of its cars) or "name:car".
bool PlayerIsIn(const World& world, const std::string& place);

// The train of that name that still runs, if any.
const Train* FindTrain(const World& world, const std::string& name);

}  // namespace sim
