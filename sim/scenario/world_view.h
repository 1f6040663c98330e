#pragma once
// How a run describes what the game shows: the player's place, trains by name.

#include <optional>
#include <string>
#include <vector>

#include "world/world.h"

namespace sim {

// "on foot", "freight car 0 seat 0", "free vehicle 12 seat -1".
std::string DescribePlayerPlace(const World& world);

// "freight car 0", or "free vehicle 12".
std::string DescribeVehicle(const World& world, Handle vehicle);

// The name of the train a vehicle belongs to, or "" for a free vehicle.
std::string TrainNameOf(const World& world, Handle vehicle);

// Whether the player sits where a scenario says: "none", "any", "free", a train's name
// (any of its cars) or "name:car".
bool PlayerIsIn(const World& world, const std::string& place);

// The train of that name that still runs, if any.
const Train* FindTrain(const World& world, const std::string& name);

// A gauge as the screen shows it: a translucent white background 0.1 wide with an opaque
// fill on the same line growing from its left edge.
struct ScreenBar {
    float y = 0.0f;
    float fill = 0.0f;  // the fill's share of the background, 0..1
    bool red = false;   // a reddish fill rather than a white one
};
std::vector<ScreenBar> BarsOnScreen(const FrameRecord& frame);

// "derailment bar", "doors bar", "distance bar", "boarding bar", or "bar at y 0.300".
std::string DescribeBar(const ScreenBar& bar);

// Horizontal distance from the player to the lead car of a running train.
std::optional<double> PlayerDistanceTo(const World& world, const Train& train);

}  // namespace sim
